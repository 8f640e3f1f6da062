// The POSIX half of replacing a file: rename() replaces the target in one step.
#include <cstdio>

#include "FileIo.h"

namespace vexo {

bool moveReplacing(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace vexo
