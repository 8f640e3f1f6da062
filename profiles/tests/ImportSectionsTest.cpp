// Importing a user's file that holds more than the profile: only the profile reaches the
// registry through the real registry editor, and the sections left out are counted.
#include "TransferFixture.h"
#include "profiles/ExportFile.h"

using namespace testing_support;

namespace {

class ImportSectionsTest : public TransferTest {};

std::u16string wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

TEST_F(ImportSectionsTest, ForeignKeysInTheFileStayUntouched) {
    makeRichProfile("Work");
    recordCurrent("Main");
    setString(key("Other"), "Value", "original");
    createKey(key("Keep"));
    const std::string foreign = scratch.base() + "\\Elsewhere\\Run";

    std::string file = temp.path() + "mixed.arg";
    ASSERT_TRUE(store.exportProfile("Work", file));
    const std::string hive = "[HKEY_CURRENT_USER\\";
    std::string extra = "\r\n" + hive + foreign + "]\r\n\"Start\"=\"evil.exe\"\r\n\r\n" +
                        hive + key("Other") + "]\r\n\"Value\"=\"changed\"\r\n\r\n" +
                        "[-HKEY_CURRENT_USER\\" + key("Keep") + "]\r\n\r\n" +
                        hive + scratch.path() + "]\r\n@=\"Work\"\r\n\r\n";
    std::string bytes = readFileBytes(file);
    ASSERT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    writeFileBytes(file, bytes + profiles::encodeUtf16(wide(extra)));

    const std::string work = snapshot(key("Work"));
    size_t leftOut = 99;
    ASSERT_TRUE(store.importAs(file, "Trip", &leftOut));
    EXPECT_EQ(leftOut, 4u);
    EXPECT_EQ(snapshot(key("Trip")), work);
    EXPECT_FALSE(keyExists(scratch.base() + "\\Elsewhere"));
    EXPECT_TRUE(keyExists(key("Keep")));
    HKEY other;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key("Other").c_str(), 0, KEY_READ, &other), 0);
    char data[64] = {};
    DWORD size = sizeof(data);
    RegQueryValueExA(other, "Value", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(other);
    EXPECT_STREQ(data, "original");
    std::string currentName;
    EXPECT_TRUE(store.current(currentName));
    EXPECT_EQ(currentName, "Main");
}

TEST_F(ImportSectionsTest, AFileOfTheProfileAloneReportsNothingLeftOut) {
    makeRichProfile("Work");
    std::string file = temp.path() + "work.arg";
    ASSERT_TRUE(store.exportProfile("Work", file));
    size_t leftOut = 99;
    ASSERT_TRUE(store.importAs(file, "Trip", &leftOut));
    EXPECT_EQ(leftOut, 0u);
}

}  // namespace
