// The profile manager's main window: the profiles of one root in a list, and a button for
// every command on them. The rules live in ProfilesController; this dialog shows what they
// say and routes the list's, buttons' and system menu's events to them.
#pragma once

#include "ProfilesController.h"
#include "RegistryProfileStore_win.h"
#include "dialogs/Controls.h"
#include "dialogs/Dialog.h"
#include "dialogs/Window.h"

#include <string>

namespace profiles {

class ProfilesDialog : public dlg::Dialog, private ProfilesView {
public:
    explicit ProfilesDialog(const std::string& root);
    ~ProfilesDialog() override;

    const ProfilesController& controller() const { return controller_; }
    // Whether the about box's link was opened during this run.
    bool aboutLinkVisited() const { return aboutLinkVisited_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(NMHDR& header, LRESULT& result) override;
    void onOK() override;
    bool onMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

private:
    // ProfilesView
    std::string text(unsigned id) const override;
    void showNames(const std::vector<std::string>& names) override;
    int selectedRow() const override;
    void selectRow(int row) override;
    void setLabel(const std::string& text) override;
    void setDescription(const std::string& text) override;
    void enable(int controlId, bool on) override;
    bool askName(const std::string& caption, NameEntry& entry) override;
    bool ask(const std::string& text, Question style) override;
    void warn(const std::string& text) override;
    bool chooseExportFile(const std::string& initialName, const std::string& filter,
                          std::string& path) override;
    bool chooseImportFile(const std::string& filter, std::string& path) override;
    bool chooseRoot(std::string& root) override;
    void launch(const std::string& root, const std::string& profile) override;

    void addSystemMenuItems();
    void setIcons();
    void openWebAddress();
    void showAbout();
    bool paintIcon();

    RegistryProfileStore store_;
    ProfilesController controller_;
    dlg::ListView list_;
    dlg::BitmapButton webButton_;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    bool aboutLinkVisited_ = false;
    bool filling_ = false;
};

}  // namespace profiles
