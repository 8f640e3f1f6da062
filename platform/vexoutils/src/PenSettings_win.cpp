// Pen settings from the registry key the host keeps them in (see PlotStyleTable.h for the
// layout: one string value per colour index, "pen,linetype,speed,width", and "Units").
#include <windows.h>

#include <string>

#include "PiaText.h"
#include "vexoutils/PlotStyleTable.h"

namespace {

// A string value of `key`, or false when it is missing or not a string.
bool stringValue(HKEY key, const char* name, std::string& out) {
    char buffer[260];
    DWORD type = 0, size = sizeof buffer - 1;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    buffer[size] = '\0';
    out.assign(buffer);  // stops at the terminating NUL, if the value has one
    return true;
}

std::string field(const std::string& text, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = text.find(',', start);
        if (start == std::string::npos) return std::string();
        ++start;
    }
    const std::size_t end = text.find(',', start);
    std::string f = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const auto b = f.find_first_not_of(' ');
    return b == std::string::npos ? std::string() : f.substr(b, f.find_last_not_of(' ') - b + 1);
}

bool parsePen(const std::string& text, PenSettings& pen) {
    PenSettings p;
    long long n;
    double w;
    const std::string f0 = field(text, 0), f1 = field(text, 1), f2 = field(text, 2),
                      f3 = field(text, 3);
    if (!f0.empty() && (!vexo::parseInt(f0, n) || n < -1 || n > 255)) return false;
    if (!f0.empty()) p.pen = static_cast<int>(n);
    if (!f1.empty() && (!vexo::parseInt(f1, n) || n < -1 || n > 255)) return false;
    if (!f1.empty()) p.linetype = static_cast<int>(n);
    if (!f2.empty() && (!vexo::parseInt(f2, n) || n < 0 || n > 100000)) return false;
    if (!f2.empty()) p.speed = static_cast<int>(n);
    if (!f3.empty() && (!vexo::parseReal(f3, w) || w < 0)) return false;
    if (!f3.empty()) p.width = w;
    pen = p;
    return true;
}

}  // namespace

bool PenSettings::readFromReg(HKEY key, PenSettings* pens, int count, bool& inches) {
    try {
        if (!key || !pens || count <= 0) return false;
        bool any = false;
        std::string text;
        for (int k = 1; k < count && k <= 255; ++k) {
            if (stringValue(key, std::to_string(k).c_str(), text) && parsePen(text, pens[k]))
                any = true;
        }
        inches = stringValue(key, "Units", text) && (text == "I" || text == "i");
        return any;
    } catch (...) {
        return false;
    }
}
