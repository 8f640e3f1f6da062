// The extractor's code linked into this program, where its stream and allocator can be
// watched: an extraction reads only the file header and the preview block, and running
// out of memory at any point of Extract ends in an HRESULT or the no-thumbnail picture,
// never in an exception or a leak.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "FileStreams.h"
#include "PreviewFixtures.h"
#include "RenderThumbnail.h"
#include "VistrelDll_win.h"
#include "VistrelExtractor.h"
#include "dwg/OdAlloc.h"

namespace {

struct LocalExtractor {
    IPersistFile* file = nullptr;
    IExtractImage* image = nullptr;
    LocalExtractor() {
        if (SUCCEEDED(vistrel::VistrelExtractor::create(nullptr, IID_IPersistFile, reinterpret_cast<void**>(&file))))
            file->QueryInterface(IID_IExtractImage, reinterpret_cast<void**>(&image));
    }
    ~LocalExtractor() {
        if (image) image->Release();
        if (file) file->Release();
    }
};

std::uint32_t le32(const fixtures::Bytes& b, std::size_t at) { return at + 4 <= b.size() ? fixtures::get32(b, at) : 0; }

// Bytes of the 8192-byte blocks of a file that hold its header (the first 0x19 bytes)
// and, when the header points at one, its preview block from start sentinel to end
// sentinel: what a reader that needs only the preview brings in through the stream.
std::uint64_t blockBytesOfPreview(const fixtures::Bytes& file) {
    std::set<std::uint64_t> blocks = {0};
    const std::uint64_t s = le32(file, 0x0D);
    const bool hasBlock = file.size() >= 0x19 && s >= 0x19 && s + 21 <= file.size() &&
                          std::string(file.begin(), file.begin() + 4) == "AC10" && file[4] >= '1';
    if (hasBlock) {
        std::uint64_t end = s + 21;
        static const std::uint8_t kStart[4] = {0x1F, 0x25, 0x6D, 0x07};
        if (std::equal(kStart, kStart + 4, file.begin() + static_cast<std::ptrdiff_t>(s))) {
            const std::uint64_t full = s + 36 + le32(file, s + 16);
            if (full <= file.size()) end = full;
        }
        for (std::uint64_t b = s / 8192; b <= (end - 1) / 8192; ++b) blocks.insert(b);
    }
    std::uint64_t bytes = 0;
    for (std::uint64_t b : blocks) bytes += std::min<std::uint64_t>(8192, file.size() - b * 8192);
    return bytes;
}

}  // namespace

TEST(VistrelExtractorReads, OnlyTheBlocksHoldingTheHeaderAndThePreview) {
    for (const std::string& name : fixtures::sampleDrawings()) {
        SCOPED_TRACE(name);
        const fixtures::Bytes bytes = fixtures::readSample("dwg/" + name);
        LocalExtractor e;
        ASSERT_TRUE(e.image);
        ASSERT_EQ(e.file->Load(windowsPath(sharedDrawing(name)).c_str(), STGM_READ), S_OK);
        SIZE size{96, 96};
        DWORD flags = 0;
        ASSERT_EQ(e.image->GetLocation(nullptr, 0, nullptr, &size, 32, &flags), S_OK);
        vistrel::resetStreamReadCounts();
        HBITMAP bitmap = nullptr;
        ASSERT_EQ(e.image->Extract(&bitmap), S_OK);
        DeleteObject(bitmap);
        const vistrel::StreamReadCounts read = vistrel::streamReadCounts();
        // The end sentinel is checked before the picture is read; when the picture spans
        // more blocks than the stream keeps, the sentinel's block is read a second time.
        const std::uint64_t needed = blockBytesOfPreview(bytes);
        const std::uint64_t again = needed > vistrel::kBlockCount * vistrel::kBlockSize ? vistrel::kBlockSize : 0;
        EXPECT_GE(read.bytesFromFiles, needed) << "of " << bytes.size();
        EXPECT_LE(read.bytesFromFiles, needed + again) << "of " << bytes.size();
        EXPECT_LE(read.bytesDelivered, read.bytesFromFiles);
        if (bytes.size() > 64 * 1024) {
            EXPECT_LT(read.bytesFromFiles, bytes.size());
        }
    }
}

TEST(VistrelExtractorReads, NoMemoryForTheObjectIsReportedAsSuch) {
    void* object = &object;
    odrxFailAllocationsAfter(0);
    const HRESULT hr = vistrel::VistrelExtractor::create(nullptr, IID_IPersistFile, &object);
    odrxFailAllocationsAfter(-1);
    EXPECT_EQ(hr, E_OUTOFMEMORY);
    EXPECT_EQ(object, nullptr);
}

TEST(VistrelExtractorReads, RunningOutOfMemoryNeverEscapesExtract) {
    const std::wstring path = windowsPath(sharedDrawing("AC1024_libredwg_2010_Line.dwg"));
    const Pixels real = renderedPixels(path, 64, 64);
    HBITMAP none = vistrel::drawNoThumbnail(64, 64);
    const Pixels noThumbnail = readPixels(none);
    DeleteObject(none);
    int failures = 0, pictures = 0, noPictures = 0;
    for (long successes = 0; successes < 400; ++successes) {
        LocalExtractor e;
        ASSERT_TRUE(e.image);
        ASSERT_EQ(e.file->Load(path.c_str(), STGM_READ), S_OK);
        SIZE size{64, 64};
        DWORD flags = 0;
        ASSERT_EQ(e.image->GetLocation(nullptr, 0, nullptr, &size, 32, &flags), S_OK);
        const long blocks = odrxLiveBlocks();
        HBITMAP bitmap = nullptr;
        odrxFailAllocationsAfter(successes);
        HRESULT hr = E_UNEXPECTED;
        try {
            hr = e.image->Extract(&bitmap);
        } catch (...) {
            odrxFailAllocationsAfter(-1);
            FAIL() << "an exception left Extract after " << successes << " allocations";
        }
        odrxFailAllocationsAfter(-1);
        EXPECT_EQ(odrxLiveBlocks(), blocks) << "nothing kept after " << successes << " allocations";
        if (FAILED(hr)) {
            EXPECT_EQ(hr, E_OUTOFMEMORY);
            EXPECT_EQ(bitmap, nullptr);
            ++failures;
            continue;
        }
        const Pixels p = readPixels(bitmap);
        DeleteObject(bitmap);
        if (p.rgb == real.rgb) {
            ++pictures;
            if (pictures > 3) break;  // enough allocations allowed for the whole road
        } else {
            EXPECT_TRUE(p.rgb == noThumbnail.rgb) << "after " << successes << " allocations";
            ++noPictures;
        }
    }
    EXPECT_GT(failures, 0) << "allocations before the library starts";
    EXPECT_GT(noPictures, 0) << "allocations while the preview is read";
    EXPECT_GT(pictures, 0);
}
