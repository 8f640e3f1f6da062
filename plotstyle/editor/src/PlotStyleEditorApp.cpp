// Module set-up of the editor library: language, resource library, help road.
#include "PlotStyleEditorApp.h"

#include "Help.h"
#include "ModuleSetup.h"
#include "Registry_win.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"

namespace quellon {

std::string languageCode() {
    std::string code;
    if (readRegistryString(HKEY_CURRENT_USER, kProductKey, "CURLANG", code, kLanguageBufferBytes) !=
        ReadResult::Read)
        return kDefaultLanguage;
    return code;
}

std::string callingProgramDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return directoryOf(path);
}

HINSTANCE loadResourceLibrary(const std::string& baseDirectory, const std::string& language) {
    for (const std::string& candidate : resourceLibraryCandidates(baseDirectory, language)) {
        if (HINSTANCE module = LoadLibraryA(candidate.c_str())) return module;
    }
    dlg::messageBox("Can't load QuellonRes.dll", MB_OK | MB_ICONERROR, nullptr);
    return nullptr;
}

bool PlotStyleEditorApp::initInstance() {
    resources_ = loadResourceLibrary(callingProgramDirectory(), languageCode());
    if (!resources_) return false;
    dlg::setResourceHandle(resources_);
    dlg::setHelpHandler(showHelpTopic);
    return true;
}

}  // namespace quellon
