// The main dialog's commands, in the order in which they ask, refuse and call the store.
#include "ProfilesController.h"

#include "NameRules.h"
#include "RostelleIds.h"
#include "profiles/CommandLines.h"
#include "profiles/RootPath.h"

#include <algorithm>

namespace profiles {
namespace {

// The file dialogs' filter is formatted into a buffer of this many bytes.
constexpr size_t kFilterBuffer = 260;

const int kProfileCommands[] = {IDC_MAKE_CURRENT, IDC_COPY, IDC_RENAME, IDC_DELETE, IDC_EXPORT};

}  // namespace

void ProfilesController::initialise() {
    store_.list(names_);
    refill();
    refreshLabel();
    refreshDescription();
    refreshEnabling();
}

void ProfilesController::selectionChanged() {
    refreshDescription();
    refreshEnabling();
}

bool ProfilesController::selectedName(std::string& name) const {
    int row = view_.selectedRow();
    if (row < 0 || static_cast<size_t>(row) >= names_.size()) return false;
    name = names_[static_cast<size_t>(row)];
    return true;
}

void ProfilesController::refreshLabel() {
    std::string shortPath, currentName;
    if (!store_.shortRoot(store_.root(), shortPath)) shortPath.clear();
    std::string label = view_.text(IDS_ROOT_LABEL) + shortPath + "\r\n";
    if (store_.current(currentName)) label += currentName;
    view_.setLabel(label);
}

void ProfilesController::refreshDescription() {
    std::string name, text;
    if (!selectedName(name)) return;
    store_.description(name, text);
    view_.setDescription(text);
}

void ProfilesController::refreshEnabling() {
    std::string name;
    const bool usable = store_.rootUsable();
    const bool selected = selectedName(name);
    for (int id : kProfileCommands) view_.enable(id, usable && selected);
    view_.enable(IDC_IMPORT, usable);
    view_.enable(IDC_LAUNCH, usable && selected && hostKind(store_.root()) != HostKind::None);
}

void ProfilesController::refill() {
    int previous = std::max(view_.selectedRow(), 0);
    view_.showNames(names_);
    if (names_.empty()) {
        // Nothing to select, so no row reports a change: the description of a profile
        // that is no longer listed (another root's) must not stay.
        view_.setDescription(std::string());
        refreshEnabling();
        return;
    }
    view_.selectRow(std::min(previous, static_cast<int>(names_.size()) - 1));
}

int ProfilesController::findName(const std::string& name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (store_.sameName(names_[i], name)) return static_cast<int>(i);
    return -1;
}

void ProfilesController::replaceOrAppend(const std::string& name, bool existed) {
    int at = existed ? findName(name) : -1;
    if (at >= 0)
        names_[static_cast<size_t>(at)] = name;
    else
        names_.push_back(name);
}

bool ProfilesController::refuseCurrent(const std::string& name) {
    std::string currentName;
    if (!store_.current(currentName) || !store_.sameName(currentName, name)) return false;
    view_.warn(view_.text(IDS_PROFILE_IS_CURRENT));
    return true;
}

bool ProfilesController::askReplace(const std::string& name, Question style) {
    return view_.ask(fillStrings(view_.text(IDS_REPLACE_PROFILE), {name}), style);
}

std::string ProfilesController::fileFilter() const {
    std::string format = view_.text(IDS_FILE_FILTER);
    if (format.empty()) return std::string();
    std::string filter = fillStrings(format, {"arg", "arg"});
    if (filter.size() >= kFilterBuffer) filter.resize(kFilterBuffer - 1);
    return filter;
}

void ProfilesController::makeCurrent() {
    std::string name;
    if (!selectedName(name)) return;
    store_.setCurrent(name);
    refreshLabel();
}

void ProfilesController::newProfile() {
    NameEntry entry;
    if (!view_.askName(view_.text(IDS_CAPTION_NEW), entry)) return;
    const bool existed = store_.exists(entry.name);
    if (existed && (refuseCurrent(entry.name) || !askReplace(entry.name, Question::YesDefault)))
        return;
    if (!store_.create(entry.name, entry.description)) return;
    replaceOrAppend(entry.name, existed);
    refreshLabel();
    refill();
    refreshDescription();
}

void ProfilesController::copyProfile() {
    std::string source;
    if (!selectedName(source)) return;
    NameEntry entry;
    if (!view_.askName(view_.text(IDS_CAPTION_COPY), entry)) return;
    const bool existed = store_.exists(entry.name);
    if (existed && refuseCurrent(entry.name)) return;
    if (store_.sameName(entry.name, source)) {
        // A copy onto itself would remove and import the source again: only the description
        // changes, and the entry keeps the key's spelling.
        store_.setDescription(source, entry.description);
        refreshDescription();
        return;
    }
    if (existed && !askReplace(entry.name, Question::YesDefault)) return;
    if (!store_.copy(source, entry.name, entry.description)) return;
    replaceOrAppend(entry.name, existed);
    refill();
    refreshDescription();
}

void ProfilesController::renameProfile() {
    std::string source;
    if (!selectedName(source)) return;
    NameEntry entry{source, std::string()};
    store_.description(source, entry.description);
    if (!view_.askName(view_.text(IDS_CAPTION_RENAME), entry)) return;
    const std::string& name = entry.name;
    if (name == source) {
        store_.setDescription(source, entry.description);
        refreshDescription();
        return;
    }
    // Another letter case names the same key: nothing is replaced, so nothing is asked, and
    // the entry is spelled anew in its place.
    const bool caseOnly = store_.sameName(name, source);
    const bool existed = !caseOnly && store_.exists(name);
    if (existed && (refuseCurrent(name) || !askReplace(name, Question::NoDefault))) return;
    if (!store_.rename(source, name, entry.description)) return;
    std::string entryName = source;
    if (existed) {
        int at = findName(source);
        if (at >= 0) names_.erase(names_.begin() + at);
        entryName = name;
    }
    int at = findName(entryName);
    if (at >= 0)
        names_[static_cast<size_t>(at)] = name;
    else
        names_.push_back(name);
    refreshLabel();
    refill();
    refreshDescription();
}

void ProfilesController::deleteProfile() {
    std::string name, currentName;
    if (!selectedName(name)) return;
    if (!store_.current(currentName) || store_.sameName(currentName, name)) {
        view_.warn(view_.text(IDS_PROFILE_IS_CURRENT));
        return;
    }
    if (!view_.ask(view_.text(IDS_DELETE_PROFILE), Question::Stop)) return;
    if (!store_.remove(name)) return;
    int at = findName(name);
    if (at >= 0) names_.erase(names_.begin() + at);
    refill();
    refreshDescription();
}

void ProfilesController::exportProfile() {
    std::string name, path;
    if (!selectedName(name)) return;
    if (!view_.chooseExportFile(name, fileFilter(), path)) return;
    store_.exportProfile(name, path);
}

void ProfilesController::importProfile() {
    std::string path;
    if (!view_.chooseImportFile(fileFilter(), path)) return;
    std::string storedName;
    NameEntry entry{fileTitle(path), std::string()};
    store_.readExportHeader(path, storedName, entry.description);
    if (!view_.askName(view_.text(IDS_CAPTION_IMPORT), entry)) return;
    const bool existed = store_.exists(entry.name);
    if (existed && (refuseCurrent(entry.name) || !askReplace(entry.name, Question::NoDefault)))
        return;
    size_t leftOut = 0;
    if (!store_.importAs(path, entry.name, leftOut)) {
        view_.warn(view_.text(IDS_IMPORT_FAILED));
        return;
    }
    // The profile exists now, whether or not its description could be written.
    store_.setDescription(entry.name, entry.description);
    replaceOrAppend(entry.name, existed);
    refill();
    refreshDescription();
    if (leftOut > 0)
        view_.warn(fillStrings(view_.text(IDS_SECTIONS_LEFT_OUT), {std::to_string(leftOut)}));
}

void ProfilesController::chooseRoot() {
    std::string chosen;
    if (!view_.chooseRoot(chosen)) return;
    if (chosen.empty() || equalsNoCaseAscii(chosen, store_.root()) || !store_.setRoot(chosen))
        return;
    store_.list(names_);
    refill();
    refreshLabel();
    refreshDescription();
    refreshEnabling();
}

void ProfilesController::launch() {
    std::string name;
    if (!selectedName(name)) return;
    view_.launch(store_.root(), name);
}

}  // namespace profiles
