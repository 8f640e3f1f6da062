// Export files on disk without the editor: reading the header of UTF-16 and narrow files in
// both line-break forms, rewriting in the source's encoding, and temporary files.
#include "TransferFixture.h"
#include "profiles/ExportFile.h"

using namespace testing_support;
using profiles::ProfileStore;

namespace {

class ExportHeaderTest : public TransferTest {
protected:
    std::string head() const { return "[HKEY_CURRENT_USER\\" + scratch.path(); }
    std::string wideFile(const std::string& name, const std::u16string& text) {
        std::string path = temp.path() + name;
        writeFileBytes(path, "\xFF\xFE" + profiles::encodeUtf16(text));
        return path;
    }
    static std::u16string widen(const std::string& ascii) {
        return std::u16string(ascii.begin(), ascii.end());
    }
};

TEST_F(ExportHeaderTest, RawMultiLineUtf16FileAsTheWindowsEditorWritesIt) {
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n" + head() +
                       "\\Raw]\r\n@=\"one \\\"two\\\"\r\r\nthree \\\\ four\"\r\n\"V\"=\"x\"\r\n";
    std::string name, description;
    ASSERT_TRUE(store.readExportHeader(wideFile("raw.arg", widen(text)), name, description));
    EXPECT_EQ(name, "Raw");
    EXPECT_EQ(description, "one \"two\"\r\nthree \\ four");
}

TEST_F(ExportHeaderTest, NarrowFileInTheOneLineForm) {
    std::string path = temp.path() + "narrow.arg";
    writeFileBytes(path, "REGEDIT4\r\n\r\n" + head() + "\\Flat]\r\n@=\"a\\r\\nb \\\\ \\\"c\\\"\"\r\n");
    std::string name, description;
    ASSERT_TRUE(store.readExportHeader(path, name, description));
    EXPECT_EQ(name, "Flat");
    EXPECT_EQ(description, "a\r\nb \\ \"c\"");
}

TEST_F(ExportHeaderTest, AMissingFileOrAFileWithoutProfileFails) {
    std::string name = "sentinel", description = "sentinel";
    EXPECT_FALSE(store.readExportHeader(temp.path() + "absent.arg", name, description));
    EXPECT_EQ(name, "");
    EXPECT_EQ(description, "");
    std::string path = temp.path() + "empty.arg";
    writeFileBytes(path, "");
    EXPECT_FALSE(store.readExportHeader(path, name, description));
}

TEST_F(ExportHeaderTest, RewriteKeepsUtf16AndEveryCharacterOfIt) {
    std::u16string text = u"Windows Registry Editor Version 5.00\r\n\r\n" + widen(head()) +
                          u"\\Old]\r\n@=\"\u0416\u20AC\u65E5\"\r\n\"E\"=\"\x01\"\r\n";
    std::string target = temp.path() + "out.arg";
    size_t replaced = 99;
    ASSERT_TRUE(ProfileStore::rewriteExportFile(wideFile("in.arg", text), target,
                                                scratch.path() + "\\Old",
                                                scratch.path() + "\\New", &replaced));
    EXPECT_EQ(replaced, 1u);
    std::string bytes = readFileBytes(target);
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(profiles::decodeUtf16(bytes, 2),
              u"Windows Registry Editor Version 5.00\r\n\r\n" + widen(head()) +
                  u"\\New]\r\n@=\"\u0416\u20AC\u65E5\"\r\n\"E\"=\"\"\r\n");
}

TEST_F(ExportHeaderTest, RewriteKeepsNarrowFilesNarrow) {
    std::string source = temp.path() + "in.arg", target = temp.path() + "out.arg";
    writeFileBytes(source, "REGEDIT4\r\n\r\n" + head() + "\\Old\\Sub]\r\n\"V\"=\"x\"\r\n");
    ASSERT_TRUE(ProfileStore::rewriteExportFile(source, target, scratch.path() + "\\Old",
                                                scratch.path() + "\\Newer"));
    EXPECT_EQ(readFileBytes(target),
              "REGEDIT4\r\n\r\n" + head() + "\\Newer\\Sub]\r\n\"V\"=\"x\"\r\n");
    EXPECT_FALSE(ProfileStore::rewriteExportFile(temp.path() + "absent", target, "a", "b"));
    EXPECT_FALSE(ProfileStore::rewriteExportFile(source, temp.path() + "no\\such\\dir\\x", "a", "b"));
}

TEST_F(ExportHeaderTest, TempFilesAreNewEmptyAndUniqueInTheTemporaryFolder) {
    std::string first, second;
    ASSERT_TRUE(ProfileStore::createTempFile(first));
    ASSERT_TRUE(ProfileStore::createTempFile(second));
    EXPECT_NE(first, second);
    EXPECT_EQ(temp.files("prf*").size(), 2u);
    EXPECT_EQ(first.rfind(temp.path() + "prf", 0), 0u) << first;
    EXPECT_EQ(readFileBytes(first), "");
    DeleteFileA(first.c_str());
    DeleteFileA(second.c_str());
}

}  // namespace
