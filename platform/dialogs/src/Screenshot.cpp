// Window pictures read back from the screen: what the user sees of the window, children and
// all, at its place on the display.
#include "dialogs/Screenshot.h"

namespace dlg {

void pumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (milliseconds) Sleep(10);
    } while (GetTickCount() - start < milliseconds);
}

bool captureWindow(HWND hwnd, RgbImage& image, bool clientOnly) {
    RECT rect = {};
    if (clientOnly) {
        if (!GetClientRect(hwnd, &rect)) return false;
        MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    } else if (!GetWindowRect(hwnd, &rect)) {
        return false;
    }
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top,
                    SRCCOPY | CAPTUREBLT) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
        if (ok) {
            image.resize(width, height);
            const auto* src = static_cast<const unsigned char*>(bits);
            for (std::size_t i = 0, n = std::size_t(width) * std::size_t(height); i < n; ++i) {
                image.rgb[i * 3 + 0] = src[i * 4 + 2];
                image.rgb[i * 3 + 1] = src[i * 4 + 1];
                image.rgb[i * 3 + 2] = src[i * 4 + 0];
            }
        }
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace dlg
