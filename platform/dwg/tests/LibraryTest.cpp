// The library's own services natively: string formatting, errors, the memory stream,
// start and stop, and odDbGetPreviewBitmap over a stream.
#include <gtest/gtest.h>

#include "PreviewFixtures.h"
#include "dwg/DbInitialize.h"
#include "dwg/OdAlloc.h"
#include "dwg/OdError.h"
#include "dwg/ThumbnailImage.h"

using fixtures::Bytes;

TEST(OdStringFormat, ConversionsFollowTheLibraryConventions) {
    OdString s;
    EXPECT_EQ(s.format(L"%d|%5d|%-4d|%08X|%#x|%u", -3, 42, 7, 0xBEEFu, 255u, 4000000000u).wide(), L"-3|   42|7   |0000BEEF|0xff|4000000000");
    EXPECT_EQ(s.format(L"%s and %ls", L"wide", L"also wide").wide(), L"wide and also wide");
    EXPECT_EQ(s.format(L"%hs", "narrow").wide(), L"narrow");
    EXPECT_EQ(s.format(L"%g %f %lf %.2f", 0.5, 1.25, 2.0, 3.14159).wide(), L"0.5 1.250000 2.000000 3.14");
    EXPECT_EQ(s.format(L"100%% %c %s", L'x', static_cast<const OdChar*>(nullptr)).wide(), L"100% x (null)");
    EXPECT_EQ(s.format(L"%q stays %", 1).wide(), L"%q stays %");
    EXPECT_EQ(s.format(L"%lld %I64d", 1234567890123LL, -5LL).wide(), L"1234567890123 -5");
}

TEST(OdStringFormat, NarrowTextRoundTrips) {
    const OdString plain("Zeichnung 7.dwg", CP_SYSTEM_ANSI);
    EXPECT_EQ(plain.wide(), L"Zeichnung 7.dwg");
    EXPECT_EQ(plain.find(L'.'), 11);
    // Non-ASCII bytes come back unchanged through the same code page (UTF-8 natively, the
    // ANSI code page on Windows).
    const OdString s("Zeichnung \xC3\xA4.dwg", CP_SYSTEM_ANSI);
    EXPECT_GE(s.getLength(), 15);
    EXPECT_EQ(std::string(OdAnsiString(s, CP_SYSTEM_ANSI).c_str()), "Zeichnung \xC3\xA4.dwg");
    EXPECT_EQ(OdString(L"abc").find(L'.'), -1);
}

TEST(OdErrors, CarryCodeFileAndText) {
    try {
        throw OdError_CantOpenFile(OdString(L"a.dwg"));
    } catch (const OdError& e) {
        EXPECT_EQ(e.code(), eCantOpenFile);
        EXPECT_EQ(e.fileName().wide(), L"a.dwg");
        EXPECT_NE(e.description().wide().find(L"a.dwg"), std::wstring::npos);
    }
    EXPECT_EQ(OdError(OdString(L"WMF File")).description().wide(), L"WMF File");
    EXPECT_EQ(OdError(OdString(L"WMF File")).code(), eExtendedError);
    EXPECT_EQ(OdError_NotThatKindOfClass().code(), eNotThatKindOfClass);
}

TEST(OdObjects, SmartPointerCastAndCounts) {
    const long before = odrxLiveBlocks();
    {
        const Bytes data{1, 2, 3};
        OdStreamBufPtr stream = OdMemoryStream::create(data.data(), data.size());
        EXPECT_EQ(stream->numRefs(), 1);
        OdRxObjectPtr asObject(stream.get());
        EXPECT_EQ(stream->numRefs(), 2);
        EXPECT_TRUE(OdStreamBufPtr::cast(asObject.get()));
        EXPECT_FALSE(OdSmartPtr<OdRxSystemServices>::cast(asObject.get()));
        EXPECT_THROW(asObject->x(OdRxSystemServices::desc()), OdError_NotThatKindOfClass);
        EXPECT_EQ(stream->numRefs(), 2);
        EXPECT_TRUE(stream->isEqualTo(asObject.get()));
    }
    EXPECT_EQ(odrxLiveBlocks(), before);
}

TEST(OdStreams, MemoryStreamRaisesAtTheEnd) {
    const Bytes data{10, 20, 30, 40};
    OdStreamBufPtr s = OdMemoryStream::create(data.data(), data.size());
    EXPECT_EQ(s->seek(-1, OdDb::kSeekFromEnd), 3u);
    EXPECT_EQ(s->getByte(), 40);
    EXPECT_TRUE(s->isEof());
    EXPECT_THROW(s->getByte(), OdError);
    s->rewind();
    std::uint8_t two[2];
    s->getBytes(two, 2);
    EXPECT_EQ(two[1], 20);
    EXPECT_THROW(s->getBytes(two, 3), OdError);
    EXPECT_THROW(s->seek(5, OdDb::kSeekFromStart), OdError);
    EXPECT_THROW(s->putByte(1), OdError);
}

