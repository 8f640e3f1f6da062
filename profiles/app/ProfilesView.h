// What the main dialog's rules ask of the window: the list's rows and selection, the label
// and description texts, enabling, and the smaller dialogs and boxes they open.
#pragma once

#include <string>
#include <vector>

namespace profiles {

// The message box styles of the profile manager's questions.
enum class Question {
    YesDefault,  // Yes/No, exclamation, Yes is the default
    NoDefault,   // Yes/No, exclamation, No is the default
    Stop,        // Yes/No, stop sign, No is the default
};

struct NameEntry {
    std::string name;
    std::string description;
};

class ProfilesView {
public:
    virtual ~ProfilesView() = default;

    // String `id` of the resource library, empty when there is none.
    virtual std::string text(unsigned id) const = 0;

    // Replaces every row by `names` (one column, wide enough for the widest name).
    virtual void showNames(const std::vector<std::string>& names) = 0;
    // First selected row, -1 for none.
    virtual int selectedRow() const = 0;
    // Selects and focuses `row`; the list then reports a changed item.
    virtual void selectRow(int row) = 0;

    virtual void setLabel(const std::string& text) = 0;
    virtual void setDescription(const std::string& text) = 0;
    virtual void enable(int controlId, bool on) = 0;

    // The name dialog with `caption`, showing `entry`; true and `entry` filled on OK.
    virtual bool askName(const std::string& caption, NameEntry& entry) = 0;
    // True for Yes.
    virtual bool ask(const std::string& text, Question style) = 0;
    // OK button, exclamation icon.
    virtual void warn(const std::string& text) = 0;

    // Save or open dialog for "arg" files; true and `path` set when the user confirmed.
    virtual bool chooseExportFile(const std::string& initialName, const std::string& filter,
                                  std::string& path) = 0;
    virtual bool chooseImportFile(const std::string& filter, std::string& path) = 0;
    // The root dialog; true and `root` (the full path) set on OK.
    virtual bool chooseRoot(std::string& root) = 0;

    // Starts the host of `root`'s kind with `profile` (nothing for a root of no kind).
    virtual void launch(const std::string& root, const std::string& profile) = 0;
};

}  // namespace profiles
