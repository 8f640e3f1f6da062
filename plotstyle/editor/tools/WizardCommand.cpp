// editor-host wizard: runs the add-table or new-table wizard and walks it through its pages
// as a user would (the method, the type, the source file, the name), saving a picture of
// each page on the way, then presses Finish (or Cancel) and prints what the wizard did.
//   editor-host wizard add|new [--named] [--dir DIR] [--pens] [--method scratch|existing|
//       pens|pcp] [--source FILE] [--name NAME] [--screenshots DIR] [--cancel] [--interactive]
#include "WizardCommand.h"

#include "AddTableWizard.h"
#include "NewTableWizard.h"
#include "PlotStyleEditorApp.h"
#include "QuellonIds.h"

#include "dialogs/Screenshot.h"

#include <cstdio>
#include <memory>

namespace {

struct Walk {
    std::string kind = "add", method, source, name, screenshots;
    bool named = false, cancel = false;
    quellon::TableWizardSheet* sheet = nullptr;
    std::vector<std::string> captions, pictures;
    int ticks = 0;
};
Walk* g_walk = nullptr;

const char* pageName(quellon::TableWizard::Page page) {
    static const char* names[] = {"method", "type", "source", "name", "finish"};
    return names[page];
}

int methodRadio(const Walk& walk, quellon::WizardKind kind) {
    const std::string& m = walk.method;
    if (kind == quellon::WizardKind::Add) {
        if (m == "scratch") return IDC_WIZ_ADD_SCRATCH;
        if (m == "existing") return IDC_WIZ_ADD_EXISTING;
        if (m == "pens") return IDC_WIZ_ADD_PENS;
        return m == "pcp" ? IDC_WIZ_ADD_PCP : 0;
    }
    if (m == "scratch") return IDC_WIZ_NEW_SCRATCH;
    if (m == "pens") return IDC_WIZ_NEW_PENS;
    return m == "pcp" ? IDC_WIZ_NEW_PCP : 0;
}

// One step of the walk: fill the shown page, take its picture, go on.
void CALLBACK step(HWND, UINT, UINT_PTR timer, DWORD) {
    Walk& walk = *g_walk;
    HWND sheetWindow = walk.sheet->hwnd();
    const int index = walk.sheet->sheet().activeIndex();
    if (++walk.ticks > 60) {  // stuck on a page: give up
        KillTimer(nullptr, timer);
        if (sheetWindow) PostMessageA(sheetWindow, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        return;
    }
    if (!sheetWindow || index < 0) return;  // not up yet
    auto& page = static_cast<quellon::WizardPage&>(walk.sheet->sheet().page(index));
    const quellon::TableWizard::Page shown = page.page();
    const quellon::WizardKind kind = walk.sheet->wizard().kind();
    HWND p = page.hwnd();
    switch (shown) {
        case quellon::TableWizard::kMethodPage:
            if (int radio = methodRadio(walk, kind)) SendDlgItemMessageA(p, radio, BM_CLICK, 0, 0);
            break;
        case quellon::TableWizard::kTypePage:
            SendDlgItemMessageA(p, walk.named ? IDC_WIZ_TYPE_NAMED : IDC_WIZ_TYPE_COLOR, BM_CLICK,
                                0, 0);
            break;
        case quellon::TableWizard::kSourcePage:
            SetDlgItemTextA(p, kind == quellon::WizardKind::Add ? IDC_WIZ_SOURCE_PATH
                                                                : IDC_WIZ_PCP_PATH,
                            walk.source.c_str());
            break;
        case quellon::TableWizard::kNamePage:
            SetDlgItemTextA(p, kind == quellon::WizardKind::Add ? IDC_WIZ_ADD_NAME
                                                                : IDC_WIZ_NEW_NAME,
                            walk.name.c_str());
            break;
        default:
            break;
    }
    dlg::pumpMessages(150);
    char caption[256] = {};
    GetWindowTextA(sheetWindow, caption, sizeof caption);
    walk.captions.push_back(caption);
    if (!walk.screenshots.empty()) {
        const std::string file = walk.screenshots + "\\" + walk.kind + "-" +
                                 std::to_string(walk.captions.size()) + "-" + pageName(shown) +
                                 ".png";
        dlg::RgbImage image;
        if (dlg::captureWindow(sheetWindow, image) && dlg::writePng(image, file))
            walk.pictures.push_back(file);
    }
    const bool last = shown == quellon::TableWizard::kFinishPage;
    if (last) KillTimer(nullptr, timer);
    const int button = last ? (walk.cancel ? PSBTN_CANCEL : PSBTN_FINISH) : PSBTN_NEXT;
    SendMessageA(sheetWindow, PSM_PRESSBUTTON, WPARAM(button), 0);
}

// A few pens, as a plotter's configuration would have them, for --pens.
void demoPens(PenSettings* pens) {
    const int numbers[] = {1, 2, 3, 4, 1, 2, 3};
    const double widths[] = {0.25, 0.35, 0.5, 0.7, 0.18, 0.25, 1.0};
    for (int k = 1; k <= 7; ++k) {
        pens[k].pen = numbers[k - 1];
        pens[k].width = widths[k - 1];
    }
}

std::string json(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void printList(const char* key, const std::vector<std::string>& items) {
    std::printf(", \"%s\": [", key);
    for (std::size_t i = 0; i < items.size(); ++i)
        std::printf("%s%s", i ? ", " : "", json(items[i]).c_str());
    std::printf("]");
}

}  // namespace

int wizardCommand(const std::vector<std::string>& args) {
    Walk walk;
    std::string directory;
    bool withPens = false, interactive = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool more = i + 1 < args.size();
        if (i == 0 && (a == "add" || a == "new")) walk.kind = a;
        else if (a == "--named") walk.named = true;
        else if (a == "--pens") withPens = true;
        else if (a == "--cancel") walk.cancel = true;
        else if (a == "--interactive") interactive = true;
        else if (a == "--dir" && more) directory = args[++i];
        else if (a == "--method" && more) walk.method = args[++i];
        else if (a == "--source" && more) walk.source = args[++i];
        else if (a == "--name" && more) walk.name = args[++i];
        else if (a == "--screenshots" && more) walk.screenshots = args[++i];
        else {
            std::fprintf(stderr, "editor-host wizard: unknown option %s\n", a.c_str());
            return 2;
        }
    }
    quellon::PlotStyleEditorApp app;
    if (!app.attachLibrary(GetModuleHandleA(nullptr))) {
        std::printf("{\"error\": \"the resource library could not be loaded\"}\n");
        return 2;
    }
    static PenSettings pens[256];
    if (withPens) demoPens(pens);
    std::unique_ptr<quellon::TableWizardSheet> sheet;
    if (walk.kind == "add")
        sheet.reset(new quellon::AddTableWizard(directory, withPens ? pens : nullptr, false));
    else
        sheet.reset(new quellon::NewTableWizard(!walk.named, directory,
                                                withPens ? pens : nullptr, false));
    walk.sheet = sheet.get();
    g_walk = &walk;
    const UINT_PTR timer = interactive ? 0 : SetTimer(nullptr, 0, 300, step);
    const bool finished = sheet->run(nullptr);
    if (timer) KillTimer(nullptr, timer);
    const std::string name = finished ? sheet->wizard().result() : std::string();
    std::printf("{\"finished\": %s, \"name\": %s, \"written\": %s", finished ? "true" : "false",
                json(name).c_str(), sheet->wizard().written() ? "true" : "false");
    printList("pages", walk.captions);
    if (!walk.screenshots.empty()) printList("screenshots", walk.pictures);
    std::printf("}\n");
    g_walk = nullptr;
    return finished ? 0 : 1;
}
