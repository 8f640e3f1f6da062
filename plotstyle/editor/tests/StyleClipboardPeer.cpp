// A second process for the clipboard tests, so a style crosses the real clipboard between
// processes as it does between two editors:
//   style-clipboard-peer copy FILE INDEX READY QUIT
//       opens the table editor on FILE, selects style INDEX and gives the form view the copy
//       command, sets the event READY, and keeps the editor open until the event QUIT is set
//   style-clipboard-peer post EXTRA READY QUIT
//       puts a block in the editor's style format on the clipboard whose bytes are a whole
//       style but whose count claims EXTRA bytes more than the block holds; sets READY, then
//       waits for QUIT
// Prints one JSON line of what it did; exit code 0 when it did it.
#include "ClipboardStyle.h"
#include "FormViewPage.h"
#include "QuellonIds.h"
#include "TableEditorDialog.h"
#include "dialogs/App.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {


int reportBox(HWND, const std::string& text, const std::string&, UINT) {
    std::printf("{\"messageBox\": \"%s\"}\n", text.c_str());
    return IDOK;
}

// Signals READY, then keeps the windows answering until QUIT (at most a minute).
void handOver(const char* ready, const char* quit) {
    HANDLE readyEvent = OpenEventA(EVENT_MODIFY_STATE, FALSE, ready);
    HANDLE quitEvent = OpenEventA(SYNCHRONIZE, FALSE, quit);
    std::fflush(stdout);
    if (readyEvent) SetEvent(readyEvent);
    const DWORD start = GetTickCount();
    while (quitEvent && GetTickCount() - start < 60000) {
        const DWORD r = MsgWaitForMultipleObjects(1, &quitEvent, FALSE, 100, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) break;
        dlg::pumpMessages();
    }
    if (readyEvent) CloseHandle(readyEvent);
    if (quitEvent) CloseHandle(quitEvent);
}

int copy(const char* file, int index, const char* ready, const char* quit) {
    quellon::TablePtr table(CPlotStyleTable::read(file));
    if (!table) {
        std::printf("{\"error\": \"cannot read the table\"}\n");
        return 1;
    }
    quellon::TableEditorDialog editor(std::move(table), file);
    if (!editor.create()) return 1;
    SetWindowPos(editor.hwnd(), HWND_TOPMOST, 0, 500, 0, 0, SWP_NOSIZE);
    ShowWindow(editor.hwnd(), SW_SHOW);
    dlg::pumpMessages();
    quellon::FormViewPage& page = *editor.formViewPage();
    page.list().selectOnly(index);
    dlg::pumpMessages();
    SendMessageA(page.hwnd(), WM_COMMAND, MAKEWPARAM(IDM_COPY_STYLE, 0), 0);
    const CPlotStyle* style = editor.session().table().style(index);
    std::printf("{\"copied\": \"%s\", \"owner\": %s}\n", style ? style->name.c_str() : "",
                GetClipboardOwner() == page.hwnd() ? "true" : "false");
    handOver(ready, quit);
    editor.endDialog(IDCANCEL);
    return style ? 0 : 1;
}

int post(unsigned long extra, const char* ready, const char* quit) {
    CPlotStyle style;
    style.name = "Posted";
    style.penNumber = 9;
    std::vector<unsigned char> block = quellon::styleBlock(style);
    const unsigned long claimed = static_cast<unsigned long>(block.size() - 4) + extra;
    for (int i = 0; i < 4; ++i) block[std::size_t(i)] = static_cast<unsigned char>(claimed >> (8 * i));
    const UINT format = RegisterClipboardFormatA(dlg::loadString(IDS_STYLE_CLIPBOARD_FORMAT).c_str());
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.size());
    bool posted = false;
    if (memory && format) {
        std::memcpy(GlobalLock(memory), block.data(), block.size());
        GlobalUnlock(memory);
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            posted = SetClipboardData(format, memory) != nullptr;
            CloseClipboard();
        }
    }
    std::printf("{\"posted\": %s, \"bytes\": %u, \"claimed\": %lu}\n", posted ? "true" : "false",
                unsigned(block.size()), claimed);
    handOver(ready, quit);
    return posted ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    HINSTANCE resources = LoadLibraryA((dlg::programFolder() + "QuellonRes.dll").c_str());
    if (!resources) return 2;
    dlg::setResourceHandle(resources);
    dlg::setMessageBoxHook(reportBox);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "copy" && argc == 6) return copy(argv[2], std::atoi(argv[3]), argv[4], argv[5]);
    if (command == "post" && argc == 5) return post(std::strtoul(argv[2], nullptr, 10), argv[3], argv[4]);
    std::fprintf(stderr, "usage: style-clipboard-peer copy FILE INDEX READY QUIT | post EXTRA READY QUIT\n");
    return 2;
}
