// editor-host: a stand-in for the host program that runs the editor's pieces from the
// command line and prints what happened as JSON. It sits in the host's program folder, so
// the module set-up finds lang\<code>\QuellonRes.dll below it as it would below the host.
//   editor-host load                      load Quellon.dll as the host does
//   editor-host colorindex [options]      open the colour index dialog, act, press OK
//       --index N  --no-special  --pick N (click the centre of index N's cell)
//       --click X,Y  --type TEXT  --screenshot FILE.png  --hold MS  --interactive
//   editor-host locate-help               the help file's path
//   editor-host help TOPIC [--hold MS]    open a help topic
//   editor-host edit FILE [options]       open the table editor on a table file
//       --tab general|form  --select I,J,...  --screenshot FILE.png  --hold MS
//       --time ROUNDS (open and close the editor, print the times)  --interactive
//       --show menu|lineweights|name (the screenshot is of the style list's menu, the
//       lineweight dialog or the style name dialog, opened over the editor and closed)
//   editor-host wizard add|new [options]  walk a wizard through its pages (WizardCommand.cpp)
#include "ColorIndexDialog.h"
#include "EditorHostShow.h"
#include "FormViewPage.h"
#include "Help.h"
#include "ModuleSetup.h"
#include "PlotStyleEditorApp.h"
#include "TableEditorDialog.h"
#include "WizardCommand.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
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

double milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Reads the table and opens the editor on it, shown and painted on the form view; the
// time that took in milliseconds, or a negative number when the file cannot be read.
double openEditor(const std::string& path, std::unique_ptr<quellon::TableEditorDialog>& editor) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    quellon::TablePtr table(CPlotStyleTable::read(path.c_str()));
    if (!table) return -1;
    editor.reset(new quellon::TableEditorDialog(std::move(table), path));
    if (!editor->create()) return -1;
    ShowWindow(editor->hwnd(), SW_SHOW);
    UpdateWindow(editor->hwnd());
    QueryPerformanceCounter(&end);
    return milliseconds(start, end);
}

int timeEditor(const std::string& path, int rounds) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        std::unique_ptr<quellon::TableEditorDialog> editor;
        const double ms = openEditor(path, editor);
        if (ms < 0) {
            std::printf("{\"error\": \"cannot read the table\"}\n");
            return 1;
        }
        times.push_back(ms);
        dlg::pumpMessages(50);
        editor->endDialog(IDCANCEL);
    }
    std::sort(times.begin(), times.end());
    std::printf("{\"file\": %s, \"rounds\": %d, \"openMs\": {\"min\": %.2f, \"median\": %.2f, "
                "\"max\": %.2f}}\n",
                json(path).c_str(), rounds, times.front(), times[times.size() / 2], times.back());
    return 0;
}

int edit(const std::vector<std::string>& args) {
    if (args.empty()) return 2;
    const std::string path = args[0];
    quellon::PlotStyleEditorApp app;
    if (!setUpModule(app)) return 2;
    std::string tab = "form", screenshot, select, show;
    DWORD hold = 300;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool more = i + 1 < args.size();
        if (a == "--interactive") {
            const bool saved = quellon::runTableEditor(CPlotStyleTable::read(path.c_str()), path,
                                                       nullptr);
            std::printf("{\"saved\": %s}\n", saved ? "true" : "false");
            return 0;
        } else if (a == "--time" && more) {
            return timeEditor(path, std::max(1, std::atoi(args[++i].c_str())));
        } else if (a == "--tab" && more) {
            tab = args[++i];
        } else if (a == "--select" && more) {
            select = args[++i];
        } else if (a == "--screenshot" && more) {
            screenshot = args[++i];
        } else if (a == "--hold" && more) {
            hold = DWORD(std::atoi(args[++i].c_str()));
        } else if (a == "--show" && more) {
            show = args[++i];
        } else {
            std::fprintf(stderr, "editor-host edit: unknown option %s\n", a.c_str());
            return 2;
        }
    }
    std::unique_ptr<quellon::TableEditorDialog> editor;
    const double openMs = openEditor(path, editor);
    if (openMs < 0) {
        std::printf("{\"error\": \"the table cannot be read or the editor cannot open\"}\n");
        return 1;
    }
    HWND hwnd = editor->hwnd();
    SetForegroundWindow(hwnd);
    dlg::pumpMessages(200);
    if (!select.empty()) {
        quellon::StyleList& list = editor->formViewPage()->list();
        list.selectOnly(-1);
        for (std::size_t at = 0; at < select.size();) {
            const std::size_t comma = std::min(select.find(',', at), select.size());
            const int index = std::atoi(select.substr(at, comma - at).c_str());
            list.setItemState(index, LVIS_SELECTED, LVIS_SELECTED);
            at = comma + 1;
        }
    }
    if (tab == "general") editor->selectPage(quellon::TableEditorDialog::kGeneralPage);
    dlg::pumpMessages(hold);
    bool saved = false;
    std::string showError;
    if (!show.empty()) {
        saved = editor_host::showAndCapture(*editor, show, screenshot, hold, showError);
    } else if (!screenshot.empty()) {
        dlg::RgbImage image;
        saved = dlg::captureWindow(hwnd, image) && dlg::writePng(image, screenshot);
    }
    char caption[512] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    std::printf("{\"caption\": %s, \"tab\": %s, \"styles\": %d, \"openMs\": %.1f",
                json(caption).c_str(), json(tab).c_str(), editor->session().table().size(), openMs);
    if (!screenshot.empty())
        std::printf(", \"screenshot\": %s, \"saved\": %s", json(screenshot).c_str(),
                    saved ? "true" : "false");
    if (!show.empty()) std::printf(", \"shown\": %s", json(show).c_str());
    if (!showError.empty()) std::printf(", \"error\": %s", json(showError).c_str());
    std::printf("}\n");
    editor->endDialog(IDCANCEL);
    return showError.empty() ? 0 : 1;
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
    if (command == "edit") return edit(args);
    if (command == "wizard") return wizardCommand(args);
    std::fprintf(stderr,
                 "usage: editor-host load | colorindex [options] | locate-help | help TOPIC | "
                 "edit FILE [options] | wizard add|new [options]\n");
    return 2;
}