namespace {
class NullServices : public OdDbSystemServices {
public:
    OdStreamBufPtr createFile(const OdString&, OdUInt32, OdUInt32, OdUInt32) override { throw OdError(eNotImplementedYet); }
    bool accessFile(const OdString&, int) override { return false; }
    OdInt64 getFileCTime(const OdString&) override { return -1; }
    OdInt64 getFileMTime(const OdString&) override { return 0; }
    OdInt64 getFileSize(const OdString&) override { return -1; }
    OdString formatMessage(unsigned code, va_list*) override { OdString s; return s.format(L"message %u", code); }
    OdCodePageId systemCodePage() const override { return CP_ANSI_1252; }
    OdString findModuleFile(const OdString&) override { return OdString(); }
    int tableIndexLimit() override { return 127; }
    int styleIndexLimit() override { return 127; }
};
}  // namespace

TEST(OdStartStop, NestsAndHoldsTheFirstServices) {
    OdSmartPtr<OdDbSystemServices> a = OdRxObjectImpl<NullServices>::createObject();
    OdSmartPtr<OdDbSystemServices> b = OdRxObjectImpl<NullServices>::createObject();
    const OdDbInitCounts before = odDbInitCounts();
    odInitialize(a.get());
    EXPECT_EQ(a->numRefs(), 2);
    odInitialize(b.get());
    EXPECT_EQ(odrxSystemServices(), a.get());
    EXPECT_EQ(OdError(eEndOfFile).description().wide(), L"message 30");
    EXPECT_EQ(a->formatMsg(7).wide(), L"message 7");
    odUninitialize();
    EXPECT_EQ(odrxSystemServices(), a.get());
    odUninitialize();
    EXPECT_EQ(odrxSystemServices(), nullptr);
    EXPECT_EQ(a->numRefs(), 1);
    EXPECT_THROW(odUninitialize(), OdError);
    EXPECT_THROW(odInitialize(nullptr), OdError);
    const OdDbInitCounts after = odDbInitCounts();
    EXPECT_EQ(after.initializeCalls - before.initializeCalls, 3);
    EXPECT_EQ(after.uninitializeCalls - before.uninitializeCalls, 3);
    EXPECT_EQ(OdError(eEndOfFile).description().wide(), L"Error 30");
}

TEST(PreviewBitmapCall, FillsTheRecordThroughTheStream) {
    const Bytes file = fixtures::readSample("dwg/AC1027_libredwg_2013_Line.dwg");
    OdStreamBufPtr stream = OdMemoryStream::create(file.data(), file.size());
    OdThumbnailImage image;
    const OdDbPreviewInfo info = odDbGetPreviewBitmapEx(stream.get(), &image);
    EXPECT_EQ(info.kind, OdDbPreviewKind::kPng);
    EXPECT_EQ(info.width, 256);
    EXPECT_EQ(info.height, 102);
    EXPECT_EQ(image.header.size(), 80u);
    ASSERT_GE(image.bmp.size(), 40u);
    EXPECT_EQ(fixtures::get32(image.bmp, 4), 256u);
    EXPECT_TRUE(image.wmf.empty());
}

TEST(PreviewBitmapCall, NoPictureLeavesTheBitmapEmpty) {
    const Bytes wmfOnly = fixtures::makeDrawing("AC1015", {{1, Bytes(80, 0)}, {3, Bytes(40, 9)}});
    OdStreamBufPtr stream = OdMemoryStream::create(wmfOnly.data(), wmfOnly.size());
    OdThumbnailImage image;
    EXPECT_EQ(odDbGetPreviewBitmapEx(stream.get(), &image).kind, OdDbPreviewKind::kWmf);
    EXPECT_TRUE(image.bmp.empty());
    EXPECT_EQ(image.wmf.size(), 40u);
}

TEST(PreviewBitmapCall, OtherFilesAndShortStreamsRaise) {
    const std::string text = "this is not a drawing, just text\n";
    OdStreamBufPtr stream = OdMemoryStream::create(reinterpret_cast<const OdUInt8*>(text.data()), text.size());
    OdThumbnailImage image;
    try {
        odDbGetPreviewBitmap(stream.get(), &image);
        ADD_FAILURE() << "no error raised";
    } catch (const OdError& e) {
        EXPECT_EQ(e.code(), eInvalidDrawing);
    }
    EXPECT_THROW(odDbGetPreviewBitmap(nullptr, &image), OdError);
    // A stream that claims more bytes than it can deliver: its own error passes through.
    class LyingStream : public OdMemoryStream {
    public:
        LyingStream(const OdUInt8* d, std::size_t n) : OdMemoryStream(d, n, OdString()) {}
        OdUInt64 length() override { return 1u << 20; }
    };
    const Bytes file = fixtures::readSample("dwg/AC1018_libredwg_2004_Line.dwg");
    OdStreamBufPtr lying = OdRxObjectImpl<LyingStream>::createObject(file.data(), std::size_t{0x30});
    try {
        odDbGetPreviewBitmap(lying.get(), &image);
        ADD_FAILURE() << "no error raised";
    } catch (const OdError& e) {
        EXPECT_EQ(e.code(), eEndOfFile);
    }
}
