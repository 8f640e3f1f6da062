// Fuzz target: the inflated text of a table (the compressed layer would hide it from the
// fuzzer) through the text and record layers, as a colour and as a named table, then the
// text a save would write.
#include <cstddef>
#include <cstdint>
#include <string>

#include "PiaText.h"
#include "TableCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vexo::TextParse parsed = vexo::parseText(reinterpret_cast<const char*>(data), size);
    if (!parsed.ok) return 0;
    for (vexo::TableKind kind :
         {vexo::TableKind::Ctb, vexo::TableKind::Stb, vexo::TableKind::Ttb}) {
        std::string error;
        auto table = vexo::TableCodec::read(kind, parsed.entries, error);
        if (table) (void)vexo::TableCodec::writeText(*table);
    }
    return 0;
}
