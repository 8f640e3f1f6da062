// Fuzz target: whole table files through the reader, then a save of whatever was read.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "vexoutils/PlotStyleTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string reason;
    std::unique_ptr<CPlotStyleTable> t(
        CPlotStyleTable::readBytes(data, static_cast<unsigned long>(size), reason));
    if (t) (void)t->toBytes();
    return 0;
}
