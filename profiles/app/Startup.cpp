// Start-up order of the profile manager.
#include "Startup.h"

#include "RostelleIds.h"
#include "dialogs/Text.h"

namespace profiles {

std::string programDirectoryOf(const std::string& modulePath) {
    size_t end = modulePath.find_last_of("\\/");
    if (end != std::string::npos) return modulePath.substr(0, end + 1);
    // A bare drive ("C:Wendmark.exe") keeps its drive.
    if (modulePath.size() >= 2 && modulePath[1] == ':') return modulePath.substr(0, 2);
    return std::string();
}

std::vector<std::string> resourceLibraryPaths(const std::string& programDirectory,
                                              const std::string& language) {
    const std::string lang = programDirectory + "lang\\";
    return {lang + language + "\\" + kResourceLibraryName,
            lang + kFallbackLanguageFolder + "\\" + kResourceLibraryName};
}

StartupEnd runStartup(StartupSystem& system, const std::vector<std::string>& args) {
    bool loaded = false;
    for (const std::string& path :
         resourceLibraryPaths(system.programDirectory(), system.languageCode())) {
        if ((loaded = system.loadResources(path))) break;
    }
    if (!loaded) {
        system.errorBox(kNoResourcesText);
        return StartupEnd::NoResources;
    }

    std::string root;
    if (args.size() < 2) {
        root = system.productKeyPath(true) + system.text(IDS_ROOT_SUFFIX);
    } else if (!system.normaliseRoot(args[1], root)) {
        // The argument is shown as typed and never read as a format.
        system.standardBox(dlg::formatWithString(system.text(IDS_BAD_ROOT_ARGUMENT), args[1]));
        return StartupEnd::BadRoot;
    }

    if (system.anotherCopyRunning() && system.bringForward(system.text(IDS_TITLE)))
        return StartupEnd::OtherCopy;

    system.runMainDialog(root);
    return StartupEnd::DialogClosed;
}

}  // namespace profiles
