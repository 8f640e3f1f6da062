// The message table the host services answer the library's message codes from: 502
// texts indexed by code, printf-style placeholders where the library passes arguments.
#pragma once

#include "dwg/OdTypes.h"

namespace vistrel {

constexpr unsigned kMessageCount = 502;
constexpr unsigned kFirstReportCode = 151;

extern const OdChar* const kResultTexts[kFirstReportCode];
extern const OdChar* const kReportTexts[kMessageCount - kFirstReportCode];

// The text for a code below kMessageCount; null above.
inline const OdChar* messageText(unsigned code) {
    if (code < kFirstReportCode) return kResultTexts[code];
    if (code < kMessageCount) return kReportTexts[code - kFirstReportCode];
    return nullptr;
}

}  // namespace vistrel
