// Builders for synthetic drawings and pictures, and access to the shared sample drawings,
// for the preview reader's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fixtures {

using Bytes = std::vector<std::uint8_t>;

// The bytes of a file of the shared sample set ("dwg/NAME"); fails the test if missing.
Bytes readSample(const std::string& relative);
std::string samplePath(const std::string& relative);
// Every drawing of the sample set (top folder only), sorted.
std::vector<std::string> sampleDrawings();

// A packed DIB: width x height at bpp bits, pixel (x, y) (y counted from the top) has the
// value pixelValue(x, y) (an index for <= 8 bits, else a 0xRRGGBB colour).
// Colour table entry i is colourOf(i). `topDown` stores a negative height.
std::uint32_t pixelValue(int x, int y, int bpp);
std::uint32_t colourOf(std::uint32_t index);
Bytes makeDib(int width, int height, int bpp, bool topDown = false, std::uint32_t clrUsed = 0);
// The colour (0xRRGGBB) of pixel (x, y from the top) of a packed DIB.
std::uint32_t dibPixel(const Bytes& dib, int x, int y);

// A PNG with the given IHDR colour type and depth; pixel colours from pixelValue with 24
// bits (indexed: index pixelValue(x, y, 8) into a palette of colourOf).
Bytes makePng(int width, int height, int colourType, int depth, bool interlaced = false);
// Recomputes the CRC of every chunk (after a test edited one).
void fixPngCrcs(Bytes& png);

struct Entry {
    std::uint8_t code;
    Bytes data;
};

// A drawing with the given tag whose preview block holds the entries, laid out as native
// writers do: header, block at `blockAt`, entries after the directory, end sentinel.
Bytes makeDrawing(const std::string& tag, const std::vector<Entry>& entries, std::uint32_t blockAt = 0x1C0,
                  std::size_t trailingBytes = 64);
// File offsets inside a drawing made by makeDrawing.
std::uint32_t blockOffset(const Bytes& drawing);
std::size_t directoryEntryOffset(const Bytes& drawing, int index);  // of the code byte

void put32(Bytes& b, std::size_t at, std::uint32_t value);
std::uint32_t get32(const Bytes& b, std::size_t at);

}  // namespace fixtures
