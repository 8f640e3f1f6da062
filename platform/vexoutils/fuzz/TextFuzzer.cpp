// Fuzz target: the inflated text of a table (the compressed layer would hide it from the
// fuzzer), as a colour and as a named table, then a save of whatever was read.
#include "PiaContainer.h"
#include "vexoutils/PlotStyleTable.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (vexo::TableKind kind : {vexo::TableKind::Ctb, vexo::TableKind::Stb}) {
        const auto file = vexo::pack(kind, text);
        std::string reason;
        std::unique_ptr<CPlotStyleTable> t(
            CPlotStyleTable::readBytes(file.data(), static_cast<unsigned long>(file.size()), reason));
        if (t) (void)t->toBytes();
    }
    return 0;
}
