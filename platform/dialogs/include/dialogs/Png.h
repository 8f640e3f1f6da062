// A small PNG writer for screenshots of dialogs: 24-bit RGB, stored (uncompressed) deflate
// blocks, so it needs no compression library and the pictures stay easy to check.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dlg {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes (R, G, B) per pixel

    void resize(int w, int h) {
        width = w;
        height = h;
        rgb.assign(std::size_t(w) * std::size_t(h) * 3, 0);
    }
    std::uint32_t pixel(int x, int y) const {  // 0x00RRGGBB
        const std::uint8_t* p = &rgb[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * 3];
        return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    }
};

// The PNG file bytes of `image`; empty when the image has no pixels or its buffer is short.
std::vector<std::uint8_t> encodePng(const RgbImage& image);
bool writePng(const RgbImage& image, const std::string& path);

}  // namespace dlg
