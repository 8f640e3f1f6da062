// The main dialog: set-up, event routing, and the view the controller works through.
#include "ProfilesDialog_win.h"

#include "AboutDialog_win.h"
#include "ManagerBoxes_win.h"
#include "OpenUrl_win.h"
#include "ProfileNameDialog_win.h"
#include "ProfileRootDialog_win.h"
#include "RostelleIds.h"
#include "dialogs/CommonDialogs.h"
#include "dialogs/ModuleState.h"
#include "profiles/HostLaunch.h"

#include <algorithm>

namespace profiles {
namespace {

// Room beside the widest name in the list's one column.
constexpr int kColumnMargin = 10;

// An icon from the resource library, else from the program file.
HICON loadIcon(int size) {
    for (HINSTANCE module : {dlg::resourceHandle(), dlg::moduleInstance()}) {
        if (HANDLE icon = LoadImageA(module, MAKEINTRESOURCEA(IDI_WENDMARK), IMAGE_ICON, size,
                                     size, LR_DEFAULTCOLOR))
            return static_cast<HICON>(icon);
    }
    return nullptr;
}

}  // namespace

ProfilesDialog::ProfilesDialog(const std::string& root)
    : dlg::Dialog(IDD_PROFILES), store_(root), controller_(store_, *this) {}

ProfilesDialog::~ProfilesDialog() {
    if (icon_) DestroyIcon(icon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

bool ProfilesDialog::onInitDialog() {
    SetWindowTextA(hwnd(), text(IDS_TITLE).c_str());
    addSystemMenuItems();
    setIcons();
    webButton_.autoLoad(*this, IDC_WEB_BUTTON);
    list_.attach(hwnd(), IDC_PROFILE_LIST);
    list_.setExtendedStyle(LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT client;
    GetClientRect(list_.hwnd(), &client);
    list_.insertColumn(0, std::string(), client.right - client.left);
    controller_.initialise();
    return true;
}

void ProfilesDialog::addSystemMenuItems() {
    HMENU menu = GetSystemMenu(hwnd(), FALSE);
    if (!menu) return;
    const std::string root = text(IDS_ROOT_MENU), about = text(IDS_ABOUT_MENU);
    if (!root.empty()) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_CHOOSE_ROOT, root.c_str());
    }
    if (!about.empty()) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, IDM_ABOUT, about.c_str());
    }
}

void ProfilesDialog::setIcons() {
    icon_ = loadIcon(GetSystemMetrics(SM_CXICON));
    smallIcon_ = loadIcon(GetSystemMetrics(SM_CXSMICON));
    SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageA(hwnd(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_ : icon_));
}

bool ProfilesDialog::onCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_MAKE_CURRENT: controller_.makeCurrent(); return true;
        case IDC_COPY: controller_.copyProfile(); return true;
        case IDC_RENAME: controller_.renameProfile(); return true;
        case IDC_DELETE: controller_.deleteProfile(); return true;
        case IDC_EXPORT: controller_.exportProfile(); return true;
        case IDC_IMPORT: controller_.importProfile(); return true;
        case IDC_WEB_BUTTON: openWebAddress(); return true;
        case IDC_CHOOSE_ROOT: controller_.chooseRoot(); return true;
        case IDC_LAUNCH: controller_.launch(); return true;
        case IDC_NEW: controller_.newProfile(); return true;
        default: return false;
    }
}

bool ProfilesDialog::onNotify(NMHDR& header, LRESULT&) {
    if (header.idFrom != IDC_PROFILE_LIST) return false;
    if (header.code == LVN_ITEMCHANGED) {
        if (!filling_) controller_.selectionChanged();
        return true;
    }
    if (header.code == NM_DBLCLK) {
        controller_.launch();
        return true;
    }
    return false;
}

// Enter: on the web button it opens the address (an owner-drawn button never becomes the
// default button, so Enter arrives here as OK); anywhere else it closes the dialog.
void ProfilesDialog::onOK() {
    if (GetFocus() == webButton_.hwnd() && webButton_.hwnd()) {
        openWebAddress();
        return;
    }
    endDialog(IDOK);
}

