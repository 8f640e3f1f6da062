// The shared .sat samples as the tests read them: the names in the folder and their text.
// Needs neither the kernel nor the bridge, so the tests of the loaded DLL use it too.
#pragma once

#include <string>
#include <vector>

namespace sat_test {

std::string readFile(const std::string& path);
std::vector<std::string> sampleFiles();  // every .sat of the shared samples, sorted
std::string sampleText(const std::string& name);

}  // namespace sat_test
