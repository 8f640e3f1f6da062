// Whole-file reading and replacing for the table component.
#pragma once

#include <string>
#include <vector>

namespace vexo {

bool readWholeFile(const char* path, std::vector<unsigned char>& out, std::string& error);
// Writes `bytes` to a temporary file beside `path`, then puts it in place, so a failed
// write leaves an existing file as it was.
bool replaceFile(const char* path, const std::vector<unsigned char>& bytes);
// The platform half: moves `from` over `to`, replacing it.
bool moveReplacing(const std::string& from, const std::string& to);

}  // namespace vexo
