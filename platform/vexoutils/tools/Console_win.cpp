// Windows console: switch standard output to binary so "\n" stays one byte.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include "Console.h"

namespace tool {
void binaryStdout() {
    _setmode(_fileno(stdout), _O_BINARY);
}
}  // namespace tool
