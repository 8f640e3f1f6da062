// The system clipboard behind the style commands: the format registered by name, and one
// block of movable, zero-initialised global memory per style put there.
#pragma once

#include "ClipboardStyle.h"

#include <windows.h>

namespace quellon {

class SystemStyleClipboard : public StyleClipboard {
public:
    // `owner`: the window that opens the clipboard (the form view).
    explicit SystemStyleClipboard(HWND owner) : owner_(owner) {}

    unsigned registerFormat(const std::string& name) override;
    bool holds(unsigned format) override;
    bool put(unsigned format, const std::vector<unsigned char>& block) override;
    bool read(unsigned format, const Reader& reader) override;

private:
    HWND owner_;
};

}  // namespace quellon
