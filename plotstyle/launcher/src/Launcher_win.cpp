// Brantle's roads: the editor on a file, or the add-table wizard.
#include "Launcher_win.h"

#include "dialogs/Registry.h"

#include <cstdlib>
#include <vector>

namespace brantle {

bool readRegistryText(HKEY root, const std::string& path, const char* name, std::string& text) {
    HKEY key = nullptr;
    if (!fitsPathLimit(path) ||
        RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const bool read = dlg::readStringValue(key, name, kTextBuffer, text) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read;
}

void Launcher::run(const std::vector<std::string>& args) {
    dlg::CommandLineInfo info;
    dlg::parseCommandLine(args, info);
    switch (actionFor(info)) {
        case LaunchAction::EditFile:
            calls_.editFile(info.fileName.c_str(), nullptr);
            break;
        case LaunchAction::AddTable:
            addTable();
            break;
        case LaunchAction::Nothing:
            break;
    }
}

void Launcher::addTable() {
    const std::string profilesKey = profilesKeyPath(systemLanguage());
    std::string folder;
    if (!findPlotStyleFolder(profilesKey, folder)) {
        folder = programFolder();
        if (folder.empty()) return;
    }
    static PenSettings pens[256];
    for (PenSettings& pen : pens) pen = PenSettings();
    bool flag = false;
    const bool present = readPenSettings(profilesKey, pens, flag);
    dlg::String name;
    calls_.addTable(name, folder.c_str(), present ? pens : nullptr, flag, nullptr);
}

bool Launcher::findPlotStyleFolder(const std::string& profilesKey, std::string& folder) {
    std::string profile, configured;
    if (!readRegistryText(HKEY_CURRENT_USER, profilesKey, nullptr, profile)) return false;
    if (!readRegistryText(HKEY_CURRENT_USER, configKeyPath(profilesKey, profile), "PlotStyle",
                          configured))
        return false;
    const DWORD attributes = GetFileAttributesA(configured.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    folder = configured;
    return true;
}

bool Launcher::readPenSettings(const std::string& profilesKey, PenSettings* pens, bool& flag) {
    const std::string path = penSettingsKeyPath(profilesKey);
    HKEY key = nullptr;
    if (!fitsPathLimit(path) ||
        RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const bool read = PenSettings::readFromReg(key, pens, 256, flag);
    RegCloseKey(key);
    return read;
}

std::string Launcher::systemLanguage() {
    char language[kLanguageBuffer] = {};
    const LCID locale = MAKELCID(GetSystemDefaultLangID(), SORT_DEFAULT);
    if (!GetLocaleInfoA(locale, LOCALE_SABBREVLANGNAME, language, sizeof language))
        return std::string();
    return language;
}

std::string Launcher::programFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return folderOfProgram(path);
}

bool PlotStyleLauncherApp::initInstance() {
    // The dialogs the launcher opens host no ActiveX controls, and the framework has no
    // container to enable for them.
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
    Launcher(calls_).run(args);
    return false;
}

}  // namespace brantle
