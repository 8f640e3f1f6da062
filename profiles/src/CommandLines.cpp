// Editor and host command lines.
#include "profiles/CommandLines.h"

namespace profiles {

std::string exportParameters(const std::string& file, const std::string& root,
                             const std::string& name) {
    return " /s /e \"" + file + "\" \"HKEY_CURRENT_USER\\" + root + "\\" + name + "\"";
}

// The silent import is "/s FILE"; the editor rejects an "/i" switch.
std::string importParameters(const std::string& file) { return " /s \"" + file + "\""; }

HostKind hostKind(const std::string& rootPath) {
    std::string lower = rootPath;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (lower.find("tessaline") != std::string::npos) return HostKind::Kivra;
    if (lower.find("autocad") != std::string::npos) return HostKind::AutoCad;
    return HostKind::None;
}

const char* hostKindName(HostKind kind) {
    switch (kind) {
        case HostKind::Kivra: return "kivra";
        case HostKind::AutoCad: return "autocad";
        case HostKind::None: break;
    }
    return "none";
}

std::string hostProgram(HostKind kind) {
    switch (kind) {
        case HostKind::Kivra: return "Kivra.exe";
        case HostKind::AutoCad: return "acad.exe";
        case HostKind::None: break;
    }
    return std::string();
}

std::string hostParameters(HostKind kind, const std::string& profile) {
    switch (kind) {
        case HostKind::Kivra: return " /P\"" + profile + "\"";
        case HostKind::AutoCad: return " /p \"" + profile + "\"";
        case HostKind::None: break;
    }
    return std::string();
}

std::string hostErrorPrefix(HostKind kind) {
    std::string program = hostProgram(kind);
    return program.empty() ? program : program + " :  ";
}

}  // namespace profiles
