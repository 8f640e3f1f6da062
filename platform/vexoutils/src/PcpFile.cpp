// PCP files (older plotter configurations) as far as they map pens to styles. No public
// description of the format exists, so this reader accepts one plain-text grammar and
// refuses everything else with a null table:
//
//   ; comment                 a line starting with ';' (anywhere), blank lines ignored
//   KEY=VALUE                 page settings; only UNITS=I (inches) or UNITS=M (default) is used
//   COLOR=n                   opens the pen block of colour index n (1..255, once each)
//     PEN=p                   physical pen (PEN_NUMBER also accepted)
//     LINETYPE=l              hardware linetype 0..30 (HW_LINETYPE)
//     SPEED=s                 pen speed, dropped (PEN_SPEED)
//     WIDTH=w                 pen width in the file's units (PEN_WIDTH)
//   END                       closes the block
//
// Keys are case-insensitive; at least one pen block is required.
#include <algorithm>
#include <cctype>
#include <string>

#include "FileIo.h"
#include "PiaText.h"
#include "vexoutils/PlotStyleTable.h"

namespace {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return std::string();
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

}  // namespace

namespace vexo {

// Fills `pens` (256, by colour index) from PCP text; false on anything outside the grammar.
bool parsePcp(const std::string& text, PenSettings* pens, bool& inches) {
    inches = false;
    int open = 0;
    int blocks = 0;
    bool seen[256] = {};
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = trim(text.substr(at, end - at));
        at = end + 1;
        if (line.empty() || line[0] == ';') continue;
        const auto eq = line.find('=');
        const std::string key = upper(trim(line.substr(0, eq)));
        const std::string value =
            eq == std::string::npos ? std::string() : trim(line.substr(eq + 1));
        if (eq == std::string::npos) {
            if (key != "END" || !open) return false;
            open = 0;
            continue;
        }
        if (key.empty()) return false;
        long long n = 0;
        if (key == "COLOR") {
            if (open || !parseInt(value, n) || n < 1 || n > 255 || seen[n]) return false;
            open = static_cast<int>(n);
            seen[n] = true;
            ++blocks;
        } else if (!open) {
            if (key == "UNITS") {
                const std::string u = upper(value);
                if (u != "I" && u != "M") return false;
                inches = u == "I";
            }
            // other page settings belong to the plotter configuration
        } else if (key == "PEN" || key == "PEN_NUMBER") {
            if (!parseInt(value, n) || n < -1 || n > 255) return false;
            pens[open].pen = static_cast<int>(n);
        } else if (key == "LINETYPE" || key == "HW_LINETYPE") {
            if (!parseInt(value, n) || n < -1 || n > 255) return false;
            pens[open].linetype = static_cast<int>(n);
        } else if (key == "SPEED" || key == "PEN_SPEED") {
            if (!parseInt(value, n) || n < 0 || n > 100000) return false;
            pens[open].speed = static_cast<int>(n);
        } else if (key == "WIDTH" || key == "PEN_WIDTH") {
            double w;
            if (!parseReal(value, w) || w < 0) return false;
            pens[open].width = w;
        } else {
            return false;
        }
    }
    return !open && blocks > 0;
}

}  // namespace vexo

CPlotStyleTable* CPlotStyleTable::importPCP(const char* path, bool colorDependent_, bool& warn,
                                            const char* description_) {
    try {
        std::vector<unsigned char> bytes;
        std::string error;
        if (!vexo::readWholeFile(path, bytes, error)) return nullptr;
        const std::string text(bytes.begin(), bytes.end());
        if (text.find('\0') != std::string::npos) return nullptr;  // binary: not ours
        PenSettings pens[256];
        bool inches = false;
        if (!vexo::parsePcp(text, pens, inches)) return nullptr;
        return createPlotStyleTable(colorDependent_, inches, pens, warn, description_);
    } catch (...) {
        return nullptr;
    }
}
