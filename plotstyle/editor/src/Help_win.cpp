// Locating Kivra.chm and opening topics through HTML Help ("HHCTRL.OCX", ordinal 14).
#include "Help.h"

#include "HelpRules.h"
#include "ModuleSetup.h"
#include "PlotStyleEditorApp.h"
#include "Registry_win.h"

#include "dialogs/MessageBox.h"
#include "dialogs/Text.h"

namespace quellon {
namespace {

constexpr UINT kIdsProfilesKey = 40421;
constexpr UINT kIdsSourceReplacement = 42004;
constexpr UINT kIdsHelpSubdirectory = 40402;
constexpr UINT kIdsHelpMissing = 33775;
constexpr UINT kHelpContext = 15;  // HH_HELP_CONTEXT

std::string stringOf(HINSTANCE module, UINT id) {
    char buffer[1024] = {};
    const int length = LoadStringA(module, id, buffer, sizeof(buffer));
    return std::string(buffer, length > 0 ? std::size_t(length) : 0);
}

bool pathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

HtmlHelpFunction htmlHelp() {
    static HMODULE library = LoadLibraryA("HHCTRL.OCX");
    if (!library) return nullptr;
    return reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(14))));
}

std::string ownLibraryDirectory() {
    HMODULE self = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&ownLibraryDirectory), &self);
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    return length && length < MAX_PATH ? directoryOf(path) : std::string();
}

}  // namespace

bool HelpService::locateHelpFile(std::string& path) {
    if (located_) {
        path = path_;
        return true;
    }
    HINSTANCE strings = LoadLibraryA(environment_.vexoResLibrary.c_str());
    if (!strings) {
        // The library runs inside the host: ending the process here would end the CAD
        // session with its unsaved drawings, so there is no help instead.
        dlg::messageBox("Can't load VexoRes.dll", MB_OK | MB_ICONSTOP, nullptr);
        return false;
    }
    HelpFacts facts;
    facts.sourceReplacement = stringOf(strings, kIdsSourceReplacement);
    facts.helpSubdirectory = stringOf(strings, kIdsHelpSubdirectory);
    const std::string profilesName = stringOf(strings, kIdsProfilesKey);

    // Two backslashes stand before "2013": the product key ends with one already.
    std::string installDir;
    facts.installDirFromRegistry =
        readRegistryString(HKEY_LOCAL_MACHINE, std::string(kProductKey) + "\\2013", "InstallDir",
                           installDir) == ReadResult::Read;
    facts.installDir = facts.installDirFromRegistry ? installDir : environment_.libraryDirectory;

    const std::string profilesKey = std::string(kProductKey) + languageCode() + "\\" + profilesName;
    std::string profile;
    if (readRegistryString(HKEY_CURRENT_USER, profilesKey, nullptr, profile) != ReadResult::Read ||
        profile.empty())
        profile = "Default";
    const std::string configKey = profilesKey + "\\" + profile + "\\Config";
    facts.configKeyExists = registryKeyExists(HKEY_CURRENT_USER, configKey);
    std::string helpValue;
    facts.hasHelpValue =
        facts.configKeyExists &&
        readRegistryString(HKEY_CURRENT_USER, configKey, "Help", helpValue) == ReadResult::Read;
    facts.helpValue = helpValue;
    facts.lastRegistryText = facts.configKeyExists ? std::string() : installDir;

    path_ = helpPath(helpDirectory(facts, pathExists));
    missingFormat_ = stringOf(strings, kIdsHelpMissing);
    FreeLibrary(strings);
    located_ = true;
    path = path_;
    return true;
}

HWND HelpService::showHelpTopic(UINT topic) {
    std::string path;
    if (!locateHelpFile(path)) return nullptr;
    if (!pathExists(path)) {
        // An empty format still names the file.
        const std::string format = missingFormat_.empty() ? std::string("%s") : missingFormat_;
        dlg::messageBox(dlg::formatWithString(format, path), MB_OK | MB_ICONEXCLAMATION, nullptr);
        return nullptr;
    }
    HtmlHelpFunction function = htmlHelp();
    if (!function) return nullptr;
    return function(nullptr, path.c_str(), kHelpContext, topic);
}

namespace {
HelpService& processHelp() {
    static HelpService service(HelpEnvironment{"VexoRes.dll", ownLibraryDirectory()});
    return service;
}
}  // namespace

bool locateHelpFile(std::string& path) {
    return processHelp().locateHelpFile(path);
}
void showHelpTopic(UINT topic) {
    processHelp().showHelpTopic(topic);
}

}  // namespace quellon
