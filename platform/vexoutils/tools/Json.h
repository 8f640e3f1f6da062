// A small JSON writer for the driver's output: one document, keys in the order written.
#pragma once

#include <string>

namespace tool {

// A JSON string literal. Bytes above 127 are taken as Latin-1 (the tables carry the ANSI
// code page's bytes and say nothing of it), so every table gives valid JSON.
std::string jsonString(const std::string& bytes);
// A number in its shortest C-locale form.
std::string jsonNumber(double value);

}  // namespace tool
