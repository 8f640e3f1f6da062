// Bounds and tolerances of the table component in one place.
#pragma once

#include <cstddef>

namespace vexo {

// Largest inflated text (and file) accepted: a full colour table is about 85 KB, so this
// leaves room for named tables of some ten thousand styles.
constexpr std::size_t kMaxTextBytes = 4u << 20;
// Deepest block nesting accepted (files use two levels).
constexpr int kMaxBlockDepth = 8;
// Largest lineweight a user may enter, millimetres.
constexpr double kMaxLineweightMm = 200.0;
// Two lineweights closer than this are the same entry.
constexpr double kLineweightMatchMm = 0.0005;
constexpr double kMmPerInch = 25.4;
// The compressor's search at the best level, tuned for table text (zlib's deflateTune).
constexpr int kDeflateGoodLength = 8;
constexpr int kDeflateMaxLazy = 16;
constexpr int kDeflateNiceLength = 128;
constexpr int kDeflateMaxChain = 128;

}  // namespace vexo
