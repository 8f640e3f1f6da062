// Fuzz target: the inflated text of a table (the compressed layer would hide it from the
// fuzzer) through the text and record layers, as a colour and as a named table, then the
// text a save would write, which must read back to itself.
#include <cstddef>
#include <cstdint>
#include <string>

#include "PiaText.h"
#include "TableCodec.h"

// A table written and read back must write the same text again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const vexo::TextParse parsed = vexo::parseText(text, size);
    const vexo::LineScan scan = vexo::scanLines(text, size);
    if (parsed.ok != scan.ok) __builtin_trap();
    if (!scan.ok) return 0;
    for (vexo::TableKind kind :
         {vexo::TableKind::Ctb, vexo::TableKind::Stb, vexo::TableKind::Ttb}) {
        std::string error;
        auto table = vexo::TableCodec::read(kind, scan, error);
        if (!table) continue;
        const std::string written = vexo::TableCodec::writeText(*table);
        const vexo::LineScan again = vexo::scanLines(written.data(), written.size());
        auto reread = again.ok ? vexo::TableCodec::read(kind, again, error) : nullptr;
        if (!reread || vexo::TableCodec::writeText(*reread) != written) __builtin_trap();
    }
    return 0;
}
