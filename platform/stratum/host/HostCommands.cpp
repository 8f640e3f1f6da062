// The host driver's commands.
#include "HostCommands.h"

#include "BodyCommands.h"
#include "DisplayObj.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

bool readRecord(const char* path, CDbAcisEntityData& record, std::string& error, CDbAcisEntityData::EType type) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::string("cannot read ") + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string sat = text.str();
    record = CDbAcisEntityData(HostString(sat.data(), sat.size()), type);
    return true;
}

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

// The modeler library's driver entry points (found by name in the loaded library).
using StatsEntry = int (*)(const CDbAcisEntityData*, HostString*);
using SaveEntry = int (*)(const CDbAcisEntityData*, HostString*, HostString*);

template <class Entry>
Entry driverEntry(const char* name) {
    HMODULE module = GetModuleHandleA("Solvane.dll");
    return module ? reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}


int commandStats(CModeler&, int argc, char** args) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: stats FILE.sat\n");
        return 2;
    }
    CDbAcisEntityData record;
    std::string error;
    auto stats = driverEntry<StatsEntry>("solvaneDriverStats");
    if (!stats) error = "the modeler library has no driver entry points";
    HostString json;
    if (!stats || !readRecord(args[1], record, error) || !stats(&record, &json)) {
        std::printf("{\"restored\": false, \"error\": \"%s\"}\n", jsonEscape(error.empty() ? "unreadable text" : error).c_str());
        return 1;
    }
    std::printf("%s\n", json.c_str());
    return 0;
}

int commandSave(CModeler&, int argc, char** args) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: save FILE.sat OUT.sat\n");
        return 2;
    }
    CDbAcisEntityData record;
    std::string error;
    auto save = driverEntry<SaveEntry>("solvaneDriverSave");
    if (!save) {
        std::fprintf(stderr, "save failed: the modeler library has no driver entry points\n");
        return 1;
    }
    if (!readRecord(args[1], record, error)) {
        std::fprintf(stderr, "save failed: %s\n", error.c_str());
        return 1;
    }
    HostString sat, reason;
    if (!save(&record, &sat, &reason)) {
        std::fprintf(stderr, "save failed: %s\n", reason.c_str());
        return 1;
    }
    std::ofstream out(args[2], std::ios::binary);
    out.write(sat.data(), static_cast<std::streamsize>(sat.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "save failed: cannot write %s\n", args[2]);
        return 1;
    }
    std::printf("{\"saved\": true, \"bytes\": %u}\n", static_cast<unsigned>(sat.size()));
    return 0;
}

using BlocksEntry = long (*)();

int commandDisplay(CModeler& modeler, int argc, char** args) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: display FILE.sat MODE QUALITY OUT.obj\n");
        return 2;
    }
    CDbAcisEntityData record;
    std::string error;
    if (!readRecord(args[1], record, error)) {
        std::printf("{\"ok\": false, \"error\": \"%s\"}\n", jsonEscape(error).c_str());
        return 1;
    }
    const int mode = std::atoi(args[2]);
    const double quality = std::atof(args[3]);
    ModelerPolyline* first = nullptr;
    const int ok = modeler.display(record, mode, quality, &first);
    const int lastError = modeler.lastError();
    // The records as the host walks them, each freed through the modeler once read.
    DisplayObj display;
    for (ModelerPolyline* p = first; p;) {
        display.add(p->kind, p->colorIndex, p->points, p->pointCount, mode < 0);
        ModelerPolyline* next = p->next;
        modeler.freeBlock(p->points);
        modeler.freeBlock(p);
        p = next;
    }
    std::ofstream out(args[4], std::ios::binary);
    std::string obj = display.obj();
    out.write(obj.data(), static_cast<std::streamsize>(obj.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "display: cannot write %s\n", args[4]);
        return 1;
    }
    auto blocks = driverEntry<BlocksEntry>("solvaneDriverDisplayBlocks");
    std::string summary = display.json();
    std::printf("{\"ok\": %s, \"mode\": %d, \"quality\": %g, \"error\": %d, \"blocks_left\": %ld, %s\n",
                ok ? "true" : "false", mode, quality, lastError, blocks ? blocks() : -1L, summary.c_str() + 1);
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
    {"stats", commandStats, "  stats FILE.sat   what the text holds, restored as one host record\n"},
    {"save", commandSave, "  save IN.sat OUT.sat  the record's body saved back as SAT 6.0\n"},
    {"transform", commandTransform, "  transform IN.sat M11..M34 OUT.sat  the body moved by the matrix (slot 7)\n"},
    {"snap", commandSnap, "  snap FILE.sat FLAGS PX PY PZ LX LY LZ DX DY DZ  snap points (slot 56)\n"},
    {"points", commandPoints, "  points FILE.sat  characteristic points (slot 74)\n"},
    {"extents", commandExtents, "  extents FILE.sat [M11..M34]  the box under the matrix (slot 75)\n"},
    {"perimeter", commandPerimeter, "  perimeter FILE.sat  the perimeter of the text as a region (slot 76)\n"},
    {"display", commandDisplay, "  display IN.sat MODE QUALITY OUT.obj  the display records (MODE < 0: shaded) as OBJ\n"},
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
