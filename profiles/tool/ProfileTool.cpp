// The profile store's command-line driver: runs one store operation on a profiles key and
// prints one JSON line. Message boxes the operation raises are recorded and printed instead
// of waiting for a click.
//   profile-store ROOT COMMAND [ARGS]   (ROOT relative to HKEY_CURRENT_USER)
#include "dialogs/App.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"
#include "profiles/HostLaunch.h"
#include "profiles/ProfileStore.h"

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

using profiles::ProfileStore;

namespace {

std::vector<std::string> g_boxes;
std::string g_command;

int recordBox(HWND, const std::string& text, const std::string&, UINT) {
    g_boxes.push_back(text);
    return IDOK;
}

// Narrow (system code page) text as a JSON string in UTF-8.
std::string json(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    std::string utf8(wide.size() * 3, '\0');
    int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0],
                                static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(m > 0 ? m : 0);
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof(escape), "\\u%04x", c);
                    out += escape;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string jsonList(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + json(items[i]);
    return out + "]";
}

// Prints the result line and gives the exit status.
int report(bool ok, const std::string& fields = std::string()) {
    std::string line = "{\"command\": " + json(g_command) + ", \"ok\": " + (ok ? "true" : "false") +
                       fields;
    if (!g_boxes.empty()) line += ", \"boxes\": " + jsonList(g_boxes);
    std::printf("%s}\n", line.c_str());
    return ok ? 0 : 1;
}

std::string field(const char* name, const std::string& value) {
    return std::string(", \"") + name + "\": " + json(value);
}

// The resource library as the program loads it: lang\<code>\ beside the program, or one
// folder up when the driver sits in tools\; "English" when the language has none. In the
// build tree the library sits beside the driver.
void loadResources() {
    const std::string folder = dlg::programFolder();
    std::string code = profiles::languageCode();
    std::vector<std::string> candidates;
    for (const std::string& base : {folder, folder + "..\\"})
        for (const std::string& language : {code, std::string("English")})
            candidates.push_back(base + "lang\\" + language + "\\RostelleRes.dll");
    candidates.push_back(folder + "RostelleRes.dll");
    for (const std::string& candidate : candidates) {
        if (HMODULE module = LoadLibraryA(candidate.c_str())) {
            dlg::setResourceHandle(module);
            return;
        }
    }
}

std::optional<std::string> optionalArg(int argc, char** argv, int index) {
    if (index < argc) return std::string(argv[index]);
    return std::nullopt;
}

const char kUsage[] =
    "usage: profile-store ROOT COMMAND [ARGS]\n"
    "  list | current | set-current NAME | describe NAME | set-description NAME TEXT\n"
    "  create NAME [TEXT] | remove NAME | copy SRC DST [TEXT] | rename OLD NEW [TEXT]\n"
    "  export NAME FILE | import FILE NAME | header FILE | launch NAME\n"
    "  normalise PATH | short PATH | paths\n";

int run(ProfileStore& store, const std::string& command, int argc, char** argv) {
    auto need = [&](int count) { return argc >= count; };
    if (command == "list") {
        std::vector<std::string> names;
        bool ok = store.list(names);
        return report(ok, ", \"names\": " + jsonList(names));
    }
    if (command == "current") {
        std::string name;
        bool ok = store.current(name);
        return report(ok, field("name", name));
    }
    if (command == "set-current" && need(1)) return report(store.setCurrent(argv[0]));
    if (command == "describe" && need(1)) {
        std::string text;
        bool ok = store.description(argv[0], text);
        return report(ok, field("name", argv[0]) + field("description", text));
    }
    if (command == "set-description" && need(2))
        return report(store.setDescription(argv[0], argv[1]));
    if (command == "create" && need(1)) return report(store.create(argv[0], optionalArg(argc, argv, 1)));
    if (command == "remove" && need(1)) return report(store.remove(argv[0]));
    if (command == "copy" && need(2))
        return report(store.copy(argv[0], argv[1], optionalArg(argc, argv, 2)));
    if (command == "rename" && need(2))
        return report(store.rename(argv[0], argv[1], optionalArg(argc, argv, 2)));
    if (command == "export" && need(2)) return report(store.exportProfile(argv[0], argv[1]));
    if (command == "import" && need(2)) {
        size_t leftOut = 0;
        bool ok = store.importAs(argv[0], argv[1], &leftOut);
        return report(ok, ", \"sectionsLeftOut\": " + std::to_string(leftOut));
    }
    if (command == "header" && need(1)) {
        std::string name, text;
        bool ok = store.readExportHeader(argv[0], name, text);
        return report(ok, field("name", name) + field("description", text));
    }
    if (command == "launch" && need(1)) {
        profiles::LaunchResult launched = profiles::launchHost(store.root(), argv[0]);
        return report(launched.started,
                      field("kind", profiles::hostKindName(launched.kind)) +
                          field("program", launched.program) +
                          field("parameters", launched.parameters));
    }
    if (command == "normalise" && need(1)) {
        std::string full;
        bool ok = ProfileStore::normaliseRoot(argv[0], full);
        return report(ok, field("full", full));
    }
    if (command == "short" && need(1)) {
        std::string shortPath;
        bool ok = ProfileStore::shortRoot(argv[0], shortPath);
        return report(ok, field("short", shortPath));
    }
    if (command == "paths") {
        return report(true, field("language", profiles::languageCode()) +
                                field("product", profiles::productKeyPath(false)) +
                                field("productLanguage", profiles::productKeyPath(true)));
    }
    std::fputs(kUsage, stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    loadResources();
    dlg::setAppTitle("Wendmark");
    dlg::setMessageBoxHook(recordBox);
    ProfileStore store;
    store.setRootUnchecked(argv[1]);
    g_command = argv[2];
    try {
        return run(store, argv[2], argc - 3, argv + 3);
    } catch (const std::exception& e) {
        std::printf("{\"ok\": false, \"error\": %s}\n", json(e.what()).c_str());
        return 1;
    }
}
