// The host services: opening streams by access, the message table and its formatting,
// the code page table, module lookup, file queries and the fixed answers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "CodePageTable.h"
#include "FileStreams.h"
#include "MessageTable.h"
#include "PreviewSystemServices.h"
#include "dwg/OdError.h"

using namespace vistrel;

namespace {
OdSmartPtr<PreviewSystemServices> makeServices() {
    return OdSmartPtr<PreviewSystemServices>::attach(new PreviewSystemServices());
}
void touch(const std::string& name, std::size_t size) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_TRUE(f);
    for (std::size_t i = 0; i < size; ++i) std::fputc('x', f);
    std::fclose(f);
}
std::wstring tail(const OdString& s, std::size_t n) {
    const std::wstring& w = s.wide();
    return w.size() < n ? w : w.substr(w.size() - n);
}
}  // namespace

TEST(OpenFile, EmptyNameRaisesNoFilename) {
    auto services = makeServices();
    try {
        services->createFile(OdString(), kOdFileRead, kOdShareDenyNo, kOdOpenExisting);
        ADD_FAILURE() << "no error";
    } catch (const OdError& e) {
        EXPECT_EQ(e.code(), eNoFileName);
        EXPECT_EQ(services->formatMessage(e.code()).wide(), L"No filename");
    }
}

TEST(OpenFile, AccessDecidesTheStream) {
    touch("vistrel-services-open.bin", 10);
    auto services = makeServices();
    OdStreamBufPtr read = services->createFile(OdString(L"vistrel-services-open.bin"), 0x80000000u, 0x40, 3);
    EXPECT_TRUE(dynamic_cast<BlockReadStream*>(read.get()));
    EXPECT_EQ(read->numRefs(), 1);
    read.reset();
    OdStreamBufPtr write = services->createFile(OdString(L"vistrel-services-write.bin"), 0x40000000u, 0x40, 2);
    EXPECT_TRUE(dynamic_cast<FileWriteStream*>(write.get()));
    write.reset();
    // Read and write together is not "read": a write stream.
    write = services->createFile(OdString(L"vistrel-services-write.bin"), 0xC0000000u, 0x40, 2);
    EXPECT_TRUE(dynamic_cast<FileWriteStream*>(write.get()));
    write.reset();
    std::remove("vistrel-services-open.bin");
    std::remove("vistrel-services-write.bin");
}

TEST(MessageTable, FixedRowsReadWordForWord) {
    const std::pair<unsigned, const wchar_t*> rows[] = {
        {0, L"No error"}, {1, L"Make me proxy"}, {2, L"Invalid Drawing"}, {3, L"Not implemented yet"},
        {7, L"Out of memory"}, {30, L"Unexpected end of file"}, {31, L"Can't open file"},
        {33, L"File write error"}, {34, L"No filename"}, {40, L"Not that kind of class"},
        {149, L"Unsupported early DWG version"}, {150, L"Drx application error"}, {152, L"Dwg file"},
        {397, L"Recover dwg file."}, {480, L"Audit Failed"}, {488, L"Auditing..."},
        {491, L"Loading DWG file..."}, {501, L"Cannot set %s to that value."},
    };
    for (const auto& row : rows) EXPECT_STREQ(messageText(row.first), row.second) << row.first;
    for (unsigned code = 0; code < kMessageCount; ++code) {
        ASSERT_NE(messageText(code), nullptr) << code;
        EXPECT_NE(messageText(code)[0], L'\0') << code;
    }
    EXPECT_EQ(messageText(kMessageCount), nullptr);
}

TEST(MessageFormatting, CodesArgumentsAndUnknownCodes) {
    auto services = makeServices();
    EXPECT_EQ(services->formatMessage(502).wide(), L"Unknown message (code: 502)");
    EXPECT_EQ(services->formatMessage(0xFFFFFFFFu).wide(), L"Unknown message (code: -1)");
    EXPECT_EQ(services->formatMessage(34).wide(), L"No filename");
    // Without arguments a text with placeholders comes back as it stands.
    EXPECT_EQ(services->formatMessage(501).wide(), L"Cannot set %s to that value.");
    EXPECT_EQ(services->formatMsg(501, L"LTSCALE").wide(), L"Cannot set LTSCALE to that value.");
    EXPECT_EQ(services->formatMsg(41, L"OdDbLine").wide(), L"Wrong class: OdDbLine expected");
    EXPECT_EQ(services->formatMsg(489, 3, 2).wide(), L"Audit complete: 3 errors found, 2 fixed");
    EXPECT_EQ(services->formatMsg(30).wide(), L"Unexpected end of file");
}

TEST(CodePages, TableAndUnknownPages) {
    const std::pair<unsigned, OdCodePageId> rows[] = {
        {874, CP_ANSI_874}, {932, CP_ANSI_932}, {936, CP_ANSI_936}, {949, CP_ANSI_949}, {950, CP_ANSI_950},
        {1200, CP_ANSI_1200}, {1250, CP_ANSI_1250}, {1251, CP_ANSI_1251}, {1252, CP_ANSI_1252},
        {1253, CP_ANSI_1253}, {1254, CP_ANSI_1254}, {1255, CP_ANSI_1255}, {1256, CP_ANSI_1256}, {1257, CP_ANSI_1257},
    };
    for (const auto& row : rows) EXPECT_EQ(codePageIdForWindows(row.first), row.second) << row.first;
    EXPECT_EQ(static_cast<int>(CP_ANSI_874), 37);
    EXPECT_EQ(static_cast<int>(CP_ANSI_1250), 28);
    EXPECT_EQ(static_cast<int>(CP_ANSI_1200), 43);
    for (unsigned other : {0u, 437u, 1258u, 65001u, 20127u}) EXPECT_EQ(codePageIdForWindows(other), CP_UNDEFINED) << other;
    EXPECT_EQ(makeServices()->systemCodePage(), codePageIdForWindows(PreviewSystemServices::platformAnsiCodePage()));
}

