// One style block of a table file to a CPlotStyle and back: the sixteen keys, the colour
// words with their type bytes, and the colour policy bits.
#include <cmath>

#include "Colors.h"
#include "TableCodec.h"

namespace vexo {
namespace {

constexpr std::uint32_t kObjectWord = 0xC3FFFFFF;
constexpr std::uint32_t kRgbMask = 0x00FFFFFF;

// The old 0xFF type byte (stock files) is written as an index colour, as CAD programs do.
std::uint32_t normalisedType(std::uint32_t word) {
    return (word >> 24) == 0xFF ? (0xC3000000u | (word & kRgbMask)) : word;
}

bool intField(const TextEntry& e, int& out, std::string& error, long long lo = -2147483648LL,
              long long hi = 2147483647LL) {
    long long v;
    if (!parseInt(e.value, v) || v < lo || v > hi) {
        error = "line " + std::to_string(e.line) + ": bad " + e.key + " '" + e.value + "'";
        return false;
    }
    out = static_cast<int>(v);
    return true;
}

TextEntry scalar(const char* key, std::string value) {
    TextEntry e;
    e.key = key;
    e.value = std::move(value);
    return e;
}

}  // namespace

bool StyleCodec::read(const std::vector<TextEntry>& entries, CPlotStyle& s, std::string& error) {
    bool haveName = false, haveLocalized = false, haveColor = false;
    std::string nameKey, localized;
    long long colorWord = 0, modeWord = 0;
    int policy = 1;
    std::string after;
    for (const TextEntry& e : entries) {
        const std::string& k = e.key;
        bool known = !e.block;
        if (!known) {
        } else if (k == "name") {
            nameKey = stringValue(e.value), haveName = true;
        } else if (k == "localized_name") {
            localized = stringValue(e.value), haveLocalized = true;
        } else if (k == "description") {
            s.description = stringValue(e.value);
        } else if (k == "color" || k == "mode_color") {
            long long v;
            if (!parseInt(e.value, v) || v < -2147483648LL || v > 4294967295LL) {
                error = "line " + std::to_string(e.line) + ": bad colour '" + e.value + "'";
                return false;
            }
            // Some writers store the unsigned form: keep the low 32 bits.
            if (k == "color") {
                colorWord = v & 0xFFFFFFFFLL, haveColor = true;
            } else {
                modeWord = v & 0xFFFFFFFFLL, s.hasModeWord_ = true;
            }
        } else if (k == "color_policy") {
            if (!intField(e, policy, error, 0, 255)) return false;
        } else if (k == "physical_pen_number") {
            if (!intField(e, s.penNumber, error)) return false;
        } else if (k == "virtual_pen_number") {
            if (!intField(e, s.virtualPenNumber, error)) return false;
        } else if (k == "screen") {
            if (!intField(e, s.screening, error)) return false;
        } else if (k == "linepattern_size") {
            if (!parseReal(e.value, s.linePatternSize_)) {
                error = "line " + std::to_string(e.line) + ": bad linepattern_size";
                return false;
            }
        } else if (k == "linetype") {
            if (!intField(e, s.linetype, error)) return false;
        } else if (k == "adaptive_linetype") {
            bool b;
            if (!parseBool(e.value, b)) {
                error = "line " + std::to_string(e.line) + ": bad adaptive_linetype";
                return false;
            }
            s.adaptive = b ? 1 : 0;
        } else if (k == "lineweight") {
            // 1-based into the table's 27 entries; anything else would point outside it.
            if (!intField(e, s.lineweight, error, 0, CPlotStyleTable::kLineweightCount))
                return false;
        } else if (k == "fill_style") {
            if (!intField(e, s.fillStyle, error)) return false;
        } else if (k == "end_style") {
            if (!intField(e, s.endStyle, error)) return false;
        } else if (k == "join_style") {
            if (!intField(e, s.joinStyle, error)) return false;
        } else {
            known = false;
        }
        if (known) {
            after = k;
        } else {
            s.unknown_.push_back(keepUnknown(e, after));
        }
    }
    if (!haveName && !haveLocalized) {
        error = "a style without a name";
        return false;
    }
    s.fileName_ = haveName ? nameKey : localized;
    s.name = haveLocalized ? localized : nameKey;
    s.nameAsRead_ = s.name;

    // Grayscale together with the explicit-colour bit is never written by CAD programs; the
    // host shows such a style as object colour with dither and no grayscale, and so do we.
    if ((policy & 6) == 6) policy = 1;
    s.flags = static_cast<unsigned>(policy) & (CPlotStyle::kDither | CPlotStyle::kGrayscale);
    s.colorWord_ = static_cast<std::uint32_t>(colorWord);
    s.modeWord_ = static_cast<std::uint32_t>(modeWord);
    const std::uint32_t effective = s.hasModeWord_ ? s.modeWord_ : s.colorWord_;
    const std::uint32_t type = effective >> 24;
    const bool byLayerOrBlock = type == 0xC0 || type == 0xC1;
    const bool object = !haveColor || (effective & kRgbMask) == kRgbMask || byLayerOrBlock ||
                        ((policy & 2) == 0 && (policy & 4) == 0);
    s.color_ = object ? -1 : static_cast<int>(effective & kRgbMask);
    s.wordsValid_ = !object;
    return true;
}

ColorWords StyleCodec::colorWords(const CPlotStyle& s) {
    ColorWords w;
    const bool grayscale = (s.flags & CPlotStyle::kGrayscale) != 0;
    w.policy =
        static_cast<int>(s.flags & CPlotStyle::kDither) | (grayscale ? 2 : (s.color_ >= 0 ? 4 : 0));
    if (s.color_ < 0) {
        w.color = w.mode = kObjectWord;
    } else if (s.wordsValid_) {
        w.color = normalisedType(s.colorWord_);
        w.mode = normalisedType(s.hasModeWord_ ? s.modeWord_ : s.colorWord_);
    } else {
        const std::uint32_t rgb = static_cast<std::uint32_t>(s.color_) & kRgbMask;
        const bool exact = indexOfRgb(rgb) > 0;
        w.mode = (exact ? 0xC3000000u : 0xC2000000u) | rgb;
        w.color = 0xC3000000u | rgbOfIndex(nearestIndexOfRgb(rgb));
    }
    return w;
}

TextEntry StyleCodec::write(const CPlotStyle& s, int index) {
    const ColorWords w = colorWords(s);
    TextEntry block;
    block.key = std::to_string(index);
    block.block = true;
    auto& c = block.children;
    c.reserve(16 + s.unknown_.size());
    c.push_back(scalar("name", quoted(nameKey(s))));
    c.push_back(scalar("localized_name", quoted(s.name)));
    c.push_back(scalar("description", quoted(s.description)));
    c.push_back(scalar("color", std::to_string(static_cast<std::int32_t>(w.color))));
    c.push_back(scalar("mode_color", std::to_string(static_cast<std::int32_t>(w.mode))));
    c.push_back(scalar("color_policy", std::to_string(w.policy)));
    c.push_back(scalar("physical_pen_number", std::to_string(s.penNumber)));
    c.push_back(scalar("virtual_pen_number", std::to_string(s.virtualPenNumber)));
    c.push_back(scalar("screen", std::to_string(s.screening)));
    c.push_back(scalar("linepattern_size",
                       formatReal(std::isfinite(s.linePatternSize_) ? s.linePatternSize_ : 0.5)));
    c.push_back(scalar("linetype", std::to_string(s.linetype)));
    c.push_back(scalar("adaptive_linetype", s.adaptive ? "TRUE" : "FALSE"));
    // An index outside the list would make the file unreadable: the object's lineweight.
    const bool lineweightValid =
        s.lineweight >= 0 && s.lineweight <= CPlotStyleTable::kLineweightCount;
    c.push_back(scalar("lineweight", std::to_string(lineweightValid ? s.lineweight : 0)));
    c.push_back(scalar("fill_style", std::to_string(s.fillStyle)));
    c.push_back(scalar("end_style", std::to_string(s.endStyle)));
    c.push_back(scalar("join_style", std::to_string(s.joinStyle)));
    placeUnknown(c, s.unknown_);
    return block;
}

std::string StyleCodec::nameKey(const CPlotStyle& s) {
    return (s.name == s.nameAsRead_ && !s.fileName_.empty()) ? s.fileName_ : s.name;
}

void StyleCodec::rename(CPlotStyle& s, const std::string& name) {
    s.name = name;
    s.fileName_ = name;
    s.nameAsRead_ = name;
}

void StyleCodec::markNameRead(CPlotStyle& s) {
    s.nameAsRead_ = s.name;
}

void StyleCodec::initColorStyle(CPlotStyle& s, int index) {
    const std::string n = "Color_" + std::to_string(index + 1);
    rename(s, n);
}

}  // namespace vexo
