// Index colours: the palette as COLORREFs, exact and nearest look-ups, and the lineweight
// range check users' typing goes through.
#include "Colors.h"

#include <string>

#include "Limits.h"
#include "PiaText.h"
#include "vexoutils/Palette.h"
#include "vexoutils/PlotStyle.h"

namespace vexo {

std::uint32_t rgbOfIndex(int index) {
    if (index < 0 || index > 255) return 0;
    const PaletteEntry& e = g_cBasePalette[index];
    return std::uint32_t(e.rgbRed) << 16 | std::uint32_t(e.rgbGreen) << 8 | e.rgbBlue;
}

int indexOfRgb(std::uint32_t rgb) {
    rgb &= 0xFFFFFF;
    for (int i = 1; i <= 255; ++i)
        if (rgbOfIndex(i) == rgb) return i;
    return -1;
}

int nearestIndexOfRgb(std::uint32_t rgb) {
    const int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
    int best = 1;
    long bestDistance = -1;
    for (int i = 1; i <= 255; ++i) {
        const std::uint32_t c = rgbOfIndex(i);
        const long dr = r - int(c >> 16 & 0xFF), dg = g - int(c >> 8 & 0xFF),
                   db = b - int(c & 0xFF);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

std::uint32_t swapRedBlue(std::uint32_t c) {
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

}  // namespace vexo

VxColorRef ACAD2rgb(int index) {
    return vexo::swapRedBlue(vexo::rgbOfIndex(index));
}

int rgb2ACAD(VxColorRef color) {
    if (color == kVxObjectColor) return -1;
    return vexo::indexOfRgb(vexo::swapRedBlue(static_cast<std::uint32_t>(color) & 0xFFFFFF));
}

int findClosestACIIdx(VxColorRef color) {
    return vexo::nearestIndexOfRgb(vexo::swapRedBlue(static_cast<std::uint32_t>(color) & 0xFFFFFF));
}

bool checkLineWeightRange(double& value, const char* text, bool inches) {
    try {
        if (!text) return false;
        std::string s(text);
        const auto first = s.find_first_not_of(" \t\r\n");
        if (first == std::string::npos) return false;
        s = s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
        if (s.find('.') == std::string::npos) {
            const auto comma = s.find(',');
            if (comma != std::string::npos) s[comma] = '.';
        }
        double v;
        if (!vexo::parseReal(s, v)) return false;
        const double mm = inches ? v * vexo::kMmPerInch : v;
        if (!(mm >= 0.0) || mm > vexo::kMaxLineweightMm + 1e-9) return false;
        value = v;
        return true;
    } catch (...) {
        return false;
    }
}
