// Registry export files as text: encoding detection, lines, the first profile's name and
// description in the one-line and the raw multi-line form, and key path rewriting.
#include "profiles/ExportFile.h"

#include <gtest/gtest.h>

using namespace profiles;

namespace {

const std::string kRoot = "Software\\Oremund\\Kivra 2013\\ENU\\Profiles";
const std::string kKey = "[HKEY_CURRENT_USER\\" + kRoot;

ExportHeader parse(const std::string& text) { return parseExportHeader(splitLines(text), kRoot); }

size_t g_testedBytes = 0;
bool sayUnicode(const char*, size_t size) {
    g_testedBytes = size;
    return true;
}
bool sayNarrow(const char*, size_t size) {
    g_testedBytes = size;
    return false;
}

TEST(DetectLayoutTest, AByteOrderMarkDecidesAndOtherwiseTheStatisticalTest) {
    TextLayout bom = detectLayout("\xFF\xFEW\0", sayNarrow);
    EXPECT_EQ(bom.encoding, TextEncoding::Utf16);
    EXPECT_EQ(bom.offset, 2u);

    std::string big(5000, 'a');
    TextLayout guessed = detectLayout(big, sayUnicode);
    EXPECT_EQ(guessed.encoding, TextEncoding::Utf16);
    EXPECT_EQ(guessed.offset, 0u);
    EXPECT_EQ(g_testedBytes, kUnicodeTestBytes);

    EXPECT_EQ(detectLayout("REGEDIT4\r\n", sayNarrow).encoding, TextEncoding::Narrow);
    EXPECT_EQ(detectLayout("", nullptr).encoding, TextEncoding::Narrow);
}

TEST(Utf16TextTest, DecodesLittleEndianAndEncodesBack) {
    std::u16string text = u"A\u0416\u20AC\r\n";
    std::string bytes = encodeUtf16(text);
    EXPECT_EQ(bytes, std::string("A\0\x16\x04\xAC\x20\r\0\n\0", 10));
    EXPECT_EQ(decodeUtf16("\xFF\xFE" + bytes + "x", 2), text) << "odd last byte dropped";
}

TEST(SplitLinesTest, KeepsLineEndsAndAnUnfinishedLastLine) {
    std::vector<std::string> expected = {"a\r\n", "\r\n", "b\r\r\n", "c"};
    EXPECT_EQ(splitLines(std::string("a\r\n\r\nb\r\r\nc")), expected);
    EXPECT_TRUE(splitLines(std::string()).empty());
    EXPECT_EQ(splitLines(std::u16string(u"x\ny\n")).size(), 2u);
}

TEST(ExportHeaderTest, OneLineFormUndoesQuoteBackslashAndLineBreakEscapes) {
    ExportHeader header = parse("Windows Registry Editor Version 5.00\r\n\r\n" + kKey +
                                "\\Work]\r\n"
                                "@=\"line1\\r\\nline \\\"two\\\" back\\\\slash C:\\\\dir\\\\\"\r\n"
                                "\"Name\"=\"x\"\r\n\r\n" +
                                kKey + "\\Work\\Config]\r\n");
    EXPECT_EQ(header.name, "Work");
    EXPECT_EQ(header.description, "line1\r\nline \"two\" back\\slash C:\\dir\\");
}

TEST(ExportHeaderTest, RawMultiLineFormComesBackWithCrLfBreaks) {
    // Text-mode writing turns each CR LF of the data into CR CR LF.
    ExportHeader header = parse(kKey + "\\Work]\r\n@=\"first \\\"q\\\"\r\r\nsecond\r\r\n\r\r\nlast\"\r\n"
                                       "\"Other\"=\"value\"\r\n");
    EXPECT_EQ(header.description, "first \"q\"\r\nsecond\r\n\r\nlast");
    header = parse(kKey + "\\Work]\n@=\"a\nb\"\n");
    EXPECT_EQ(header.description, "a\r\nb");
}

TEST(ExportHeaderTest, ValuesAfterTheDescriptionAreNotPartOfIt) {
    ExportHeader header = parse(kKey + "\\W]\r\n@=\"short\"\r\n\"Name\"=\"x\"\r\n\"Q\"=\"y\"\r\n");
    EXPECT_EQ(header.description, "short");
}

TEST(ExportHeaderTest, AProfileWithoutDescriptionStillYieldsItsName) {
    ExportHeader header = parse(kKey + "\\Plain]\r\n\"Name\"=\"x\"\r\n");
    EXPECT_EQ(header.name, "Plain");
    EXPECT_EQ(header.description, "");
    header = parse(kKey + "\\Plain]\r\n@=dword:00000001\r\n");
    EXPECT_EQ(header.description, "");
    header = parse(kKey + "\\Plain]");
    EXPECT_EQ(header.name, "Plain");
}

TEST(ExportHeaderTest, NameComesFromTheFirstKeyOfThisRootOnly) {
    EXPECT_EQ(parse("[HKEY_CURRENT_USER\\Software\\Else\\Profiles\\P]\r\n@=\"d\"\r\n").name, "");
    EXPECT_EQ(parse(kKey + "2\\P]\r\n").name, "") << "a longer key name is another root";
    EXPECT_EQ(parse(kKey + "]\r\n").name, "") << "the root itself names no profile";
    EXPECT_EQ(parse(kKey + "\\]\r\n").name, "");
    EXPECT_EQ(parse("[HKEY_LOCAL_MACHINE\\" + kRoot + "\\P]\r\n").name, "");
    EXPECT_EQ(parse("[HKEY_CURRENT_USER\\software\\oremund\\kivra 2013\\enu\\profiles\\P]").name, "")
        << "the root is searched with its letter case";
    ExportHeader header = parse("REGEDIT4\r\n\r\n" + kKey + "\\Deep\\Config]\r\n" + kKey + "\\B]\r\n");
    EXPECT_EQ(header.name, "Deep");
    EXPECT_EQ(parseExportHeader(splitLines(kKey + "\\P]\r\n"), "").name, "");
}

TEST(ExportHeaderTest, UnterminatedDescriptionKeepsWhatWasRead) {
    EXPECT_EQ(parse(kKey + "\\P]\r\n@=\"open\r\n").description, "open");
    EXPECT_EQ(parse(kKey + "\\P]\r\n@=\"open\r\nmore\r\n[next]\r\n").description, "open\r\nmore");
}

TEST(RewriteTest, ReplacesTheFirstOccurrenceOnEachLineAndCountsTheLines) {
    std::string text = "REGEDIT4\r\n\r\n" + kKey + "\\A]\r\n\"v\"=\"" + kRoot + "\\A " + kRoot +
                       "\\A\"\r\n" + kKey + "\\A\\Sub]\r\n";
    Rewrite result = rewriteNarrow(text, kRoot + "\\A", kRoot + "\\Bee", nullptr);
    EXPECT_EQ(result.replacedLines, 3u);
    EXPECT_EQ(result.bytes, "REGEDIT4\r\n\r\n" + kKey + "\\Bee]\r\n\"v\"=\"" + kRoot + "\\Bee " +
                                kRoot + "\\A\"\r\n" + kKey + "\\Bee\\Sub]\r\n");
    EXPECT_EQ(rewriteNarrow(text, "absent", "x", nullptr).bytes, text);
    EXPECT_EQ(rewriteNarrow(text, "absent", "x", nullptr).replacedLines, 0u);
}

TEST(RewriteTest, AnEmptyStringWrittenWithAControlCharacterIsRepaired) {
    EXPECT_EQ(rewriteNarrow("\"e\"=\"\x01\"\r\n\"f\"=\"\r\"\r\n", "x", "y", nullptr).bytes,
              "\"e\"=\"\"\r\n\"f\"=\"\"\r\n");
    EXPECT_EQ(rewriteNarrow("\"e\"=\"a\"\r\n", "x", "y", nullptr).bytes, "\"e\"=\"a\"\r\n");
    EXPECT_EQ(rewriteUtf16(u"\"e\"=\"\x01\"\r\n", u"x", u"y").bytes,
              "\xFF\xFE" + encodeUtf16(u"\"e\"=\"\"\r\n"));
}

TEST(RewriteTest, NarrowSearchNeverMatchesOnATrailByte) {
    auto lead = [](unsigned char byte) { return byte == 0x81; };
    // 0x81 0x5C is one character whose second byte looks like a backslash.
    Rewrite result = rewriteNarrow("\x81\\A and \\A\n", "\\A", "\\B", lead);
    EXPECT_EQ(result.bytes, "\x81\\A and \\B\n");
}

TEST(RewriteTest, Utf16KeepsCharactersOutsideTheNarrowSetAndWritesAByteOrderMark) {
    std::u16string text = u"[HKEY_CURRENT_USER\\R\\Alt]\r\n@=\"\u0416\u20AC \\\"q\\\"\"\r\n";
    Rewrite result = rewriteUtf16(text, u"R\\Alt", u"R\\Neu");
    EXPECT_EQ(result.replacedLines, 1u);
    EXPECT_EQ(result.bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(decodeUtf16(result.bytes, 2),
              u"[HKEY_CURRENT_USER\\R\\Neu]\r\n@=\"\u0416\u20AC \\\"q\\\"\"\r\n");
}

// A user's file that holds more than the profile.
const std::string kMixed =
    "Windows Registry Editor Version 5.00\r\n\r\n" +
    kKey + "\\Work]\r\n@=\"desk\"\r\n\r\n" +
    kKey + "\\Work\\Config]\r\n\"Help\"=\"C:\\\\Help\"\r\n\r\n" +
    "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n\"x\"=\"evil.exe\"\r\n\r\n" +
    kKey + "\\Work2]\r\n\"v\"=dword:00000001\r\n\r\n" +
    kKey + "]\r\n@=\"Work2\"\r\n\r\n" +
    "[-" + kKey.substr(1) + "\\Home]\r\n\r\n" +
    "[HKEY_LOCAL_MACHINE\\" + kRoot + "\\Work]\r\n\"w\"=\"machine\"\r\n" +
    kKey + "\\Work\\Deep\\Er]\r\n\"d\"=\"kept\"\r\n";

TEST(KeepKeySectionsTest, OnlyTheHeaderAndTheProfilesOwnSectionsRemain) {
    size_t dropped = 99;
    std::vector<std::string> kept =
        keepKeySections(splitLines(kMixed), kRoot + "\\Work", dropped);
    std::string text;
    for (const std::string& line : kept) text += line;
    EXPECT_EQ(text, "Windows Registry Editor Version 5.00\r\n\r\n" +
                        kKey + "\\Work]\r\n@=\"desk\"\r\n\r\n" +
                        kKey + "\\Work\\Config]\r\n\"Help\"=\"C:\\\\Help\"\r\n\r\n" +
                        kKey + "\\Work\\Deep\\Er]\r\n\"d\"=\"kept\"\r\n");
    EXPECT_EQ(dropped, 5u) << "Run, Work2, the root itself, a deletion and another hive";
}

TEST(KeepKeySectionsTest, TheRewriteOfAProfileFileDropsForeignSectionsInBothEncodings) {
    Rewrite narrow = rewriteKeyNarrow(kMixed, kRoot + "\\Work", kRoot + "\\Trip", nullptr);
    EXPECT_EQ(narrow.droppedSections, 5u);
    EXPECT_EQ(narrow.replacedLines, 3u);
    EXPECT_EQ(narrow.bytes.find("Run"), std::string::npos);
    EXPECT_EQ(narrow.bytes.find("Work"), std::string::npos) << "every kept key renamed";

    std::u16string wide(kMixed.begin(), kMixed.end());
    std::u16string from(kRoot.begin(), kRoot.end()), to = from;
    Rewrite utf16 = rewriteKeyUtf16(wide, from + u"\\Work", to + u"\\Trip");
    EXPECT_EQ(utf16.droppedSections, 5u);
    std::u16string back = decodeUtf16(utf16.bytes, 2);
    EXPECT_EQ(std::string(back.begin(), back.end()), narrow.bytes);
}

TEST(KeepKeySectionsTest, AFileOfTheProfileAloneLosesNothing) {
    std::string own = "REGEDIT4\r\n\r\n" + kKey + "\\Work]\r\n@=\"x\"\r\n" + kKey +
                      "\\Work\\Sub]\r\n\"a\"=\"b\"\r\n";
    size_t dropped = 7;
    std::vector<std::string> kept = keepKeySections(splitLines(own), kRoot + "\\Work", dropped);
    EXPECT_EQ(kept, splitLines(own));
    EXPECT_EQ(dropped, 0u);
}

}  // namespace
