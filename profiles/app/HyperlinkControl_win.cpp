// The web link control: a subclassed static control.
#include "HyperlinkControl_win.h"

#include "OpenUrl_win.h"
#include "dialogs/Window.h"

#include <commctrl.h>

namespace profiles {
namespace {

constexpr UINT_PTR kSubclassId = 0x4C494E4B;
constexpr WORD kHelpViewerHandCursor = 106;

HCURSOR g_handCursor = nullptr;
bool g_handCursorTried = false;

// The system's help viewer carries a hand cursor; a copy is kept for the process.
HCURSOR handCursor() {
    if (g_handCursorTried) return g_handCursor;
    g_handCursorTried = true;
    char folder[MAX_PATH];
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    std::string path = std::string(folder) + "\\winhlp32.exe";
    HMODULE viewer = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!viewer) return nullptr;
    if (HCURSOR cursor = LoadCursorA(viewer, MAKEINTRESOURCEA(kHelpViewerHandCursor)))
        g_handCursor = CopyCursor(cursor);
    FreeLibrary(viewer);
    return g_handCursor;
}

}  // namespace

HyperlinkControl::HyperlinkControl() : opener_(openUrl) {}

HyperlinkControl::~HyperlinkControl() {
    detach();
    if (normal_) DeleteObject(normal_);
    if (underlined_) DeleteObject(underlined_);
}

bool HyperlinkControl::hasHandCursor() { return handCursor() != nullptr; }

bool HyperlinkControl::attach(HWND dialog, int id) {
    detach();
    hwnd_ = GetDlgItem(dialog, id);
    if (!hwnd_) return false;
    // Clicks reach a static control only with the notify style.
    SetWindowLongPtrA(hwnd_, GWL_STYLE, GetWindowLongPtrA(hwnd_, GWL_STYLE) | SS_NOTIFY);
    std::string text = dlg::Window(hwnd_).text();
    if (address_.empty())
        address_ = text;
    else if (text.empty())
        SetWindowTextA(hwnd_, address_.c_str());
    makeFonts();
    fitToText();
    handCursor();
    makeTooltip();
    SetWindowSubclass(hwnd_, subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return true;
}

void HyperlinkControl::detach() {
    if (!hwnd_) return;
    KillTimer(hwnd_, kLeaveTimer);
    RemoveWindowSubclass(hwnd_, subclassProc, kSubclassId);
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    hwnd_ = nullptr;
}

void HyperlinkControl::setAddress(const std::string& address) {
    address_ = address;
    if (!hwnd_) return;
    fitToText();
    updateTooltip();
}

void HyperlinkControl::setVisited(bool visited) {
    visited_ = visited;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

HBRUSH HyperlinkControl::controlColour(HDC dc) const {
    SetTextColor(dc, linkTextColour(colours_, over_, visited_));
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

void HyperlinkControl::click() {
    over_ = false;
    const int result = opener_(address_, SW_SHOWNORMAL);
    if (result > 32) {
        setVisited(true);
        return;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    showLinkError(hwnd_ ? GetParent(hwnd_) : nullptr, result);
}

void HyperlinkControl::makeFonts() {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    LOGFONTA description = {};
    GetObjectA(font, sizeof(description), &description);
    if (normal_) DeleteObject(normal_);
    if (underlined_) DeleteObject(underlined_);
    normal_ = CreateFontIndirectA(&description);
    description.lfUnderline = TRUE;
    underlined_ = CreateFontIndirectA(&description);
    useFont(normal_);
}

void HyperlinkControl::useFont(HFONT font) {
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void HyperlinkControl::fitToText() {
    std::string text = dlg::Window(hwnd_).text();
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, normal_);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);

    const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    const LONG_PTR kind = style & SS_TYPEMASK;
    LinkAlign align = kind == SS_CENTER ? LinkAlign::Centre
                      : kind == SS_RIGHT ? LinkAlign::Right
                                         : LinkAlign::Left;
    RECT r = dlg::Window(hwnd_).rectInParent();
    LinkBox fitted = fitLinkToText({r.left, r.top, r.right, r.bottom}, size.cx, size.cy, align,
                                   (style & SS_CENTERIMAGE) != 0);
    SetWindowPos(hwnd_, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
                 fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void HyperlinkControl::makeTooltip() {
    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tooltip_) return;
    TTTOOLINFOA tool = toolInfo();
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

TTTOOLINFOA HyperlinkControl::toolInfo() const {
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = hwnd_;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>(address_.c_str());
    GetClientRect(hwnd_, &tool.rect);
    return tool;
}

void HyperlinkControl::updateTooltip() {
    if (!tooltip_) return;
    TTTOOLINFOA tool = toolInfo();
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void HyperlinkControl::mouseEntered() {
    over_ = true;
    useFont(underlined_);
    InvalidateRect(hwnd_, nullptr, TRUE);
    SetTimer(hwnd_, kLeaveTimer, kLeaveCheckMs, nullptr);
}

void HyperlinkControl::checkLeft() {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(hwnd_, &point);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (PtInRect(&client, point)) return;
    over_ = false;
    KillTimer(hwnd_, kLeaveTimer);
    useFont(normal_);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

bool HyperlinkControl::handle(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
    if (tooltip_ && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        MSG relayed = {hwnd_, msg, w, l, static_cast<DWORD>(GetMessageTime()), {}};
        SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (msg) {
        case WM_MOUSEMOVE:
            if (!over_) mouseEntered();
            return false;
        case WM_TIMER:
            if (w != kLeaveTimer) return false;
            checkLeft();
            result = 0;
            return true;
        case WM_SETCURSOR:
            if (!handCursor()) return false;
            SetCursor(handCursor());
            result = TRUE;
            return true;
        case WM_DESTROY:
            KillTimer(hwnd_, kLeaveTimer);
            return false;
        default:
            return false;
    }
}

LRESULT CALLBACK HyperlinkControl::subclassProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l,
                                                UINT_PTR, DWORD_PTR self) {
    auto* link = reinterpret_cast<HyperlinkControl*>(self);
    LRESULT result = 0;
    bool handled = false;
    try {
        handled = link && link->handle(msg, w, l, result);
    } catch (...) {
        handled = false;
    }
    if (msg == WM_NCDESTROY && link) {
        RemoveWindowSubclass(hwnd, subclassProc, kSubclassId);
        if (link->tooltip_ && IsWindow(link->tooltip_)) DestroyWindow(link->tooltip_);
        link->hwnd_ = nullptr;
        link->tooltip_ = nullptr;
    }
    return handled ? result : DefSubclassProc(hwnd, msg, w, l);
}

}  // namespace profiles
