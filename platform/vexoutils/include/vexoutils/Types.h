// Windows types that appear in the component's interface. The Windows build takes the
// platform's own; the native build, which has no windows.h, uses plain integers of the same
// layout under names of our own.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
typedef COLORREF VxColorRef;  // 0x00BBGGRR
#else
typedef std::uint32_t VxColorRef;  // 0x00BBGGRR, as the platform's COLORREF
#endif

// "Use the object's own colour" where a colour is expected.
constexpr VxColorRef kVxObjectColor = static_cast<VxColorRef>(-1);
