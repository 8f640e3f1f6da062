// Folding a selection of styles into common values.
#include "SelectionSummary.h"

namespace quellon {

int propertyValue(const CPlotStyle& s, Property p) {
    switch (p) {
        case Property::Dither:
            return (s.flags & CPlotStyle::kDither) ? 1 : 0;
        case Property::Grayscale:
            return (s.flags & CPlotStyle::kGrayscale) ? 1 : 0;
        case Property::Adaptive:
            return s.adaptive;
        case Property::Screening:
            return s.screening;
        case Property::Pen:
            return s.penNumber;
        case Property::VirtualPen:
            return s.virtualPenNumber;
        case Property::FillStyle:
            return s.fillStyle;
        case Property::JoinStyle:
            return s.joinStyle;
        case Property::EndStyle:
            return s.endStyle;
        case Property::Lineweight:
            return s.lineweight;
        case Property::Linetype:
            return s.linetype;
    }
    return 0;
}

namespace {
bool setBit(CPlotStyle& s, unsigned bit, int on) {
    const unsigned flags = on ? (s.flags | bit) : (s.flags & ~bit);
    if (flags == s.flags) return false;
    s.flags = flags;
    return true;
}
bool setInt(int& field, int value) {
    if (field == value) return false;
    field = value;
    return true;
}
}  // namespace

bool setProperty(CPlotStyle& s, Property p, int value) {
    switch (p) {
        case Property::Dither:
            return setBit(s, CPlotStyle::kDither, value);
        case Property::Grayscale:
            return setBit(s, CPlotStyle::kGrayscale, value);
        case Property::Adaptive: {
            const unsigned char v = value ? 1 : 0;
            if (s.adaptive == v) return false;
            s.adaptive = v;
            return true;
        }
        case Property::Screening:
            return setInt(s.screening, value);
        case Property::Pen:
            return setInt(s.penNumber, value);
        case Property::VirtualPen:
            return setInt(s.virtualPenNumber, value);
        case Property::FillStyle:
            return setInt(s.fillStyle, value);
        case Property::JoinStyle:
            return setInt(s.joinStyle, value);
        case Property::EndStyle:
            return setInt(s.endStyle, value);
        case Property::Lineweight:
            return setInt(s.lineweight, value);
        case Property::Linetype:
            return setInt(s.linetype, value);
    }
    return false;
}

SelectionSummary::SelectionSummary() {
    for (int& slot : slots_) slot = kNothing;
}

void SelectionSummary::fold(const CPlotStyle& style) {
    for (int i = 0; i < kPropertyCount; ++i) {
        int& slot = slots_[i];
        const int v = propertyValue(style, static_cast<Property>(i));
        if (slot == v || slot == kVarious) continue;
        slot = slot == kNothing ? v : kVarious;
    }
    const VxColorRef color = style.color2rgb();
    if (colorState_ == State::None) {
        colorState_ = State::One;
        color_ = color;
    } else if (colorState_ == State::One && color_ != color) {
        colorState_ = State::Various;
    }
    if (descriptionState_ == State::None) {
        descriptionState_ = State::One;
        description_ = style.description;
    } else if (descriptionState_ == State::One && description_ != style.description) {
        descriptionState_ = State::Various;
    }
}

}  // namespace quellon
