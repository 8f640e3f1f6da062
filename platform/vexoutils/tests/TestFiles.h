// Test helpers: the sample tables, whole files in memory, scratch paths.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace testfiles {

inline std::string sample(const std::string& name) {
    return std::string(KIVRA_TESTDATA_DIR) + "/ctb/" + name;
}

inline const std::vector<std::string>& allSamples() {
    static const std::vector<std::string> names = {
        "apm-broken-name-crlf.stb", "apm-factory-resaved1.ctb",   "apm-factory.stb",
        "apm-lineweight-names.stb", "apm-ttb-with-aci-table.stb", "ezdxf-color.ctb",
        "ezdxf-ctbtest.ctb",        "ezdxf-monochrome.ctb",       "ezdxf-stbtest.stb",
        "mod2-filetype-key.ctb"};
    return names;
}

inline std::vector<unsigned char> bytesOf(const std::string& path) {
    std::vector<unsigned char> out;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) out.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    return out;
}

// A file name in the working directory, removed when the object goes.
class Scratch {
public:
    explicit Scratch(const std::string& name) : path_("vexo-test-" + name) {
        std::remove(path_.c_str());
    }
    ~Scratch() { std::remove(path_.c_str()); }
    const char* c_str() const { return path_.c_str(); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace testfiles
