// Wide text from the list views' Unicode notifications in the editor's narrow strings.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quellon {

inline std::string narrow(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return std::string();
    std::vector<char> out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
    return std::string(out.data());
}

}  // namespace quellon
