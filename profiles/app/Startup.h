// What Wendmark does before its main dialog opens, in order: the language, the resource
// library (the language's folder, then "English"), the profiles key from the command line or
// by default, and one running copy. The system is reached through StartupSystem, so the order
// and every way out are tested without windows.
#pragma once

#include <string>
#include <vector>

namespace profiles {

constexpr const char* kResourceLibraryName = "RostelleRes.dll";
constexpr const char* kFallbackLanguageFolder = "English";
constexpr const char* kProgramTitle = "Wendmark";
constexpr const char* kNoResourcesText = "Can't load RostelleRes.dll";

// Drive and directory of a program file, ending with a backslash ("" when it has none).
std::string programDirectoryOf(const std::string& modulePath);

// The resource library paths in the order they are tried.
std::vector<std::string> resourceLibraryPaths(const std::string& programDirectory,
                                              const std::string& language);

class StartupSystem {
public:
    virtual ~StartupSystem() = default;
    virtual std::string languageCode() = 0;
    virtual std::string programDirectory() = 0;
    // Loads the library and makes it the resource handle for the rest of the process.
    virtual bool loadResources(const std::string& path) = 0;
    virtual std::string text(unsigned id) = 0;
    virtual std::string productKeyPath(bool withLanguage) = 0;
    virtual bool normaliseRoot(const std::string& candidate, std::string& full) = 0;
    // The box without owner, error icon, OK, with the program's name as caption.
    virtual void errorBox(const std::string& text) = 0;
    // The framework's standard box, OK, no icon asked for.
    virtual void standardBox(const std::string& text) = 0;
    // Creates the single-instance mutex; true when it existed already.
    virtual bool anotherCopyRunning() = 0;
    // Restores and brings forward the window titled `title` (its last active pop-up); false
    // when there is none.
    virtual bool bringForward(const std::string& title) = 0;
    virtual void runMainDialog(const std::string& root) = 0;
};

enum class StartupEnd {
    NoResources,   // neither resource library loaded: the error box
    BadRoot,       // the argument names no profiles key: string 116
    OtherCopy,     // another copy was brought forward
    DialogClosed,  // the main dialog ran and closed
};

// `args` as the runtime library hands them over: the program first.
StartupEnd runStartup(StartupSystem& system, const std::vector<std::string>& args);

}  // namespace profiles
