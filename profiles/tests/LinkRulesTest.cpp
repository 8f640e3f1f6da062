// The web link's rules: colours by state, fitting to the text, the error texts, and the
// fallback command line built from the web page handler's command.
#include "LinkRules.h"

#include <gtest/gtest.h>

using namespace profiles;

namespace {

TEST(LinkColourTest, HoverWinsOverVisitedWhichWinsOverTheLinkColour) {
    LinkColours colours;
    EXPECT_EQ(colours.link, 0x00EE0000u) << "RGB(0, 0, 238) as the system stores it";
    EXPECT_EQ(colours.visited, colourRef(85, 26, 139));
    EXPECT_EQ(colours.hover, 0x000000FFu);
    EXPECT_EQ(linkTextColour(colours, false, false), colours.link);
    EXPECT_EQ(linkTextColour(colours, false, true), colours.visited);
    EXPECT_EQ(linkTextColour(colours, true, true), colours.hover);
    EXPECT_EQ(linkTextColour(colours, true, false), colours.hover);
}

TEST(LinkFitTest, EachAlignmentKeepsItsEdgeOrCentre) {
    const LinkBox box{10, 20, 110, 40};
    LinkBox left = fitLinkToText(box, 30, 8, LinkAlign::Left, false);
    EXPECT_EQ(left.left, 10);
    EXPECT_EQ(left.right, 40);
    EXPECT_EQ(left.top, 20);
    EXPECT_EQ(left.bottom, 28);
    LinkBox right = fitLinkToText(box, 30, 8, LinkAlign::Right, false);
    EXPECT_EQ(right.left, 80);
    EXPECT_EQ(right.right, 110);
    LinkBox centre = fitLinkToText(box, 30, 8, LinkAlign::Centre, true);
    EXPECT_EQ(centre.left, 45);
    EXPECT_EQ(centre.right, 75);
    EXPECT_EQ(centre.top, 26) << "vertical centre 30 kept";
    EXPECT_EQ(centre.bottom, 34);
    LinkBox wider = fitLinkToText(box, 300, 8, LinkAlign::Left, false);
    EXPECT_EQ(wider.right, 310) << "a longer text grows the control";
}

TEST(LinkErrorTest, KnownNumbersHaveTheirTextOthersTheirNumber) {
    EXPECT_EQ(linkErrorText(2), "The specified file was not found.");
    EXPECT_EQ(linkErrorText(31),
              "There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(linkErrorText(26), "A sharing violation occurred. ") << "with its trailing blank";
    EXPECT_EQ(linkErrorText(999), "Unknown Error (999) occurred.");
    EXPECT_EQ(linkErrorText(-5), "Unknown Error (-5) occurred.");
    for (int known : {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32})
        EXPECT_EQ(linkErrorText(known).find("Unknown"), std::string::npos) << known;
    EXPECT_EQ(linkErrorMessage(2), "Unable to open hyperlink:\n\nThe specified file was not found.");
}

TEST(AddressCommandLineTest, CutsAtTheQuotedOrBarePlaceholderAndAppendsTheAddress) {
    const std::string address = "https://www.oremund.example/kivra";
    EXPECT_EQ(addressCommandLine("\"C:\\Browser\\browse.exe\" -nohome \"%1\"", address),
              "\"C:\\Browser\\browse.exe\" -nohome  " + address);
    EXPECT_EQ(addressCommandLine("C:\\Browser\\browse.exe %1 -new", address),
              "C:\\Browser\\browse.exe  " + address);
    EXPECT_EQ(addressCommandLine("C:\\Browser\\browse.exe", address),
              "C:\\Browser\\browse.exe " + address);
}

}  // namespace
