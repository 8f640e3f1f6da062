// Help file location rules.
#include "HelpRules.h"

namespace quellon {

std::string upperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

std::string helpDirectory(const HelpFacts& facts,
                          const std::function<bool(const std::string&)>& exists) {
    if (facts.hasHelpValue) return facts.helpValue;
    std::string directory;
    if (facts.installDirFromRegistry) {
        directory = facts.installDir + "\\";
    } else {
        const std::string upper = upperCase(facts.installDir);
        const std::size_t at = upper.find("SOURCE");
        directory =
            at == std::string::npos ? std::string() : upper.substr(0, at) + facts.sourceReplacement;
    }
    directory += facts.helpSubdirectory;
    if (exists(directory)) return directory;
    if (!facts.lastRegistryText.empty()) return facts.lastRegistryText;
    // Nothing left to go on (the Config key was read without a Help value, or no InstallDir
    // was read): the installation directory, the library's own folder when the registry
    // named none, rather than the root of the current drive.
    directory = facts.installDir;
    while (!directory.empty() && (directory.back() == '\\' || directory.back() == '/'))
        directory.pop_back();
    return directory;
}

}  // namespace quellon
