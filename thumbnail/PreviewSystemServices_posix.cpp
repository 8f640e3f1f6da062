// Native half of the services, so the streams and texts are tested under the sanitizers:
// no Windows code page (the library converts as UTF-8), sizes from stat.
#include <sys/stat.h>

#include "PreviewSystemServices.h"

namespace vistrel {

unsigned PreviewSystemServices::platformAnsiCodePage() { return 65001; }

OdInt64 PreviewSystemServices::getFileSize(const OdString& fileName) {
    const OdAnsiString name(fileName, CP_SYSTEM_ANSI);
    struct stat st;
    if (stat(name.c_str(), &st) != 0) return -1;
    return static_cast<OdInt64>(st.st_size);
}

}  // namespace vistrel
