// The independent reader: zlib's uncompress over the bytes after the header, then lines.
#include "RawText.h"

#include <zlib.h>

namespace tool {

bool rawText(const std::vector<unsigned char>& file, std::string& text) {
    if (file.size() < 60) return false;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<unsigned char*>(file.data() + 60);
    z.avail_in = static_cast<uInt>(file.size() - 60);
    text.clear();
    int rc;
    do {
        unsigned char chunk[8192];
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        text.append(reinterpret_cast<char*>(chunk), sizeof chunk - z.avail_out);
    } while (rc == Z_OK && text.size() < (64u << 20));
    inflateEnd(&z);
    return rc == Z_STREAM_END;
}

std::vector<RawRecord> flatten(const std::string& text) {
    std::vector<RawRecord> out;
    std::vector<std::string> path;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        const auto start = line.find_first_not_of(' ');
        if (start == std::string::npos) continue;
        line.erase(0, start);
        if (line == "}") {
            if (!path.empty()) path.pop_back();
        } else if (!line.empty() && line.back() == '{' && line.find('=') == std::string::npos) {
            path.push_back(line.substr(0, line.size() - 1));
        } else if (line.find('=') != std::string::npos) {
            std::string prefix;
            for (const std::string& p : path) prefix += p + "/";
            const auto eq = line.find('=');
            out.push_back({prefix + line.substr(0, eq), line.substr(eq + 1)});
        }
    }
    return out;
}

}  // namespace tool
