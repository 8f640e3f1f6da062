// The host driver: loads the modeler library as the drawing database does and runs one
// command against it, printing one JSON line.
//   stratum-host info          slot answers of the loaded modeler
//   stratum-host error N       the modeler's text for error number N
//   stratum-host stats FILE    what a SAT file holds, restored as one host record
//   stratum-host save IN OUT   the record's body saved back as SAT 6.0
//   stratum-host transform|snap|points|extents|perimeter ...   the body operations' slots
//   stratum-host display IN MODE QUALITY OUT.obj   the display records as OBJ, and checks
#include "HostCommands.h"
#include "stratum/ModelerHost.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The modeler library sits beside the driver, or one folder up when the driver is
// installed in tools\.
std::string findModelerLibrary() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    for (const std::string& candidate : {folder + "Solvane.dll", folder + "..\\Solvane.dll"})
        if (GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
    return "Solvane.dll";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: stratum-host COMMAND [ARGS]\n%s", hostCommandUsage());
        return 2;
    }
    ModelerHost host;
    if (!host.load(findModelerLibrary())) {
        std::printf("{\"ok\": false, \"error\": \"%s\"}\n", jsonEscape(host.error()).c_str());
        return 1;
    }
    int status = runHostCommand(*host.modeler(), argc - 1, argv + 1);
    host.unload();
    return status;
}
