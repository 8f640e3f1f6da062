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
    if (!exists(directory)) directory = facts.lastRegistryText;
    return directory;
}

}  // namespace quellon
