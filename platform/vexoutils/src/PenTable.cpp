// Tables made from the pens of an older plotter configuration: pen numbers, hardware
// linetypes and pen widths become physical pens, linetypes and lineweights. Pen speed has
// no place in a plot style and is dropped.
#include <cmath>
#include <map>
#include <tuple>

#include "Limits.h"
#include "PiaText.h"
#include "TableCodec.h"
#include "vexoutils/PlotStyleTable.h"

namespace {

struct PenStyle {
    int pen = 0;
    int linetype = CPlotStyle::kLinetypeObject;
    int lineweight = CPlotStyle::kLineweightObject;
    bool operator<(const PenStyle& o) const {
        return std::tie(pen, linetype, lineweight) < std::tie(o.pen, o.linetype, o.lineweight);
    }
    bool isDefault() const {
        return pen == 0 && linetype == CPlotStyle::kLinetypeObject &&
               lineweight == CPlotStyle::kLineweightObject;
    }
};

// The table's entry for a pen width: an equal entry, else the nearest one (with a warning).
int lineweightFor(const CPlotStyleTable& table, double mm, bool& warn) {
    int best = 0;
    double bestDistance = -1;
    for (int j = 0; j < CPlotStyleTable::kLineweightCount; ++j) {
        const double d = std::fabs(table.lineweights[j] - mm);
        if (bestDistance < 0 || d < bestDistance) {
            best = j;
            bestDistance = d;
        }
    }
    if (bestDistance > vexo::kLineweightMatchMm) warn = true;
    return best + 1;
}

PenStyle mapPen(const CPlotStyleTable& table, const PenSettings& p, bool inches, bool& warn) {
    PenStyle s;
    if (p.pen >= 1 && p.pen <= 32) {
        s.pen = p.pen;
    } else if (p.pen > 32) {
        warn = true;  // no such physical pen: automatic
    }
    if (p.linetype >= 0 && p.linetype <= 30) {
        s.linetype = p.linetype;
    } else if (p.linetype != -1) {
        warn = true;
    }
    if (std::isfinite(p.width) && p.width > 0) {
        s.lineweight = lineweightFor(table, inches ? p.width * vexo::kMmPerInch : p.width, warn);
    } else if (p.width != 0.0) {
        warn = true;
    }
    return s;
}

void applyPen(CPlotStyle& style, const PenStyle& p) {
    style.penNumber = p.pen;
    style.linetype = p.linetype;
    style.lineweight = p.lineweight;
}

}  // namespace

CPlotStyleTable* CPlotStyleTable::createPlotStyleTable(bool colorDependent_, bool inches,
                                                       const PenSettings* pens, bool& warn,
                                                       const char* description_) {
    try {
        if (!pens) return nullptr;
        std::unique_ptr<CPlotStyleTable> table(create(colorDependent_, description_));
        if (!table) return nullptr;
        if (colorDependent_) {
            for (int k = 1; k <= kColorStyleCount; ++k)
                applyPen(*table->style(k - 1), mapPen(*table, pens[k], inches, warn));
            return table.release();
        }
        // Named: one style per distinct pen, and every colour mapped to its pen's style.
        auto& styles = vexo::TableCodec::styles(*table);
        styles.resize(1);  // Normal
        auto& mapping = vexo::TableCodec::aciNames(*table);
        mapping.assign(kColorStyleCount, "Normal");
        std::map<PenStyle, std::string> names;
        std::map<int, int> perPen;
        for (int k = 1; k <= kColorStyleCount; ++k) {
            const PenStyle p = mapPen(*table, pens[k], inches, warn);
            if (p.isDefault()) continue;
            auto found = names.find(p);
            if (found == names.end()) {
                const int n = ++perPen[p.pen];
                std::string name = p.pen ? "Pen_" + std::to_string(p.pen) : "Pen_auto";
                if (n > 1) name += "_" + std::to_string(n);
                CPlotStyle* s = table->addStyle(name.c_str(), table->size() - 1, nullptr);
                if (!s) return nullptr;
                applyPen(*s, p);
                found = names.emplace(p, name).first;
            }
            mapping[static_cast<std::size_t>(k - 1)] = found->second;
        }
        table->colorMapping = true;
        return table.release();
    } catch (...) {
        return nullptr;
    }
}
