// Profile names, import proposals and resource text placeholders.
#include "NameRules.h"

#include <cstring>

namespace profiles {

NameCheck checkProfileName(const std::string& name, NameLeadByteTest isLeadByte) {
    if (name.empty()) return NameCheck::Empty;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (isLeadByte && isLeadByte(c) && i + 1 < name.size()) {
            ++i;  // the trail byte belongs to the character
            continue;
        }
        if (c != 0 && std::strchr(kForbiddenNameCharacters, c)) return NameCheck::Forbidden;
    }
    return NameCheck::Ok;
}

std::string fileTitle(const std::string& path) {
    size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

std::string fillStrings(const std::string& format, const std::vector<std::string>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (format[i + 1] == 's' && next < args.size()) {
                out += args[next++];
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

}  // namespace profiles
