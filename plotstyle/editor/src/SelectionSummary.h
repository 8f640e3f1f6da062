// The selected styles folded into one value per property: the common value, or "various"
// when the styles differ. What the form view shows for a selection of any size.
#pragma once

#include "vexoutils/PlotStyle.h"

#include <string>

namespace quellon {

// The style properties the form view shows as one number each, in folding order.
enum class Property {
    Dither,
    Grayscale,
    Adaptive,
    Screening,
    Pen,
    VirtualPen,
    FillStyle,
    JoinStyle,
    EndStyle,
    Lineweight,
    Linetype,
};
constexpr int kPropertyCount = 11;

// The value of `property` in `style` (dither and grayscale as 0 or 1).
int propertyValue(const CPlotStyle& style, Property property);
// Sets `property` of `style`; true when that changed it.
bool setProperty(CPlotStyle& style, Property property, int value);

class SelectionSummary {
public:
    static constexpr int kNothing = -2;  // no style folded yet
    static constexpr int kVarious = -1;  // the folded styles differ
    enum class State { None, One, Various };

    SelectionSummary();
    void fold(const CPlotStyle& style);

    int value(Property property) const { return slots_[static_cast<int>(property)]; }
    State colorState() const { return colorState_; }
    VxColorRef color() const { return color_; }  // when colorState() is One
    State descriptionState() const { return descriptionState_; }
    const std::string& description() const { return description_; }

private:
    int slots_[kPropertyCount];
    State colorState_ = State::None;
    VxColorRef color_ = 0;
    State descriptionState_ = State::None;
    std::string description_;
};

}  // namespace quellon
