// The preview reader on the shared sample drawings: each gives the kind and size of
// picture its provenance table lists, and the damaged variants give no picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "PreviewFixtures.h"
#include "dwg/PreviewDib.h"
#include "dwg/PreviewReader.h"

using namespace dwgpreview;

namespace {

struct Expected {
    Kind kind;
    int width, height;
    int bitCount;  // of the DIB handed out
};

// From the sample set's provenance table.
const std::map<std::string, Expected> kExpected = {
    {"AC1009_libredwg_r11_entities-2d.dwg", {Kind::kNone, 0, 0, 0}},
    {"AC1014_dwgrs_line_r14_stub.dwg", {Kind::kNone, 0, 0, 0}},
    {"AC1014_ixmilia_R14.dwg", {Kind::kBmp, 512, 512, 8}},
    {"AC1014_libredwg_r14_Leader.dwg", {Kind::kBmp, 184, 140, 8}},
    {"AC1015_libredwg_2000_PolyLine2D.dwg", {Kind::kNone, 0, 0, 0}},
    {"AC1015_libredwg_2000_entities-2d.dwg", {Kind::kBmp, 180, 92, 8}},
    {"AC1015_libredwg_sample_2000.dwg", {Kind::kBmp, 180, 88, 8}},
    {"AC1018_libredwg_2004_Line.dwg", {Kind::kBmp, 256, 102, 8}},
    {"AC1018_libredwg_example_2004.dwg", {Kind::kBmp, 216, 140, 8}},
    {"AC1021_libredwg_2007_Line.dwg", {Kind::kBmp, 256, 102, 8}},
    {"AC1024_libredwg_2010_Constraints.dwg", {Kind::kBmp, 592, 448, 8}},
    {"AC1024_libredwg_2010_Line.dwg", {Kind::kBmp, 256, 102, 8}},
    {"AC1027_ezdxf_dimtad-dimjust.dwg", {Kind::kPng, 512, 318, -1}},
    {"AC1027_libredwg_2013_Constraints.dwg", {Kind::kPng, 591, 448, -1}},
    {"AC1027_libredwg_2013_Line.dwg", {Kind::kPng, 256, 102, -1}},
    {"AC1032_acadsharp_empty.dwg", {Kind::kPng, 256, 91, -1}},
    {"AC1032_libredwg_2018_Leader.dwg", {Kind::kNone, 0, 0, 0}},
    {"AC1032_libredwg_2018_Line.dwg", {Kind::kNone, 0, 0, 0}},
    {"AC1032_libredwg_sample_2018.dwg", {Kind::kPng, 597, 448, -1}},
};

Result readBytes(const fixtures::Bytes& bytes) {
    MemorySource source(bytes.data(), bytes.size());
    return readPreview(source);
}

}  // namespace

TEST(RealDrawings, EveryFileGivesTheListedKindAndSize) {
    const auto names = fixtures::sampleDrawings();
    ASSERT_EQ(names.size(), kExpected.size()) << "sample set changed";
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        auto it = kExpected.find(name);
        ASSERT_NE(it, kExpected.end());
        const Result r = readBytes(fixtures::readSample("dwg/" + name));
        EXPECT_EQ(r.kind, it->second.kind) << r.reason;
        EXPECT_EQ(r.version, name.substr(0, 6));
        if (it->second.kind == Kind::kNone) {
            EXPECT_NE(r.status, Status::kFound);
            EXPECT_TRUE(r.dib.empty());
            continue;
        }
        EXPECT_EQ(r.status, Status::kFound);
        EXPECT_EQ(r.width, it->second.width);
        EXPECT_EQ(r.height, it->second.height);
        DibLayout layout;
        ASSERT_TRUE(inspectDib(r.dib.data(), r.dib.size(), layout, nullptr));
        EXPECT_EQ(layout.width, it->second.width);
        EXPECT_EQ(layout.height, it->second.height);
        EXPECT_FALSE(layout.topDown);
        EXPECT_EQ(layout.headerSize, 40u);
        if (it->second.bitCount > 0) {
            EXPECT_EQ(layout.bitCount, it->second.bitCount);
        }
        // Header data is the 80 zero bytes every sample carries.
        EXPECT_EQ(r.header, fixtures::Bytes(80, 0));
    }
}

TEST(RealDrawings, ShapesWithoutPictureAreToldApart) {
    EXPECT_EQ(readBytes(fixtures::readSample("dwg/AC1009_libredwg_r11_entities-2d.dwg")).status, Status::kEarlyVersion);
    EXPECT_EQ(readBytes(fixtures::readSample("dwg/AC1014_dwgrs_line_r14_stub.dwg")).status, Status::kNoBlock);
    // Count 0 with overall 1, and a lone header entry: sound blocks without a picture.
    EXPECT_EQ(readBytes(fixtures::readSample("dwg/AC1015_libredwg_2000_PolyLine2D.dwg")).status, Status::kNoImage);
    const Result headerOnly = readBytes(fixtures::readSample("dwg/AC1032_libredwg_2018_Line.dwg"));
    EXPECT_EQ(headerOnly.status, Status::kNoImage);
    EXPECT_EQ(headerOnly.header.size(), 80u);
}

TEST(RealDrawings, BmpPreviewIsHandedOutAsStored) {
    // The 8-bit sample's rows are passed through unchanged (only palette junk is cleared).
    const auto file = fixtures::readSample("dwg/AC1018_libredwg_2004_Line.dwg");
    const Result r = readBytes(file);
    ASSERT_EQ(r.status, Status::kFound);
    const std::size_t entryStart = fixtures::get32(file, fixtures::directoryEntryOffset(file, 1) + 1);
    const std::size_t entrySize = fixtures::get32(file, fixtures::directoryEntryOffset(file, 1) + 5);
    ASSERT_EQ(r.dib.size(), entrySize);
    const std::size_t rows = 40 + 1024;
    EXPECT_TRUE(std::equal(r.dib.begin() + rows, r.dib.end(), file.begin() + entryStart + rows));
}

TEST(RealDrawings, DamagedVariantsGiveNoPicture) {
    for (const char* name : {"truncated_mid_bmp_AC1015.dwg", "seeker_past_eof_AC1032.dwg",
                             "bad_start_sentinel_AC1018.dwg", "huge_entry_size_AC1024.dwg",
                             "bmp_header_lies_AC1021.dwg"}) {
        SCOPED_TRACE(name);
        std::ifstream probe(fixtures::samplePath(std::string("dwg/damaged/") + name));
        if (!probe.good()) continue;  // not every variant is in the shared set
        const Result r = readBytes(fixtures::readSample(std::string("dwg/damaged/") + name));
        EXPECT_NE(r.status, Status::kFound);
        EXPECT_TRUE(r.dib.empty());
        EXPECT_FALSE(r.reason.empty());
    }
}
