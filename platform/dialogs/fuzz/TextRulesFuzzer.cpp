// Fuzzes the framework's text rules with arbitrary bytes: integer reading, placeholder
// filling and the one-string format used for messages from resource libraries.
#include "dialogs/Text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    long value = 12345;
    if (!dlg::parseInteger(text, value) && value != 12345) std::abort();
    const std::string filled = dlg::fillPlaceholders(text, {"a", "bb"});
    const std::string formatted = dlg::formatWithString(text, "PATH");
    if (formatted.size() > text.size() + 4) std::abort();  // "%s" (2) becomes "PATH" (4) once
    (void)filled;
    (void)dlg::trim(text);
    return 0;
}
