// wendmark-remote: starts Wendmark.exe (the program one folder up) on a profiles key and
// takes pictures of its dialogs as a user sees them, driving it by window messages.
//   wendmark-remote screenshots ROOT FOLDER
// Prints one JSON line naming the pictures written (main.png, name.png, root.png, about.png).
#include "../tests/WendmarkRemote.h"
#include "RostelleIds.h"
#include "dialogs/App.h"
#include "dialogs/Png.h"
#include "dialogs/Screenshot.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using dlg::programFolder;

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

bool picture(HWND window, const std::string& path) {
    SetForegroundWindow(window);
    remote::settle(window);
    Sleep(400);  // let it paint
    dlg::RgbImage image;
    return dlg::captureWindow(window, image) && dlg::writePng(image, path);
}

int fail(const std::string& why) {
    std::printf("{\"ok\": false, \"error\": %s}\n", jsonString(why).c_str());
    return 1;
}

int screenshots(const std::string& root, std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    remote::Process app;
    std::string program = programFolder() + "..\\Wendmark.exe";
    if (!app.start(program, {root})) return fail("cannot start " + program);
    HWND main = remote::waitForPopup(app.id(), nullptr);
    if (!main) return fail("no main dialog");
    std::vector<std::string> written;
    auto shoot = [&](HWND window, const char* name) {
        std::string path = folder + name;
        if (picture(window, path)) written.push_back(path);
    };

    HWND list = GetDlgItem(main, IDC_PROFILE_LIST);
    if (remote::listRows(list).size() > 1) remote::selectRow(list, 1);
    shoot(main, "main.png");

    remote::press(main, IDC_RENAME);
    if (HWND names = remote::waitForPopup(app.id(), main)) {
        shoot(names, "name.png");
        remote::answer(names, IDCANCEL);
        remote::waitGone(names);
    }
    remote::press(main, IDC_CHOOSE_ROOT);
    if (HWND roots = remote::waitForPopup(app.id(), main)) {
        shoot(roots, "root.png");
        remote::answer(roots, IDCANCEL);
        remote::waitGone(roots);
    }
    PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUT, 0);
    if (HWND about = remote::waitForPopup(app.id(), main)) {
        shoot(about, "about.png");
        remote::answer(about, IDOK);
        remote::waitGone(about);
    }
    remote::answer(main, IDCANCEL);
    app.waitExit(10000);

    std::string list_ = "[";
    for (size_t i = 0; i < written.size(); ++i) list_ += (i ? ", " : "") + jsonString(written[i]);
    std::printf("{\"ok\": %s, \"pictures\": %s]}\n", written.size() == 4 ? "true" : "false",
                list_.c_str());
    return written.size() == 4 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "screenshots") return screenshots(args[1], args[2]);
    std::fprintf(stderr, "usage: wendmark-remote screenshots ROOT FOLDER\n");
    return 2;
}
