// Finding and starting the host program with a profile.
#include "profiles/HostLaunch.h"
#include "profiles/ProfileStore.h"

#include <windows.h>
#include <shellapi.h>

namespace profiles {

LaunchResult launchHost(const std::string& root, const std::string& profile) {
    LaunchResult result;
    result.kind = hostKind(root);
    if (result.kind == HostKind::None || profile.empty()) return result;

    // No path given: the program's own folder, the current folder, the system folders and
    // PATH are searched in the system's order.
    std::string program = hostProgram(result.kind);
    char found[520];
    DWORD length = SearchPathA(nullptr, program.c_str(), nullptr, sizeof(found), found, nullptr);
    if (length == 0 || length >= sizeof(found)) {
        DWORD error = length == 0 ? GetLastError() : ERROR_INSUFFICIENT_BUFFER;
        showSystemError(error, hostErrorPrefix(result.kind).c_str());
        return result;
    }
    result.program.assign(found, length);
    result.parameters = hostParameters(result.kind, profile);
    HINSTANCE instance = ShellExecuteA(nullptr, nullptr, result.program.c_str(),
                                       result.parameters.c_str(), nullptr, SW_SHOWDEFAULT);
    result.started = reinterpret_cast<INT_PTR>(instance) > 32;
    return result;
}

}  // namespace profiles
