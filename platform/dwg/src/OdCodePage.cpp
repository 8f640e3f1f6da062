// The code page table shared by both platforms: which Windows code page an id stands for.
// The conversions themselves are platform halves (_win, _posix).
#include "dwg/OdCodePage.h"

unsigned odWindowsCodePageOf(OdCodePageId id) {
    switch (id) {
    case CP_ASCII: return 20127;
    case CP_8859_1: return 28591;
    case CP_8859_2: return 28592;
    case CP_8859_3: return 28593;
    case CP_8859_4: return 28594;
    case CP_8859_5: return 28595;
    case CP_8859_6: return 28596;
    case CP_8859_7: return 28597;
    case CP_8859_8: return 28598;
    case CP_8859_9: return 28599;
    case CP_DOS437: return 437;
    case CP_DOS850: return 850;
    case CP_DOS852: return 852;
    case CP_DOS855: return 855;
    case CP_DOS857: return 857;
    case CP_DOS860: return 860;
    case CP_DOS861: return 861;
    case CP_DOS863: return 863;
    case CP_DOS864: return 864;
    case CP_DOS865: return 865;
    case CP_DOS869: return 869;
    case CP_DOS932: return 932;
    case CP_MACINTOSH: return 10000;
    case CP_BIG5: return 950;
    case CP_KSC5601: return 949;
    case CP_JOHAB: return 1361;
    case CP_DOS866: return 866;
    case CP_ANSI_1250: return 1250;
    case CP_ANSI_1251: return 1251;
    case CP_ANSI_1252: return 1252;
    case CP_GB2312: return 936;
    case CP_ANSI_1253: return 1253;
    case CP_ANSI_1254: return 1254;
    case CP_ANSI_1255: return 1255;
    case CP_ANSI_1256: return 1256;
    case CP_ANSI_1257: return 1257;
    case CP_ANSI_874: return 874;
    case CP_ANSI_932: return 932;
    case CP_ANSI_936: return 936;
    case CP_ANSI_949: return 949;
    case CP_ANSI_950: return 950;
    case CP_ANSI_1361: return 1361;
    case CP_ANSI_1200: return 1200;
    case CP_ANSI_1258: return 1258;
    default: return 0;
    }
}
