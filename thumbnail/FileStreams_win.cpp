// Windows half of the file streams: files are opened by their UTF-16 names, so a drawing
// whose name the ANSI code page cannot spell is found all the same.
#include <windows.h>

#include <cstdio>
#include <string>

#include "FileStreams.h"

namespace vistrel {

std::FILE* openRuntimeFile(const OdString& name, const char* mode) {
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(name.c_str(), wideMode.c_str());
}

}  // namespace vistrel
