// OdError: the code, and its text from the host's message table when there is a host.
// Without a host the text is the bare code, so a description never fails.
#include "dwg/OdError.h"

#include "dwg/RxSystemServices.h"

OdError::OdError(OdResult code) : code_(code) {}
OdError::OdError(const OdString& message) : code_(eExtendedError), message_(message) {}
OdError::OdError(OdResult code, const OdString& fileName) : code_(code), fileName_(fileName) {}
OdError::~OdError() = default;

OdString OdError::description() const {
    OdString text = message_;
    if (text.isEmpty()) {
        if (OdRxSystemServices* services = odrxSystemServices()) {
            try {
                text = services->formatMessage(static_cast<unsigned>(code_));
            } catch (...) {
                text = OdString();
            }
        }
        if (text.isEmpty()) text.format(L"Error %d", static_cast<int>(code_));
    }
    if (!fileName_.isEmpty()) text += OdString(L": \"") + fileName_ + OdString(L"\"");
    return text;
}
