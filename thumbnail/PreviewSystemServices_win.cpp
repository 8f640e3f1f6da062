// Windows half of the services: the ANSI code page, and file sizes from the directory.
// Names are passed to the platform as ANSI text.
#include <windows.h>

#include "PreviewSystemServices.h"

namespace vistrel {

unsigned PreviewSystemServices::platformAnsiCodePage() { return GetACP(); }

OdInt64 PreviewSystemServices::getFileSize(const OdString& fileName) {
    const OdAnsiString ansi(fileName, CP_SYSTEM_ANSI);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(ansi.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    FindClose(search);
    return static_cast<OdInt64>((static_cast<OdUInt64>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
}

}  // namespace vistrel
