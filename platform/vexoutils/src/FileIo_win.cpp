// The Windows half of replacing a file: rename() refuses an existing target there.
#include <windows.h>

#include "FileIo.h"

namespace vexo {

bool moveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace vexo
