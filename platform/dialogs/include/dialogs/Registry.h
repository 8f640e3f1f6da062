// The suite's one rule for reading a registry string: a value counts as read only when it is
// of a string type and its data, within the buffer the caller allows, ends in its terminator.
#pragma once

#include <windows.h>

#include <string>

namespace dlg {

// Reads `valueName` (null: the default value) of the open `key` into a buffer of
// `bufferSize` bytes. ERROR_SUCCESS when read; the registry's own status when the value
// cannot be had (ERROR_FILE_NOT_FOUND, ERROR_MORE_DATA...); ERROR_INVALID_DATA for a value
// that is not a string or lacks its terminating zero (two for REG_MULTI_SZ). `text` is
// left alone on failure.
LONG readStringValue(HKEY key, const char* valueName, DWORD bufferSize, std::string& text);

}  // namespace dlg
