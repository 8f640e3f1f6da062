// Basic types of the DWG library layer: fixed-size integers, the wide character type and
// the byte array the library fills. Plain C++; no operating system behind it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

typedef std::uint8_t OdUInt8;
typedef std::int16_t OdInt16;
typedef std::uint16_t OdUInt16;
typedef std::int32_t OdInt32;
typedef std::uint32_t OdUInt32;
typedef std::int64_t OdInt64;
typedef std::uint64_t OdUInt64;
typedef wchar_t OdChar;

// A growable byte array; empty means "nothing there".
typedef std::vector<OdUInt8> OdBinaryData;

namespace OdDb {
// Origins of OdStreamBuf::seek.
enum FilerSeekType { kSeekFromStart = 0, kSeekFromCurrent = 1, kSeekFromEnd = 2 };
}  // namespace OdDb
