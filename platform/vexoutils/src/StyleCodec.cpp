// One style block of a table file to a CPlotStyle and back: the sixteen keys (found by
// length, then spelling), the colour words with their type bytes, and the colour policy bits.
#include <charconv>
#include <cmath>
#include <cstring>

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

bool intField(const LineScan& scan, std::size_t i, int& out, std::string& error,
              long long lo = -2147483648LL, long long hi = 2147483647LL) {
    long long v;
    if (!parseInt(scan.value(i), v) || v < lo || v > hi) {
        error = "line " + std::to_string(scan.lineNumber(i)) + ": bad " + std::string(scan.key(i)) +
                " '" + std::string(scan.value(i)) + "'";
        return false;
    }
    out = static_cast<int>(v);
    return true;
}

std::string badValue(const LineScan& scan, std::size_t i, const char* what) {
    return "line " + std::to_string(scan.lineNumber(i)) + ": bad " + what;
}

// The keys of a style block, found by length first.
enum class Key {
    Unknown,
    Name,
    LocalizedName,
    Description,
    Color,
    ModeColor,
    ColorPolicy,
    PhysicalPen,
    VirtualPen,
    Screen,
    LinePatternSize,
    Linetype,
    AdaptiveLinetype,
    Lineweight,
    FillStyle,
    EndStyle,
    JoinStyle,
};

Key keyOf(std::string_view k) {
    switch (k.size()) {
        case 4:
            return k == "name" ? Key::Name : Key::Unknown;
        case 5:
            return k == "color" ? Key::Color : Key::Unknown;
        case 6:
            return k == "screen" ? Key::Screen : Key::Unknown;
        case 8:
            return k == "linetype" ? Key::Linetype : Key::Unknown;
        case 9:
            return k == "end_style" ? Key::EndStyle : Key::Unknown;
        case 10:
            if (k == "mode_color") return Key::ModeColor;
            if (k == "lineweight") return Key::Lineweight;
            if (k == "fill_style") return Key::FillStyle;
            if (k == "join_style") return Key::JoinStyle;
            return Key::Unknown;
        case 11:
            return k == "description" ? Key::Description : Key::Unknown;
        case 12:
            return k == "color_policy" ? Key::ColorPolicy : Key::Unknown;
        case 14:
            return k == "localized_name" ? Key::LocalizedName : Key::Unknown;
        case 16:
            return k == "linepattern_size" ? Key::LinePatternSize : Key::Unknown;
        case 17:
            return k == "adaptive_linetype" ? Key::AdaptiveLinetype : Key::Unknown;
        case 18:
            return k == "virtual_pen_number" ? Key::VirtualPen : Key::Unknown;
        case 19:
            return k == "physical_pen_number" ? Key::PhysicalPen : Key::Unknown;
        default:
            return Key::Unknown;
    }
}

void indent(std::string& out, int depth) {
    out.append(static_cast<std::size_t>(depth), ' ');
}

void keyIs(std::string& out, std::string_view key) {
    out += "  ";
    out += key;
    out += '=';
}

// "  key=value\n" assembled in place and appended at once.
void intLine(std::string& out, std::string_view key, long long value) {
    char line[64];
    char* p = line;
    *p++ = ' ';
    *p++ = ' ';
    std::memcpy(p, key.data(), key.size());  // the keys are this file's own, all short
    p += key.size();
    *p++ = '=';
    p = std::to_chars(p, line + sizeof line - 1, value).ptr;
    *p++ = '\n';
    out.append(line, static_cast<std::size_t>(p - line));
}

}  // namespace

