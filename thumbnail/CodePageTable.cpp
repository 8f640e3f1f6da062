// The host's code page table: Windows ANSI code pages to the library's ids.
// Pages outside the table have no id of their own: CP_UNDEFINED.
#include "CodePageTable.h"

namespace vistrel {

OdCodePageId codePageIdForWindows(unsigned windowsCodePage) {
    switch (windowsCodePage) {
    case 874: return CP_ANSI_874;
    case 932: return CP_ANSI_932;
    case 936: return CP_ANSI_936;
    case 949: return CP_ANSI_949;
    case 950: return CP_ANSI_950;
    case 1200: return CP_ANSI_1200;
    case 1250: return CP_ANSI_1250;
    case 1251: return CP_ANSI_1251;
    case 1252: return CP_ANSI_1252;
    case 1253: return CP_ANSI_1253;
    case 1254: return CP_ANSI_1254;
    case 1255: return CP_ANSI_1255;
    case 1256: return CP_ANSI_1256;
    case 1257: return CP_ANSI_1257;
    default: return CP_UNDEFINED;
    }
}

}  // namespace vistrel
