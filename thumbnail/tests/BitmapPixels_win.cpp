// GetDIBits into a 32-bit top-down buffer.
// The alpha byte GDI leaves in the buffer is dropped.
#include "BitmapPixels.h"

#include <cstdio>

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

bool saveBmp(const Pixels& p, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const std::uint32_t stride = (static_cast<std::uint32_t>(p.width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(p.height);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + imageSize;
    ih.biSize = sizeof ih;
    ih.biWidth = p.width;
    ih.biHeight = p.height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biSizeImage = imageSize;
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::vector<std::uint8_t> row(stride, 0);
    for (int y = p.height - 1; y >= 0; --y) {
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t c = p.at(x, y);
            row[3 * x] = c & 255;
            row[3 * x + 1] = (c >> 8) & 255;
            row[3 * x + 2] = (c >> 16) & 255;
        }
        std::fwrite(row.data(), 1, stride, f);
    }
    return std::fclose(f) == 0;
}
