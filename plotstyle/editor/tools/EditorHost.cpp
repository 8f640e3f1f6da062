// editor-host: a stand-in for the host program that runs the editor's pieces from the
// command line and prints what happened as JSON. It sits in the host's program folder, so
// the module set-up finds lang\<code>\QuellonRes.dll below it as it would below the host.
//   editor-host load                      load Quellon.dll as the host does
//   editor-host colorindex [options]      open the colour index dialog, act, press OK
//       --index N  --no-special  --pick N (click the centre of index N's cell)
//       --click X,Y  --type TEXT  --screenshot FILE.png  --hold MS  --interactive
//   editor-host locate-help               the help file's path
//   editor-host help TOPIC [--hold MS]    open a help topic
#include "ColorIndexDialog.h"
#include "Help.h"
#include "ModuleSetup.h"
#include "PlotStyleEditorApp.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string json(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof(buffer), "\\u%04x", c);
            out += buffer;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Nobody answers a message box on the virtual display: boxes are reported instead.
int reportBox(HWND, const std::string& text, const std::string& title, UINT type) {
    std::printf("{\"messageBox\": %s, \"title\": %s, \"type\": %u}\n", json(text).c_str(),
                json(title).c_str(), type);
    std::fflush(stdout);
    return IDOK;
}

std::string programDirectory() {
    return quellon::callingProgramDirectory();
}

int load() {
    HMODULE editor = LoadLibraryA("Quellon.dll");
    char resources[MAX_PATH] = {};
    if (HMODULE res = GetModuleHandleA("QuellonRes.dll"))
        GetModuleFileNameA(res, resources, MAX_PATH);
    std::printf("{\"loaded\": %s, \"language\": %s, \"resourceLibrary\": %s}\n",
                editor ? "true" : "false", json(quellon::languageCode()).c_str(),
                json(resources).c_str());
    return editor ? 0 : 1;
}

bool setUpModule(quellon::PlotStyleEditorApp& app) {
    if (!app.attachLibrary(GetModuleHandleA(nullptr))) {
        std::printf("{\"error\": \"the resource library could not be loaded\"}\n");
        return false;
    }
    return true;
}

void click(HWND dialog, int x, int y) {
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

int colorIndex(const std::vector<std::string>& args) {
    quellon::PlotStyleEditorApp app;
    if (!setUpModule(app)) return 2;
    quellon::ColorIndexDialog dialog;
    std::string screenshot;
    DWORD hold = 300;
    bool interactive = false;
    std::vector<std::pair<std::string, std::string>> actions;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool more = i + 1 < args.size();
        if (a == "--no-special")
            dialog.allowSpecial = false;
        else if (a == "--interactive")
            interactive = true;
        else if (a == "--index" && more)
            dialog.index = short(std::atoi(args[++i].c_str()));
        else if (a == "--screenshot" && more)
            screenshot = args[++i];
        else if (a == "--hold" && more)
            hold = DWORD(std::atoi(args[++i].c_str()));
        else if ((a == "--pick" || a == "--click" || a == "--type") && more)
            actions.emplace_back(a, args[++i]);
        else {
            std::fprintf(stderr, "editor-host colorindex: unknown option %s\n", a.c_str());
            return 2;
        }
    }
    if (interactive) {
        const INT_PTR result = dialog.doModal();
        std::printf("{\"result\": %s, \"index\": %d}\n", result == IDOK ? "\"ok\"" : "\"cancel\"",
                    dialog.index);
        return result == IDOK ? 0 : 1;
    }
    if (!dialog.create()) {
        std::printf("{\"error\": \"dialog template 7 not found\"}\n");
        return 1;
    }
    HWND hwnd = dialog.hwnd();
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    dlg::pumpMessages(200);
    for (const auto& action : actions) {
        if (action.first == "--pick") {
            const quellon::ColorCell* cell = dialog.layout().find(std::atoi(action.second.c_str()));
            if (!cell) {
                std::printf("{\"error\": \"no cell shows index %s\"}\n", action.second.c_str());
                continue;
            }
            const quellon::Box box = cell->target();
            click(hwnd, (box.left + box.right) / 2, (box.top + box.bottom) / 2);
        } else if (action.first == "--click") {
            int x = 0, y = 0;
            std::sscanf(action.second.c_str(), "%d,%d", &x, &y);
            click(hwnd, x, y);
        } else {
            SetDlgItemTextA(hwnd, 222, action.second.c_str());
        }
        dlg::pumpMessages(50);
    }
    dlg::pumpMessages(hold);
    bool saved = false;
    if (!screenshot.empty()) {
        dlg::RgbImage image;
        saved = dlg::captureWindow(hwnd, image) && dlg::writePng(image, screenshot);
    }
    const int shown = dialog.index;
    SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(hwnd, IDOK)));
    const bool closed = dialog.hwnd() == nullptr;
    std::printf("{\"result\": %s, \"index\": %d", closed ? "\"ok\"" : "\"refused\"", shown);
    if (!screenshot.empty())
        std::printf(", \"screenshot\": %s, \"saved\": %s", json(screenshot).c_str(),
                    saved ? "true" : "false");
    std::printf("}\n");
    return closed ? 0 : 1;
}

quellon::HelpService helpService() {
    return quellon::HelpService({"VexoRes.dll", programDirectory()});
}

int locateHelp() {
    quellon::HelpService help = helpService();
    std::string path;
    const bool located = help.locateHelpFile(path);
    std::printf("{\"located\": %s, \"path\": %s, \"exists\": %s}\n", located ? "true" : "false",
                json(path).c_str(),
                GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES ? "true" : "false");
    return located ? 0 : 1;
}

int help(const std::vector<std::string>& args) {
    if (args.empty()) return 2;
    const UINT topic = UINT(std::atoi(args[0].c_str()));
    DWORD hold = 500;
    if (args.size() >= 3 && args[1] == "--hold") hold = DWORD(std::atoi(args[2].c_str()));
    quellon::HelpService service = helpService();
    HWND window = service.showHelpTopic(topic);
    dlg::pumpMessages(hold);
    char title[256] = {};
    if (window) GetWindowTextA(window, title, sizeof(title));
    std::printf("{\"topic\": %u, \"window\": %s, \"title\": %s}\n", topic,
                window ? "true" : "false", json(title).c_str());
    if (window) DestroyWindow(window);
    return window ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    dlg::setMessageBoxHook(reportBox);
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::string command = args.empty() ? "" : args[0];
    if (!args.empty()) args.erase(args.begin());
    if (command == "load") return load();
    if (command == "colorindex") return colorIndex(args);
    if (command == "locate-help") return locateHelp();
    if (command == "help") return help(args);
    std::fprintf(stderr,
                 "usage: editor-host load | colorindex [options] | locate-help | help TOPIC\n");
    return 2;
}
