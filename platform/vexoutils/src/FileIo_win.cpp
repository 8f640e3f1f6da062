// The Windows half of replacing a file: rename() refuses an existing target there. A
// read-only target is refused as Windows refuses it; Wine run by the superuser would
// replace it, so the attribute is checked here rather than left to the move.
#include <windows.h>

#include "FileIo.h"

namespace vexo {

bool moveReplacing(const std::string& from, const std::string& to) {
    const DWORD attributes = GetFileAttributesA(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace vexo