bool ProfilesDialog::onMessage(UINT msg, WPARAM w, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_SYSCOMMAND:
            if ((w & 0xFFF0) == IDM_CHOOSE_ROOT) {
                controller_.chooseRoot();
                return true;
            }
            if ((w & 0xFFF0) == IDM_ABOUT) {
                showAbout();
                return true;
            }
            return false;
        case WM_PAINT:
            return paintIcon();
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<LRESULT>(icon_);
            return true;
        default:
            return false;
    }
}

// While minimised the client area shows the icon, centred.
bool ProfilesDialog::paintIcon() {
    if (!IsIconic(hwnd()) || !icon_) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd(), &paint);
    SendMessageA(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(hwnd(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(hwnd(), &paint);
    return true;
}

void ProfilesDialog::openWebAddress() {
    const int result = openUrl(text(IDS_WEB_ADDRESS), SW_SHOWNORMAL);
    if (result <= 32) showLinkError(hwnd(), result);
}

void ProfilesDialog::showAbout() {
    AboutDialog about;
    about.link.setVisited(aboutLinkVisited_);
    about.link.setAddress(text(IDS_WEB_ADDRESS));
    about.doModal(hwnd());
    aboutLinkVisited_ = about.link.visited();
}

std::string ProfilesDialog::text(unsigned id) const { return dlg::loadString(id); }

void ProfilesDialog::showNames(const std::vector<std::string>& names) {
    filling_ = true;
    list_.clear();
    int widest = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        list_.insert(static_cast<int>(i), names[i]);
        widest = std::max(widest, list_.stringWidth(names[i]));
    }
    filling_ = false;
    RECT client;
    GetClientRect(list_.hwnd(), &client);
    list_.setColumnWidth(0, std::max(widest + kColumnMargin, int(client.right - client.left)));
}

int ProfilesDialog::selectedRow() const { return list_.firstSelected(); }
void ProfilesDialog::selectRow(int row) { list_.selectOnly(row); }
void ProfilesDialog::setLabel(const std::string& label) { setItemText(IDC_ROOT_LABEL, label); }
void ProfilesDialog::setDescription(const std::string& description) {
    setItemText(IDC_DESCRIPTION, description);
}
void ProfilesDialog::enable(int controlId, bool on) { EnableWindow(item(controlId), on); }

bool ProfilesDialog::askName(const std::string& caption, NameEntry& entry) {
    ProfileNameDialog dialog;
    dialog.caption = caption;
    dialog.name = entry.name;
    dialog.description = entry.description;
    if (dialog.doModal(hwnd()) != IDOK) return false;
    entry.name = dialog.name;
    entry.description = dialog.description;
    return true;
}

bool ProfilesDialog::ask(const std::string& question, Question style) {
    return questionBox(hwnd(), question, style);
}

void ProfilesDialog::warn(const std::string& warning) { warnBox(hwnd(), warning); }

bool ProfilesDialog::chooseExportFile(const std::string& initialName, const std::string& filter,
                                      std::string& path) {
    dlg::FileDialog dialog;
    dialog.open = false;
    dialog.defaultExtension = "arg";
    dialog.fileName = initialName;
    dialog.filter = filter;
    // An existing file is replaced only when the user says so.
    dialog.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    dialog.owner = hwnd();
    if (!dialog.run()) return false;
    path = dialog.fileName;
    return true;
}

bool ProfilesDialog::chooseImportFile(const std::string& filter, std::string& path) {
    dlg::FileDialog dialog;
    dialog.open = true;
    dialog.defaultExtension = "arg";
    dialog.filter = filter;
    dialog.owner = hwnd();
    if (!dialog.run()) return false;
    path = dialog.fileName;
    return true;
}

bool ProfilesDialog::chooseRoot(std::string& root) {
    ProfileRootDialog dialog;
    if (dialog.doModal(hwnd()) != IDOK) return false;
    root = dialog.chosenRoot;
    return true;
}

void ProfilesDialog::launch(const std::string& root, const std::string& profile) {
    launchHost(root, profile);
}

}  // namespace profiles
