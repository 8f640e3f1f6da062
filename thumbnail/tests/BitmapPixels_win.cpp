// GetDIBits into a 32-bit top-down buffer.
// The alpha byte GDI leaves in the buffer is dropped.
#include "BitmapPixels.h"


Pixels readPixels(HBITMAP bitmap) {
    Pixels p;
    BITMAP info{};
    if (!bitmap || !GetObject(bitmap, sizeof info, &info)) return p;
    p.width = info.bmWidth;
    p.height = info.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = p.width;
    bi.bmiHeader.biHeight = -p.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> raw(static_cast<std::size_t>(p.width) * p.height);
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(p.height), raw.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    p.rgb.resize(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) p.rgb[i] = raw[i] & 0xFFFFFF;
    return p;
}
