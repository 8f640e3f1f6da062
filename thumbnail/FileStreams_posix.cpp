// Native half of the file streams: names in their narrow (UTF-8) form.
#include <cstdio>

#include "FileStreams.h"

namespace vistrel {

std::FILE* openRuntimeFile(const OdString& name, const char* mode) {
    const OdAnsiString narrow(name, CP_SYSTEM_ANSI);
    return std::fopen(narrow.c_str(), mode);
}

}  // namespace vistrel
