// The main dialog's rules: which profile is selected, what each command asks and refuses, in
// which order it calls the store, and how the list, the label, the description and the
// enabling of the buttons follow. No window here: the dialog forwards its events and shows
// what the rules tell it through ProfilesView.
#pragma once

#include "ProfileStoreApi.h"
#include "ProfilesView.h"

#include <string>
#include <vector>

namespace profiles {

class ProfilesController {
public:
    ProfilesController(ProfileStoreApi& store, ProfilesView& view) : store_(store), view_(view) {}

    // Loads the names and shows them with the label, description and enabling.
    void initialise();
    // The list reported a changed item.
    void selectionChanged();

    void makeCurrent();
    void newProfile();
    void copyProfile();
    void renameProfile();
    void deleteProfile();
    void exportProfile();
    void importProfile();
    void chooseRoot();
    void launch();

    // The names in the order of the list's rows.
    const std::vector<std::string>& names() const { return names_; }
    // The name of the first selected row; false with no selection or a row beyond the names.
    bool selectedName(std::string& name) const;

private:
    void refreshLabel();
    void refreshDescription();
    void refreshEnabling();
    // Shows the names again and selects the row selected before (limited to the last row).
    void refill();
    // After an operation made `name`: an entry of that name (in any letter case) takes the
    // spelling typed, otherwise the name is appended.
    void replaceOrAppend(const std::string& name, bool existed);
    // First entry naming the same profile as `name`, -1 for none.
    int findName(const std::string& name) const;
    // Warns and returns true when `name` is the current profile.
    bool refuseCurrent(const std::string& name);
    bool askReplace(const std::string& name, Question style);
    std::string fileFilter() const;

    ProfileStoreApi& store_;
    ProfilesView& view_;
    std::vector<std::string> names_;
};

}  // namespace profiles
