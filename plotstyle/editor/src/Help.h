// Help of the editor: every dialog opens its topic of Kivra.chm by number. The help file's
// path is worked out once (from the current profile's "Help" value, the installation
// directory or the library's own folder) and HTML Help is loaded once and kept.
#pragma once

#include <windows.h>

#include <string>

namespace quellon {

struct HelpEnvironment {
    std::string vexoResLibrary = "VexoRes.dll";
    std::string libraryDirectory;  // drive and directory of the editor library's own file
};

class HelpService {
public:
    explicit HelpService(HelpEnvironment environment) : environment_(std::move(environment)) {}

    // The help file's path, worked out on the first successful call and kept. False (and
    // the message "Can't load VexoRes.dll") when VexoRes.dll cannot be loaded; the next
    // call tries again.
    bool locateHelpFile(std::string& path);
    // Opens `topic`; the help window, or null when there is no help (missing file: the
    // missing-file message has been shown).
    HWND showHelpTopic(UINT topic);

private:
    HelpEnvironment environment_;
    bool located_ = false;
    std::string path_;
    std::string missingFormat_;
};

// The process's help, for the editor's own library.
bool locateHelpFile(std::string& path);
void showHelpTopic(UINT topic);

}  // namespace quellon