bool StyleCodec::read(const LineScan& scan, std::size_t open, CPlotStyle& s,
                      std::string& error) {
    bool haveName = false, haveLocalized = false, haveColor = false;
    std::string_view nameKey, localized;
    long long colorWord = 0, modeWord = 0;
    int policy = 1;
    std::string_view after;
    const std::size_t close = scan.last(open);
    for (std::size_t i = open + 1; i < close; ++i) {
        if (scan.isOpen(i)) {
            // A block inside a style: nobody's we know of; kept as it is.
            const std::size_t last = scan.last(i);
            s.unknown_.push_back(keepUnknown(scan, i, last, after));
            i = last;
            continue;
        }
        const std::string_view key = scan.key(i);
        const std::string_view value = scan.value(i);
        bool known = true;
        switch (keyOf(key)) {
            case Key::Name:
                nameKey = value, haveName = true;
                break;
            case Key::LocalizedName:
                localized = value, haveLocalized = true;
                break;
            case Key::Description:
                s.description = stringValue(value);
                break;
            case Key::Color:
            case Key::ModeColor: {
                long long v;
                if (!parseInt(value, v) || v < -2147483648LL || v > 4294967295LL) {
                    error = "line " + std::to_string(scan.lineNumber(i)) + ": bad colour '" +
                            std::string(value) + "'";
                    return false;
                }
                // Some writers store the unsigned form: keep the low 32 bits.
                if (key.size() == 5) {
                    colorWord = v & 0xFFFFFFFFLL, haveColor = true;
                } else {
                    modeWord = v & 0xFFFFFFFFLL, s.hasModeWord_ = true;
                }
                break;
            }
            case Key::ColorPolicy:
                if (!intField(scan, i, policy, error, 0, 255)) return false;
                break;
            case Key::PhysicalPen:
                if (!intField(scan, i, s.penNumber, error)) return false;
                break;
            case Key::VirtualPen:
                if (!intField(scan, i, s.virtualPenNumber, error)) return false;
                break;
            case Key::Screen:
                if (!intField(scan, i, s.screening, error)) return false;
                break;
            case Key::LinePatternSize:
                if (!parseReal(value, s.linePatternSize_)) {
                    error = badValue(scan, i, "linepattern_size");
                    return false;
                }
                break;
            case Key::Linetype:
                if (!intField(scan, i, s.linetype, error)) return false;
                break;
            case Key::AdaptiveLinetype: {
                bool b;
                if (!parseBool(value, b)) {
                    error = badValue(scan, i, "adaptive_linetype");
                    return false;
                }
                s.adaptive = b ? 1 : 0;
                break;
            }
            case Key::Lineweight:
                // 1-based into the table's 27 entries; anything else would point outside it.
                if (!intField(scan, i, s.lineweight, error, 0, CPlotStyleTable::kLineweightCount))
                    return false;
                break;
            case Key::FillStyle:
                if (!intField(scan, i, s.fillStyle, error)) return false;
                break;
            case Key::EndStyle:
                if (!intField(scan, i, s.endStyle, error)) return false;
                break;
            case Key::JoinStyle:
                if (!intField(scan, i, s.joinStyle, error)) return false;
                break;
            case Key::Unknown:
                known = false;
                break;
        }
        if (known) {
            after = key;
        } else {
            s.unknown_.push_back(keepUnknown(scan, i, i, after));
        }
    }
    if (!haveName && !haveLocalized) {
        error = "a style without a name";
        return false;
    }
    s.fileName_ = stringValue(haveName ? nameKey : localized);
    s.name = haveLocalized ? stringValue(localized) : s.fileName_;
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

void StyleCodec::write(std::string& out, const CPlotStyle& s, int index) {
    const ColorWords w = colorWords(s);
    indent(out, 1);
    appendInt(out, index);
    out += "{\n";
    UnknownWriter unknown(out, s.unknown_, 2);
    keyIs(out, "name");
    appendQuoted(out, nameKey(s));
    out += '\n';
    unknown.after("name");
    keyIs(out, "localized_name");
    appendQuoted(out, s.name);
    out += '\n';
    unknown.after("localized_name");
    keyIs(out, "description");
    appendQuoted(out, s.description);
    out += '\n';
    unknown.after("description");
    intLine(out, "color", static_cast<std::int32_t>(w.color));
    unknown.after("color");
    intLine(out, "mode_color", static_cast<std::int32_t>(w.mode));
    unknown.after("mode_color");
    intLine(out, "color_policy", w.policy);
    unknown.after("color_policy");
    intLine(out, "physical_pen_number", s.penNumber);
    unknown.after("physical_pen_number");
    intLine(out, "virtual_pen_number", s.virtualPenNumber);
    unknown.after("virtual_pen_number");
    intLine(out, "screen", s.screening);
    unknown.after("screen");
    keyIs(out, "linepattern_size");
    const double patternSize = std::isfinite(s.linePatternSize_) ? s.linePatternSize_ : 0.5;
    if (patternSize == 0.5)
        out += "0.5\n";  // the default nearly every style has, without the number formatter
    else
        appendReal(out, patternSize), out += '\n';
    unknown.after("linepattern_size");
    intLine(out, "linetype", s.linetype);
    unknown.after("linetype");
    keyIs(out, "adaptive_linetype");
    out += s.adaptive ? "TRUE\n" : "FALSE\n";
    unknown.after("adaptive_linetype");
    // An index outside the list would make the file unreadable: the object's lineweight.
    const bool lineweightValid =
        s.lineweight >= 0 && s.lineweight <= CPlotStyleTable::kLineweightCount;
    intLine(out, "lineweight", lineweightValid ? s.lineweight : 0);
    unknown.after("lineweight");
    intLine(out, "fill_style", s.fillStyle);
    unknown.after("fill_style");
    intLine(out, "end_style", s.endStyle);
    unknown.after("end_style");
    intLine(out, "join_style", s.joinStyle);
    unknown.after("join_style");
    unknown.finish();
    indent(out, 1);
    out += "}\n";
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
