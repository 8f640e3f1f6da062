// The wizard sheet both table wizards run on, and the base of their pages. The sheet holds
// the wizard's rules (TableWizard) and is their host: message boxes under its caption, the
// table editor with the sheet as parent, file checks. Each page asks the rules for its
// buttons, caption and texts when it becomes active and hands its controls' values over.
#pragma once

#include "ResourceStrings.h"
#include "TableWizard.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/PropertySheet.h"

#include <string>

namespace quellon {

class TableWizardSheet;

class WizardPage : public dlg::PropertyPage {
public:
    WizardPage(UINT templateId, TableWizard::Page page, TableWizardSheet& owner);
    TableWizard::Page page() const { return page_; }

protected:
    TableWizardSheet& owner() const { return owner_; }
    TableWizard& wizard() const;

    // The page is shown: fill the controls from the rules.
    virtual void load() {}
    // Leaving by Next: false keeps the page.
    virtual bool leave() { return true; }

    bool onSetActive() override;
    LRESULT onWizardNext() override;
    LRESULT onWizardBack() override;
    bool onWizardFinish() override;
    // Buttons (and for the add wizard the steps) as the rules give them now.
    void refresh() const;

private:
    TableWizard::Page page_;
    TableWizardSheet& owner_;
};

class TableWizardSheet : public WizardHost {
public:
    explicit TableWizardSheet(const WizardSetup& setup);
    ~TableWizardSheet() override = default;

    // Runs the wizard modally; true when it was finished, false when cancelled.
    bool run(HWND parent);
    TableWizard& wizard() { return wizard_; }
    dlg::Sheet& sheet() { return sheet_; }
    HWND hwnd() const { return sheet_.hwnd(); }
    const Strings& strings() const { return strings_; }
    // The template of a page of this wizard.
    UINT templateOf(TableWizard::Page page) const;

    // WizardHost.
    void showMessage(const std::string& text) override;
    EditorOutcome runEditor(TablePtr table, const std::string& path) override;
    bool fileExists(const std::string& path) override;

    // The file-open dialog of the browse buttons; true with `path` set when confirmed.
    virtual bool askOpenPath(dlg::FileDialog& dialog, std::string& path);

protected:
    void addPage(WizardPage& page) { sheet_.addPage(page); }

private:
    ResourceStrings strings_;
    TableWizard wizard_;
    dlg::Sheet sheet_;
};

// Pages' shared gestures: the browse button of a source page.
bool browseForFile(TableWizardSheet& owner, HWND page, int editId, bool pcp);

}  // namespace quellon