TEST(FindModuleFile, AppendsDrxOnlyWithoutADot) {
    touch("vistrel-probe.drx", 1);
    touch("vistrel-probe.bin", 1);
    auto services = makeServices();
    EXPECT_EQ(tail(services->findModuleFile(OdString(L"vistrel-probe")), 17), L"vistrel-probe.drx");
    EXPECT_EQ(tail(services->findModuleFile(OdString(L"vistrel-probe.bin")), 17), L"vistrel-probe.bin");
    std::remove("vistrel-probe.drx");
    // With the .drx file gone the dotless name is not found, though vistrel-probe.bin exists.
    EXPECT_TRUE(services->findModuleFile(OdString(L"vistrel-probe")).isEmpty());
    EXPECT_TRUE(services->findModuleFile(OdString(L"vistrel-absent.dll")).isEmpty());
    std::remove("vistrel-probe.bin");
}

TEST(FileQueries, SizeAndFixedAnswers) {
    touch("vistrel-size.bin", 12345);
    auto services = makeServices();
    EXPECT_EQ(services->getFileSize(OdString(L"vistrel-size.bin")), 12345);
    EXPECT_EQ(services->getFileSize(OdString(L"vistrel-no-such.bin")), -1);
    EXPECT_TRUE(services->accessFile(OdString(L"vistrel-no-such.bin"), 0));
    EXPECT_EQ(services->getFileCTime(OdString(L"vistrel-size.bin")), -1);
    EXPECT_EQ(services->getFileMTime(OdString(L"vistrel-size.bin")), 0);
    EXPECT_EQ(services->tableIndexLimit(), 127);
    EXPECT_EQ(services->styleIndexLimit(), 127);
    std::remove("vistrel-size.bin");
}

namespace {
// The virtual table slot of a member function (Itanium C++ ABI, as GCC and mingw use: the
// pointer holds 1 + the slot's byte offset). GCC gives a virtual destructor two slots, so
// slot n of the contract (which counts one) is index n + 1 here.
template <class M> long slotOf(M member) {
    static_assert(sizeof(M) == 2 * sizeof(std::uintptr_t), "pointer to member of the Itanium ABI");
    std::uintptr_t words[2];
    std::memcpy(words, &member, sizeof words);
    return static_cast<long>((words[0] - 1) / sizeof(void*)) - 1;
}
}  // namespace

TEST(ServicesObject, OperationsSitInTheLibrarysSlotOrder) {
    EXPECT_EQ(slotOf(&OdRxObject::queryX), 1);
    EXPECT_EQ(slotOf(&OdRxObject::addRef), 4);
    EXPECT_EQ(slotOf(&OdRxObject::numRefs), 6);
    EXPECT_EQ(slotOf(&OdRxObject::isEqualTo), 10);
    EXPECT_EQ(slotOf(&PreviewSystemServices::createFile), 11);
    EXPECT_EQ(slotOf(&PreviewSystemServices::accessFile), 12);
    EXPECT_EQ(slotOf(&PreviewSystemServices::getFileSize), 15);
    EXPECT_EQ(slotOf(&PreviewSystemServices::formatMessage), 16);
    EXPECT_EQ(slotOf(&OdRxSystemServices::formatMsg), 17);
    EXPECT_EQ(slotOf(&PreviewSystemServices::systemCodePage), 18);
    EXPECT_EQ(slotOf(&OdRxSystemServices::createGuid), 19);
    EXPECT_EQ(slotOf(&PreviewSystemServices::findModuleFile), 22);
    EXPECT_EQ(slotOf(&OdRxSystemServices::warning), 23);
    EXPECT_EQ(slotOf(&PreviewSystemServices::tableIndexLimit), 24);
    EXPECT_EQ(slotOf(&PreviewSystemServices::styleIndexLimit), 25);
    // Streams: the library's operations 11 to 23, then the base's own two.
    EXPECT_EQ(slotOf(&OdStreamBuf::fileName), 11);
    EXPECT_EQ(slotOf(&OdStreamBuf::seek), 17);
    EXPECT_EQ(slotOf(&OdStreamBuf::getShareMode), 23);
    EXPECT_EQ(slotOf(&FileStreamBase::openFile), 24);
    EXPECT_EQ(slotOf(&FileStreamBase::closeFile), 25);
}

TEST(ServicesObject, CountsReferencesAndIsOfItsClass) {
    auto services = makeServices();
    EXPECT_EQ(services->numRefs(), 1);
    services->addRef();
    EXPECT_EQ(services->numRefs(), 2);
    services->release();
    EXPECT_TRUE(services->isKindOf(OdDbSystemServices::desc()));
    EXPECT_TRUE(services->isKindOf(OdRxSystemServices::desc()));
    EXPECT_FALSE(services->isKindOf(OdStreamBuf::desc()));
}
