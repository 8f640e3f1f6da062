// The root dialog: recent roots in the combo box, the typed or chosen middle part completed
// and tested on OK, and the recent list stored with the choice first.
#include "ProfileRootDialog_win.h"

#include "ManagerBoxes_win.h"
#include "RecentRoots.h"
#include "RecentRootsRegistry_win.h"
#include "RostelleIds.h"
#include "dialogs/ModuleState.h"
#include "profiles/ProfileStore.h"

#include <vector>

namespace profiles {
namespace {

bool shortForm(const std::string& path, std::string& result) {
    return ProfileStore::shortRoot(path, result);
}
bool fullForm(const std::string& path, std::string& result) {
    return ProfileStore::normaliseRoot(path, result);
}

}  // namespace

ProfileRootDialog::ProfileRootDialog() : dlg::Dialog(IDD_PROFILE_ROOT) {}

bool ProfileRootDialog::onInitDialog() {
    setItemText(IDC_ROOT_EXPLANATION, dlg::loadString(IDS_ROOT_EXPLANATION));
    setItemText(IDC_ROOT_HEAD, "HKEY_CURRENT_USER\\" + dlg::loadString(IDS_ROOT_PREFIX));
    setItemText(IDC_ROOT_TAIL, dlg::loadString(IDS_ROOT_SUFFIX));
    if (recentRootsKey.empty()) recentRootsKey = recentRootsKeyPath();

    combo_.attach(hwnd(), IDC_ROOT_COMBO);
    combo_.clear();
    std::vector<std::string> entries = rootChoices(readRecentRoots(recentRootsKey), shortForm,
                                                   productKeyPath(true));
    for (const std::string& entry : firstChoiceOnTop(entries, shortForm)) combo_.add(entry);
    combo_.select(0);
    return true;
}

void ProfileRootDialog::onOK() {
    // What the edit field shows: the chosen entry, or what was typed over it.
    std::string candidate = combo_.text();
    if (candidate.empty() && combo_.selection() >= 0)
        candidate = combo_.itemText(combo_.selection());
    std::string full;
    if (!ProfileStore::normaliseRoot(candidate, full)) {
        warnBox(hwnd(), dlg::loadString(IDS_BAD_ROOT));
        combo_.focus();
        return;
    }
    std::vector<std::string> entries;
    for (int i = 0, n = combo_.count(); i < n; ++i) entries.push_back(combo_.itemText(i));
    chosenRoot = full;
    // Failing to store the list does not keep the user from the chosen root.
    writeRecentRoots(recentRootsKey, recentRootsAfterChoice(full, entries, fullForm));
    endDialog(IDOK);
}

}  // namespace profiles
