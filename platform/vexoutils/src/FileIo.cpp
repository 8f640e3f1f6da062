// Whole-file reading and replacing over the C library; the final move is per platform.
#include "FileIo.h"

#include <cstdio>

#include "Limits.h"

namespace vexo {

bool readWholeFile(const char* path, std::vector<unsigned char>& out, std::string& error) {
    std::FILE* f = path ? std::fopen(path, "rb") : nullptr;
    if (!f) {
        error = "cannot open the file";
        return false;
    }
    out.clear();
    unsigned char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        out.insert(out.end(), chunk, chunk + n);
        if (out.size() > kMaxTextBytes) {
            std::fclose(f);
            error = "the file is too large for a plot style table";
            return false;
        }
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        error = "cannot read the file";
        return false;
    }
    return true;
}

bool replaceFile(const char* path, const std::vector<unsigned char>& bytes) {
    if (!path || !*path || bytes.empty()) return false;
    const std::string target(path);
    const std::string temporary = target + ".~new";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed || !moveReplacing(temporary, target)) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace vexo
