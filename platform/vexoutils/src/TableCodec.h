// The record layer of plot style table files: the entry tree of the text layer to the
// table model and back. Reading and writing of each record sit side by side.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
    // Fills `style` from the style block whose open line is line `open`; false with `error`
    // set when a value makes no sense.
    static bool read(const LineScan& scan, std::size_t open, CPlotStyle& style,
                     std::string& error);
    // Appends the style's block, keyed `index`, at nesting 1.
    static void write(std::string& out, const CPlotStyle& style, int index);

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
    static std::unique_ptr<CPlotStyleTable> read(TableKind kind, const LineScan& scan,
                                                 std::string& error);
    static std::string writeText(const CPlotStyleTable& table);
    static TableKind kindOf(const CPlotStyleTable& table);

    static std::unique_ptr<CPlotStyleTable> make(bool colorDependent);
    static std::vector<std::unique_ptr<CPlotStyle>>& styles(CPlotStyleTable& table);
    static std::vector<std::string>& aciNames(CPlotStyleTable& table);
    static std::vector<std::string>& notes(CPlotStyleTable& table);
};

// Unknown keys: kept rendered, with the known key they followed, and written back after it.
// `first`..`last` are the entry's lines (a scalar, or a block's open to close line).
VxUnknownKey keepUnknown(const LineScan& scan, std::size_t first, std::size_t last,
                         std::string_view after);

// Writes the unknown keys of one level back among the known ones: after each known key
// those that followed it when read, in the order read; first those that came first; at the
// end those whose key is gone, by the name of that key. Text that does not scan is dropped.
class UnknownWriter {
public:
    UnknownWriter(std::string& out, const std::vector<VxUnknownKey>& unknown, int depth);
    void after(std::string_view key);  // known key `key` was just written
    void finish();

private:
    void emit(std::size_t group);
    std::string& out_;
    const std::vector<VxUnknownKey>& unknown_;
    int depth_;
    std::vector<std::pair<std::string_view, std::vector<std::size_t>>> groups_;  // by anchor
    std::vector<bool> done_;
};

extern const double kDefaultLineweights[CPlotStyleTable::kLineweightCount];

}  // namespace vexo
