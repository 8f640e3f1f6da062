// A static text control that looks and behaves like a web link: link colours, the hand
// cursor, an underline while the mouse is over it, its address as tooltip, and a click that
// opens the address. The owner routes the control's colour request and click to it.
#pragma once

#include "LinkRules.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace profiles {

class HyperlinkControl {
public:
    // How an address is opened (openUrl unless a test says otherwise).
    using Opener = int (*)(const std::string& address, int show);

    static constexpr UINT_PTR kLeaveTimer = 100;
    static constexpr UINT kLeaveCheckMs = 100;

    HyperlinkControl();
    ~HyperlinkControl();
    HyperlinkControl(const HyperlinkControl&) = delete;
    HyperlinkControl& operator=(const HyperlinkControl&) = delete;

    // Binds the static control `id` of `dialog`, takes its text as address (or shows the
    // address when it has none), makes its fonts, fits it to its text, adds the tooltip.
    bool attach(HWND dialog, int id);
    HWND hwnd() const { return hwnd_; }

    void setAddress(const std::string& address);
    const std::string& address() const { return address_; }
    void setVisited(bool visited);
    bool visited() const { return visited_; }
    bool over() const { return over_; }
    const LinkColours& colours() const { return colours_; }
    void setOpener(Opener opener) { opener_ = opener; }

    // WM_CTLCOLORSTATIC for this control: the text colour of the state, no text background,
    // the button face behind it.
    HBRUSH controlColour(HDC dc) const;
    // The control was clicked (STN_CLICKED): opens the address.
    void click();
    // Whether the hand cursor could be loaded from the system's help viewer.
    static bool hasHandCursor();

private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR id,
                                         DWORD_PTR self);
    bool handle(UINT msg, WPARAM w, LPARAM l, LRESULT& result);
    void makeFonts();
    void fitToText();
    void makeTooltip();
    void updateTooltip();
    TTTOOLINFOA toolInfo() const;  // the one tool of the tooltip: the whole control, the address
    void mouseEntered();
    void checkLeft();
    void useFont(HFONT font);
    void detach();

    HWND hwnd_ = nullptr;
    HWND tooltip_ = nullptr;
    HFONT normal_ = nullptr;
    HFONT underlined_ = nullptr;
    std::string address_;
    LinkColours colours_;
    bool visited_ = false;
    bool over_ = false;
    Opener opener_;
};

}  // namespace profiles
