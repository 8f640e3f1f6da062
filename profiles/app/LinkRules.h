// The web link's rules that need no window: its text colour in each state, where it goes
// when it is fitted to its text, the texts of its error box, and the command line of the
// fallback that opens an address with the handler of web pages.
#pragma once

#include <cstdint>
#include <string>

namespace profiles {

// Colours as the system stores them: 0x00BBGGRR.
constexpr std::uint32_t colourRef(unsigned r, unsigned g, unsigned b) {
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}

struct LinkColours {
    std::uint32_t link = colourRef(0, 0, 238);
    std::uint32_t visited = colourRef(85, 26, 139);
    std::uint32_t hover = colourRef(255, 0, 0);
};

// Hover while the mouse is over it, else visited once opened, else the link colour.
std::uint32_t linkTextColour(const LinkColours& colours, bool over, bool visited);

struct LinkBox {
    int left = 0, top = 0, right = 0, bottom = 0;
};

enum class LinkAlign { Left, Centre, Right };

// The control's rectangle fitted to a text of `width` x `height`: the left edge stays for
// left-aligned text, the right edge for right-aligned, the centre for centred text; the
// vertical centre stays when the text is centred vertically, otherwise the top.
LinkBox fitLinkToText(const LinkBox& box, int width, int height, LinkAlign align,
                      bool centredVertically);

// Why an address could not be opened, by the shell's result number.
std::string linkErrorText(int number);
// The whole text of the link error box.
std::string linkErrorMessage(int number);

// The web page handler's command line with the address: cut before "\"%1\"" (or before a
// bare "%1"), then a blank and the address.
std::string addressCommandLine(const std::string& handlerCommand, const std::string& address);

}  // namespace profiles
