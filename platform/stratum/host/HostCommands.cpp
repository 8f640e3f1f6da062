// The host driver's commands.
#include "HostCommands.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

std::string jsonEscape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

namespace {

int commandInfo(CModeler& modeler, int, char**) {
    std::printf("{\"ok\": true, \"slots\": %d, \"canDisplay\": %s, \"canSnap\": %s, "
                "\"canEdit\": %s, \"lastError\": %d}\n",
                kModelerSlotCount, modeler.canDisplay() ? "true" : "false",
                modeler.canSnap() ? "true" : "false", modeler.canEdit() ? "true" : "false",
                modeler.lastError());
    return 0;
}

int commandError(CModeler& modeler, int argc, char** args) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: error NUMBER\n");
        return 2;
    }
    int number = std::atoi(args[1]);
    HostString text;
    int ok = modeler.errorText(number, text);
    std::printf("{\"ok\": %s, \"error\": %d, \"text\": \"%s\"}\n", ok ? "true" : "false", number,
                jsonEscape(std::string(text.c_str())).c_str());
    return ok ? 0 : 1;
}

struct Command {
    const char* name;
    int (*run)(CModeler&, int, char**);
    const char* usage;
};

const Command kCommands[] = {
    {"info", commandInfo, "  info             what the loaded modeler answers\n"},
    {"error", commandError, "  error N          the modeler's text for error number N\n"},
};

}  // namespace

const char* hostCommandUsage() {
    static std::string usage;
    if (usage.empty())
        for (const Command& c : kCommands) usage += c.usage;
    return usage.c_str();
}

int runHostCommand(CModeler& modeler, int argc, char** args) {
    for (const Command& c : kCommands)
        if (std::strcmp(c.name, args[0]) == 0) return c.run(modeler, argc, args);
    std::fprintf(stderr, "unknown command %s\n%s", args[0], hostCommandUsage());
    return 2;
}
