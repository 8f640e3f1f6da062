// The launcher's rules.
#include "LauncherRules.h"

namespace brantle {

LaunchAction actionFor(const dlg::CommandLineInfo& info) {
    switch (info.shellCommand) {
        case dlg::CommandLineInfo::FileNew:
            return LaunchAction::AddTable;
        case dlg::CommandLineInfo::FileOpen:
            return info.fileName.empty() ? LaunchAction::Nothing : LaunchAction::EditFile;
        default:
            return LaunchAction::Nothing;
    }
}

std::string profilesKeyPath(const std::string& language) {
    return std::string(kProductKey) + language + "\\Profiles";
}

std::string configKeyPath(const std::string& profilesKey, const std::string& profile) {
    return profilesKey + "\\" + profile + "\\Config";
}

std::string penSettingsKeyPath(const std::string& profilesKey) {
    return profilesKey + "\\plot";
}

bool fitsPathLimit(const std::string& path) {
    return path.size() < kTextBuffer;
}

std::string folderOfProgram(const std::string& programPath) {
    const std::size_t slash = programPath.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    return programPath.substr(0, slash + 1);
}

}  // namespace brantle
