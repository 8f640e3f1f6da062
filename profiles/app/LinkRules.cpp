// Web link colours, fitting, error texts and the fallback command line.
#include "LinkRules.h"

namespace profiles {

std::uint32_t linkTextColour(const LinkColours& colours, bool over, bool visited) {
    if (over) return colours.hover;
    return visited ? colours.visited : colours.link;
}

LinkBox fitLinkToText(const LinkBox& box, int width, int height, LinkAlign align,
                      bool centredVertically) {
    LinkBox fitted = box;
    switch (align) {
        case LinkAlign::Left:
            fitted.right = box.left + width;
            break;
        case LinkAlign::Right:
            fitted.left = box.right - width;
            break;
        case LinkAlign::Centre: {
            int centre = (box.left + box.right) / 2;
            fitted.left = centre - width / 2;
            fitted.right = fitted.left + width;
            break;
        }
    }
    if (centredVertically) {
        int middle = (box.top + box.bottom) / 2;
        fitted.top = middle - height / 2;
    }
    fitted.bottom = fitted.top + height;
    return fitted;
}

std::string linkErrorText(int number) {
    switch (number) {
        case 0: return "The operating system is out\nof memory or resources.";
        case 2: return "The specified file was not found.";
        case 3: return "The specified path was not found.";
        case 5: return "The operating system denied\naccess to the specified file.";
        case 8: return "There was not enough memory to complete the operation.";
        case 11: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        case 26: return "A sharing violation occurred. ";
        case 27: return "The filename association is\nincomplete or invalid.";
        case 28:
            return "The DDE transaction could not\nbe completed because the request timed out.";
        case 29: return "The DDE transaction failed.";
        case 30:
            return "The DDE transaction could not\nbe completed because other DDE "
                   "transactions\nwere being processed.";
        case 31: return "There is no application associated\nwith the given filename extension.";
        case 32: return "The specified dynamic-link library was not found.";
        default: return "Unknown Error (" + std::to_string(number) + ") occurred.";
    }
}

std::string linkErrorMessage(int number) {
    return "Unable to open hyperlink:\n\n" + linkErrorText(number);
}

std::string addressCommandLine(const std::string& handlerCommand, const std::string& address) {
    std::string command = handlerCommand;
    size_t at = command.find("\"%1\"");
    if (at == std::string::npos) at = command.find("%1");
    if (at != std::string::npos) command.erase(at);
    return command + " " + address;
}

}  // namespace profiles
