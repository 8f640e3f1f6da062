// A second, independent reader of table files: inflates the text with zlib alone and
// flattens it to "path=value" records, without any of the component's own code. The
// driver prints the text with it; the tests compare saved files against originals with it.
#pragma once

#include <string>
#include <vector>

namespace tool {

// The inflated text after the 60-byte header; false when there is none.
bool rawText(const std::vector<unsigned char>& file, std::string& text);

struct RawRecord {
    std::string path;  // "plot_style/3/color", "custom_lineweight_table/0", "description"
    std::string value;
};

// One record per `key=value` line, in file order; blocks give the path. Indentation and
// the trailing NUL are ignored.
std::vector<RawRecord> flatten(const std::string& text);

}  // namespace tool
