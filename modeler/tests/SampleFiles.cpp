// The shared .sat samples as the tests read them.
#include "SampleFiles.h"

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <sstream>

namespace sat_test {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> sampleFiles() {
    std::vector<std::string> names;
    std::string dir = std::string(KIVRA_TESTDATA_DIR) + "/sat";
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".sat") == 0) names.push_back(name);
        }
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string sampleText(const std::string& name) {
    return readFile(std::string(KIVRA_TESTDATA_DIR) + "/sat/" + name);
}

}  // namespace sat_test
