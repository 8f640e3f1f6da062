// The thumbnail driver: renders one drawing's thumbnail as the shell would get it and
// writes it as a 24-bit .bmp file; prints the stored preview's kind and size as JSON.
//   vistrel-thumbnail FILE.dwg WIDTH HEIGHT OUT.bmp
// Exit status 0 whenever a bitmap came back (the no-thumbnail picture included).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "PreviewSystemServices.h"
#include "RenderThumbnail.h"
#include "dwg/DbInitialize.h"
#include "dwg/OdError.h"
#include "dwg/ThumbnailImage.h"

namespace {

// The stored preview's kind and size, read through the same services and stream.
OdDbPreviewInfo storedPreview(const char* path) {
    OdDbPreviewInfo info;
    OdSmartPtr<vistrel::PreviewSystemServices> services =
        OdSmartPtr<vistrel::PreviewSystemServices>::attach(new vistrel::PreviewSystemServices());
    odInitialize(services.get());
    try {
        OdStreamBufPtr stream = services->createFile(OdString(path, CP_SYSTEM_ANSI), kOdFileRead, kOdShareDenyNo, kOdOpenExisting);
        OdThumbnailImage image;
        info = odDbGetPreviewBitmapEx(stream.get(), &image);
    } catch (const OdError&) {
        info = OdDbPreviewInfo();
    }
    odUninitialize();
    if (info.kind == OdDbPreviewKind::kWmf) info = OdDbPreviewInfo();  // no picture to report
    return info;
}

bool writeBmp(HBITMAP bitmap, const char* path) {
    BITMAP info{};
    if (!GetObject(bitmap, sizeof info, &info)) return false;
    const int width = info.bmWidth, height = info.bmHeight;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::vector<unsigned char> rows(static_cast<std::size_t>(stride) * height);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    const int got = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), rows.data(), &bi, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (got != height) return false;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(rows.size());
    bi.bmiHeader.biSizeImage = static_cast<DWORD>(rows.size());
    std::FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
              std::fwrite(rows.data(), 1, rows.size(), f) == rows.size();
    return std::fclose(f) == 0 && ok;
}

int toSize(const char* text) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    return end && *end == '\0' && v > 0 && v <= 16384 ? static_cast<int>(v) : 0;
}

int run(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: vistrel-thumbnail FILE.dwg WIDTH HEIGHT OUT.bmp\n");
        return 2;
    }
    const int width = toSize(argv[2]), height = toSize(argv[3]);
    if (!width || !height) {
        std::fprintf(stderr, "vistrel-thumbnail: width and height must be whole numbers from 1 to 16384\n");
        return 2;
    }
    const OdDbPreviewInfo info = storedPreview(argv[1]);
    HBITMAP bitmap = vistrel::renderThumbnail(width, height, argv[1]);
    if (!bitmap) {
        std::fprintf(stderr, "vistrel-thumbnail: no bitmap came back\n");
        return 1;
    }
    const bool written = writeBmp(bitmap, argv[4]);
    DeleteObject(bitmap);
    if (!written) {
        std::fprintf(stderr, "vistrel-thumbnail: cannot write %s\n", argv[4]);
        return 1;
    }
    const char* kind = info.kind == OdDbPreviewKind::kBmp ? "bmp" : info.kind == OdDbPreviewKind::kPng ? "png" : "none";
    std::printf("{\"preview\": \"%s\", \"width\": %d, \"height\": %d}\n", kind, info.width, info.height);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const OdError& e) {
        std::fprintf(stderr, "vistrel-thumbnail: %ls\n", e.description().c_str());
    } catch (...) {
        std::fprintf(stderr, "vistrel-thumbnail: unexpected failure\n");
    }
    return 1;
}
