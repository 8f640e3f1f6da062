// Property sheets and their pages, in particular wizards: each page is a dialog of this
// framework whose template comes from the resource handle; the sheet runs modally.
#pragma once

#include "dialogs/Dialog.h"

#include <prsht.h>

#include <string>
#include <vector>

namespace dlg {

class Sheet;

class PropertyPage : public Dialog {
public:
    explicit PropertyPage(UINT templateId) : Dialog(templateId) {}

    Sheet* sheet() const { return sheet_; }
    HWND sheetWindow() const { return GetParent(hwnd()); }
    // The page's title (set before the sheet runs): a tab's caption, a wizard's title bar
    // while the page is shown. Empty: the caption of the page's template.
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::string& title() const { return title_; }

protected:
    // Wizard notifications. onSetActive: false refuses the page. onWizardNext/Back: 0 goes
    // on to the neighbouring page, -1 stays, a template number jumps to that page.
    virtual bool onSetActive() { return true; }
    virtual bool onKillActive() { return updateData(true); }
    virtual LRESULT onWizardNext() { return 0; }
    virtual LRESULT onWizardBack() { return 0; }
    virtual bool onWizardFinish() { return true; }
    virtual bool onQueryCancel() { return true; }

    // PSWIZB_ flags for the sheet's Back, Next and Finish buttons.
    void setWizardButtons(DWORD flags) const;

    bool onNotify(NMHDR& header, LRESULT& result) override;
    void onOK() override {}
    void onCancel() override {}

private:
    friend class Sheet;
    static INT_PTR CALLBACK pageProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    Sheet* sheet_ = nullptr;
    std::string title_;
};

// A property sheet (named Sheet: the system headers take PropertySheet as a macro).
class Sheet {
public:
    explicit Sheet(std::string caption) : caption_(std::move(caption)) {}

    void addPage(PropertyPage& page);
    void setWizardMode(bool on = true) { wizard_ = on; }
    void setStartPage(int index) { start_ = index; }

    // Runs the sheet modally: IDOK when confirmed (Finish or OK), IDCANCEL otherwise,
    // -1 when it could not be created.
    INT_PTR doModal(HWND parent = nullptr);
    HWND hwnd() const { return hwnd_; }
    int pageCount() const { return int(pages_.size()); }
    PropertyPage& page(int index) const { return *pages_[std::size_t(index)]; }
    // The page shown now (index), or -1.
    int activeIndex() const;

private:
    static int CALLBACK sheetCallback(HWND hwnd, UINT msg, LPARAM l);

    std::string caption_;
    std::vector<PropertyPage*> pages_;
    bool wizard_ = false;
    int start_ = 0;
    HWND hwnd_ = nullptr;
};

}  // namespace dlg
