// POSIX consoles already write bytes as given.
#include "Console.h"

namespace tool {
void binaryStdout() {}
}  // namespace tool
