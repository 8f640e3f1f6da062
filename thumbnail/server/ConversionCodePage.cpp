// The conversion code page rule, apart from the platform questions it is given answers to.
#include "ConversionCodePage.h"

namespace vistrel {

unsigned chooseConversionCodePage(bool ntPlatform, unsigned majorVersion, const char* localeAnswer,
                                  unsigned systemAnsiCodePage) {
    if (ntPlatform && majorVersion > 4) return kThreadAnsiCodePage;
    unsigned number = 0;
    if (localeAnswer) {
        // The leading digits; the answer is at most seven characters long.
        for (int i = 0; i < 7 && localeAnswer[i] >= '0' && localeAnswer[i] <= '9'; ++i)
            number = number * 10 + static_cast<unsigned>(localeAnswer[i] - '0');
    }
    return number != 0 ? number : systemAnsiCodePage;
}

}  // namespace vistrel
