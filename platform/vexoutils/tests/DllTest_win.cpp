// VexoUtils.dll as the editor and the launcher use it: tables across the DLL boundary,
// styles through the byte streams, and pen settings from a scratch registry key.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "vexoutils/PlotStyleTable.h"

namespace {

TEST(Dll, ReadsWritesAndDeletesTablesAcrossTheBoundary) {
    CPlotStyleTable* t = CPlotStyleTable::read(testfiles::sample("ezdxf-ctbtest.ctb").c_str());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->size(), 255);
    EXPECT_EQ(t->style(0)->penNumber, 11);
    testfiles::Scratch out("dll.ctb");
    ASSERT_TRUE(t->write(out.c_str()));
    ASSERT_TRUE(t->write(out.c_str())) << "an existing file is replaced";
    delete t;  // the receiver deletes, through the DLL's destructor
    std::unique_ptr<CPlotStyleTable> back(CPlotStyleTable::read(out.c_str()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->description, "Comment");
    EXPECT_EQ(CPlotStyleTable::read("Z:\\no\\such\\file.ctb"), nullptr);
}

TEST(Dll, AReadOnlyFileIsNotReplaced) {
    std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::read(testfiles::sample("ezdxf-stbtest.stb").c_str()));
    ASSERT_TRUE(t);
    testfiles::Scratch out("dll-readonly.stb");
    ASSERT_TRUE(t->write(out.c_str()));
    const std::vector<unsigned char> before = testfiles::bytesOf(out.path());
    ASSERT_TRUE(SetFileAttributesA(out.c_str(), FILE_ATTRIBUTE_READONLY));
    t->setDesc("changed");
    EXPECT_FALSE(t->write(out.c_str()));
    EXPECT_EQ(GetFileAttributesA((out.path() + ".~new").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no temporary file is left";
    SetFileAttributesA(out.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(testfiles::bytesOf(out.path()), before);
    EXPECT_TRUE(t->write(out.c_str()));
}

TEST(Dll, StyleTravelsThroughBytesAsOnTheClipboard) {
    std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::create(false, nullptr));
    t->style(1)->screening = 42;
    COBinStreamImp out;
    ASSERT_TRUE(t->style(1)->write(out));
    std::vector<unsigned char> clip(out.data(), out.data() + out.size());
    CIBinStreamImp in(clip.data(), static_cast<unsigned long>(clip.size()), 0);
    CPlotStyle pasted;
    ASSERT_TRUE(pasted.read(in));
    ASSERT_TRUE(t->addStyle("Pasted", 1, &pasted));
    EXPECT_EQ(t->style(t->findLocName("Pasted"))->screening, 42);
}

class ScratchKey : public ::testing::Test {
protected:
    void SetUp() override {
        name_ = "Software\\KivraTests\\VexoUtils-" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, name_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KivraTests");  // only when now empty
    }
    void set(const char* value, const char* text) {
        RegSetValueExA(key_, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(strlen(text) + 1));
    }
    HKEY key_ = nullptr;
    std::string name_;
};

TEST_F(ScratchKey, PenSettingsAreReadByColourIndex) {
    set("1", "3,2,10,0.25");
    set("7", "5,,,");
    set("300", "9,9,9,9");  // beyond the array: ignored
    set("Units", "I");
    PenSettings pens[256];
    bool inches = false;
    ASSERT_TRUE(PenSettings::readFromReg(key_, pens, 256, inches));
    EXPECT_TRUE(inches);
    EXPECT_EQ(pens[1].pen, 3);
    EXPECT_EQ(pens[1].linetype, 2);
    EXPECT_EQ(pens[1].speed, 10);
    EXPECT_DOUBLE_EQ(pens[1].width, 0.25);
    EXPECT_EQ(pens[7].pen, 5);
    EXPECT_EQ(pens[7].linetype, -1) << "an empty field keeps its default";
    EXPECT_EQ(pens[2].pen, -1);
}

TEST_F(ScratchKey, NothingReadLeavesDefaults) {
    set("2", "garbage");
    PenSettings pens[256];
    bool inches = true;
    EXPECT_FALSE(PenSettings::readFromReg(key_, pens, 256, inches));
    EXPECT_FALSE(inches) << "no Units value: millimetres";
    EXPECT_EQ(pens[2].pen, -1);
    EXPECT_FALSE(PenSettings::readFromReg(nullptr, pens, 256, inches));
}

}  // namespace
