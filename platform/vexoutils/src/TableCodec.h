// The record layer of plot style table files: the entry tree of the text layer to the
// table model and back. Reading and writing of each record sit side by side.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "PiaContainer.h"
#include "PiaText.h"
#include "vexoutils/PlotStyleTable.h"

namespace vexo {

// The colour words a style is saved with.
struct ColorWords {
    std::uint32_t color;
    std::uint32_t mode;
    int policy;
};

class StyleCodec {
public:
    // Fills `style` from the entries of one style block; false with `error` set when a
    // value makes no sense.
    static bool read(const std::vector<TextEntry>& entries, CPlotStyle& style, std::string& error);
    static TextEntry write(const CPlotStyle& style, int index);

    // The `name` key the style is saved under (the stock tables save "Style_1" shown as
    // "Style 1"); a rename replaces both.
    static std::string nameKey(const CPlotStyle& style);
    static void rename(CPlotStyle& style, const std::string& name);
    // Takes the current name as the one read, so the saved name key stays as it is.
    static void markNameRead(CPlotStyle& style);
    static ColorWords colorWords(const CPlotStyle& style);
    // A fresh style of a colour-dependent table (`index` 0..254) or a named one.
    static void initColorStyle(CPlotStyle& style, int index);
};

class TableCodec {
public:
    static std::unique_ptr<CPlotStyleTable> read(TableKind kind,
                                                 const std::vector<TextEntry>& entries,
                                                 std::string& error);
    static std::string writeText(const CPlotStyleTable& table);
    static TableKind kindOf(const CPlotStyleTable& table);

    static std::unique_ptr<CPlotStyleTable> make(bool colorDependent);
    static std::vector<std::unique_ptr<CPlotStyle>>& styles(CPlotStyleTable& table);
    static std::vector<std::string>& aciNames(CPlotStyleTable& table);
    static std::vector<std::string>& notes(CPlotStyleTable& table);
};

// Unknown keys: kept rendered, with the known key they followed, and merged back on write.
VxUnknownKey keepUnknown(const TextEntry& entry, const std::string& after);
void placeUnknown(std::vector<TextEntry>& known, const std::vector<VxUnknownKey>& unknown);

extern const double kDefaultLineweights[CPlotStyleTable::kLineweightCount];

}  // namespace vexo
