// Code pages as the library names them, and the conversions between narrow text in one of
// them and the library's wide strings. On Windows the platform converts; native builds
// take narrow text as UTF-8 (the Linux convention) for every code page.
#pragma once

#include <string>

#include "dwg/OdTypes.h"

enum OdCodePageId {
    CP_UNDEFINED = 0,
    CP_ASCII = 1,
    CP_8859_1 = 2,
    CP_8859_2 = 3,
    CP_8859_3 = 4,
    CP_8859_4 = 5,
    CP_8859_5 = 6,
    CP_8859_6 = 7,
    CP_8859_7 = 8,
    CP_8859_8 = 9,
    CP_8859_9 = 10,
    CP_DOS437 = 11,
    CP_DOS850 = 12,
    CP_DOS852 = 13,
    CP_DOS855 = 14,
    CP_DOS857 = 15,
    CP_DOS860 = 16,
    CP_DOS861 = 17,
    CP_DOS863 = 18,
    CP_DOS864 = 19,
    CP_DOS865 = 20,
    CP_DOS869 = 21,
    CP_DOS932 = 22,
    CP_MACINTOSH = 23,
    CP_BIG5 = 24,
    CP_KSC5601 = 25,
    CP_JOHAB = 26,
    CP_DOS866 = 27,
    CP_ANSI_1250 = 28,
    CP_ANSI_1251 = 29,
    CP_ANSI_1252 = 30,
    CP_GB2312 = 31,
    CP_ANSI_1253 = 32,
    CP_ANSI_1254 = 33,
    CP_ANSI_1255 = 34,
    CP_ANSI_1256 = 35,
    CP_ANSI_1257 = 36,
    CP_ANSI_874 = 37,
    CP_ANSI_932 = 38,
    CP_ANSI_936 = 39,
    CP_ANSI_949 = 40,
    CP_ANSI_950 = 41,
    CP_ANSI_1361 = 42,
    CP_ANSI_1200 = 43,
    CP_ANSI_1258 = 44,
    // The process's own ANSI code page, whatever it is: what hosts use for paths.
    CP_SYSTEM_ANSI = 45,
};

// The Windows code page number behind an id (0 for the process's ANSI code page and for
// ids without one).
unsigned odWindowsCodePageOf(OdCodePageId id);

// Conversions; invalid input is replaced, never rejected.
std::wstring odToWide(const char* text, std::size_t length, OdCodePageId codePage);
std::string odToNarrow(const OdChar* text, std::size_t length, OdCodePageId codePage);
