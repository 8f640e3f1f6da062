// Property sheets and wizard pages over the system's property sheet control.
#include "dialogs/PropertySheet.h"

#include "dialogs/ModuleState.h"

#include <commctrl.h>

namespace dlg {
namespace {
thread_local Sheet* t_startingSheet = nullptr;
}

void PropertyPage::setWizardButtons(DWORD flags) const {
    PostMessageA(sheetWindow(), PSM_SETWIZBUTTONS, 0, LPARAM(flags));
}

bool PropertyPage::onNotify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != sheetWindow()) return false;
    switch (header.code) {
        case PSN_SETACTIVE:
            result = onSetActive() ? 0 : -1;
            return true;
        case PSN_KILLACTIVE:
            result = onKillActive() ? FALSE : TRUE;
            return true;
        case PSN_WIZNEXT:
            result = onWizardNext();
            return true;
        case PSN_WIZBACK:
            result = onWizardBack();
            return true;
        case PSN_WIZFINISH:
            result = onWizardFinish() ? FALSE : TRUE;
            return true;
        case PSN_QUERYCANCEL:
            result = onQueryCancel() ? FALSE : TRUE;
            return true;
        case PSN_HELP:
            onHelp();
            return true;
        default:
            return false;
    }
}

INT_PTR CALLBACK PropertyPage::pageProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto* self = static_cast<PropertyPage*>(objectOf(hwnd));
    if (!self && msg == WM_INITDIALOG) {
        const auto* header = reinterpret_cast<const PROPSHEETPAGEA*>(l);
        self = reinterpret_cast<PropertyPage*>(header->lParam);
        self->attachHandle(hwnd);
    }
    return self ? self->dispatch(msg, w, l) : FALSE;
}

void Sheet::addPage(PropertyPage& page) {
    page.sheet_ = this;
    pages_.push_back(&page);
}

int CALLBACK Sheet::sheetCallback(HWND hwnd, UINT msg, LPARAM) {
    if (msg == PSCB_INITIALIZED && t_startingSheet) t_startingSheet->hwnd_ = hwnd;
    return 0;
}

int Sheet::activeIndex() const {
    if (!hwnd_) return -1;
    HWND shown = reinterpret_cast<HWND>(SendMessageA(hwnd_, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i]->hwnd() && pages_[i]->hwnd() == shown) return int(i);
    return -1;
}

INT_PTR Sheet::doModal(HWND parent) {
    std::vector<PROPSHEETPAGEA> descriptions(pages_.size());
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        PROPSHEETPAGEA& p = descriptions[i];
        p = {};
        p.dwSize = sizeof(p);
        p.dwFlags = PSP_DEFAULT | PSP_HASHELP;
        p.hInstance = resourceHandle();
        p.pszTemplate = MAKEINTRESOURCEA(pages_[i]->templateId());
        p.pfnDlgProc = PropertyPage::pageProc;
        p.lParam = reinterpret_cast<LPARAM>(pages_[i]);
        if (!pages_[i]->title().empty()) {
            p.dwFlags |= PSP_USETITLE;
            p.pszTitle = pages_[i]->title().c_str();
        }
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK | PSH_HASHELP;
    if (wizard_) header.dwFlags |= PSH_WIZARD;
    header.hwndParent = parent;
    header.hInstance = resourceHandle();
    header.pszCaption = caption_.c_str();
    header.nPages = UINT(descriptions.size());
    header.nStartPage = UINT(start_);
    header.ppsp = descriptions.data();
    header.pfnCallback = sheetCallback;
    Sheet* outer = t_startingSheet;
    t_startingSheet = this;
    const INT_PTR result = PropertySheetA(&header);
    t_startingSheet = outer;
    hwnd_ = nullptr;
    if (result < 0) return -1;
    return result == 0 ? IDCANCEL : IDOK;
}

}  // namespace dlg
