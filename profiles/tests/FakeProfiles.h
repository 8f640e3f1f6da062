// An in-memory profile store and a scripted main-dialog view for the controller's tests. The
// store keeps the registry's rules that the dialog relies on: names compare without regard
// to letter case, the current profile cannot be removed, nothing can be removed while no
// current profile is recorded, a rename moves the current marker.
#pragma once

#include "ProfileStoreApi.h"
#include "ProfilesController.h"
#include "ProfilesView.h"
#include "RostelleIds.h"
#include "profiles/RootPath.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

using profiles::NameEntry;
using profiles::Question;

class FakeStore : public profiles::ProfileStoreApi {
public:
    struct Profile {
        std::string name;
        std::string description;
        std::string contents;  // stands for everything below the profile key
    };

    // Roots whose keys exist, with their profiles and current marker.
    struct Root {
        std::vector<Profile> profiles;
        std::string current;
    };

    std::map<std::string, Root> roots;
    std::string rootPath;
    std::vector<std::string> calls;  // "create Work", "copy A B", ...

    // Scripted outcomes.
    bool failNext = false;  // the next create/copy/rename/remove/import fails
    bool failSetDescription = false;
    size_t importLeftOut = 0;
    std::map<std::string, std::pair<std::string, std::string>> exportFiles;  // file -> name, description

    explicit FakeStore(const std::string& root) : rootPath(root) { roots[root]; }

    Root& here() { return roots[rootPath]; }
    const Root* hereIfExists() const {
        auto it = roots.find(rootPath);
        return it == roots.end() ? nullptr : &it->second;
    }
    Profile* find(const std::string& name) {
        for (Profile& p : here().profiles)
            if (sameName(p.name, name)) return &p;
        return nullptr;
    }
    void add(const std::string& name, const std::string& description = "",
             const std::string& contents = "") {
        here().profiles.push_back({name, description, contents});
    }
    // Names as the registry spells them, in order.
    std::vector<std::string> keyNames() const {
        std::vector<std::string> names;
        if (const Root* root = hereIfExists())
            for (const Profile& p : root->profiles) names.push_back(p.name);
        return names;
    }

    std::string root() const override { return rootPath; }
    bool setRoot(const std::string& root) override {
        calls.push_back("setRoot " + root);
        if (root.empty() || !roots.count(root)) return false;
        rootPath = root;
        return true;
    }
    bool rootUsable() const override { return hereIfExists() != nullptr; }
    bool list(std::vector<std::string>& names) const override {
        names = keyNames();
        return true;
    }
    bool exists(const std::string& name) const override {
        return const_cast<FakeStore*>(this)->find(name) != nullptr;
    }
    bool current(std::string& name) const override {
        const Root* root = hereIfExists();
        if (!root || root->current.empty()) return false;
        name = root->current;
        return true;
    }
    bool setCurrent(const std::string& name) override {
        calls.push_back("setCurrent " + name);
        if (!exists(name)) return false;
        here().current = name;
        return true;
    }
    bool description(const std::string& name, std::string& text) const override {
        text.clear();
        Profile* p = const_cast<FakeStore*>(this)->find(name);
        if (!p) return false;
        text = p->description;
        return true;
    }
    bool setDescription(const std::string& name, const std::string& text) override {
        calls.push_back("setDescription " + name + " " + text);
        Profile* p = find(name);
        if (!p || failSetDescription) return false;
        p->description = text;
        return true;
    }
    bool remove(const std::string& name) override {
        calls.push_back("remove " + name);
        std::string currentName;
        if (failed() || !exists(name) || !current(currentName) || sameName(currentName, name))
            return false;
        erase(name);
        return true;
    }
    bool create(const std::string& name, const std::string& description) override {
        calls.push_back("create " + name);
        if (failed()) return false;
        if (exists(name) && !remove(name)) return false;
        add(name, description);
        return true;
    }
    bool copy(const std::string& source, const std::string& newName,
              const std::string& description) override {
        calls.push_back("copy " + source + " " + newName);
        Profile* from = find(source);
        if (failed() || !from) return false;
        Profile copied = *from;
        std::string currentName;
        if (exists(newName) && current(currentName) && !sameName(currentName, newName))
            erase(newName);
        if (Profile* into = find(newName)) {
            into->contents = copied.contents;
        } else {
            copied.name = newName;
            here().profiles.push_back(copied);
        }
        find(newName)->description = description;
        return true;
    }
    bool rename(const std::string& oldName, const std::string& newName,
                const std::string& description) override {
        calls.push_back("rename " + oldName + " " + newName);
        Profile* p = find(oldName);
        std::string currentName;
        if (failed() || !p || !current(currentName)) return false;
        if (sameName(oldName, newName)) {
            p->name = newName;
            p->description = description;
            if (sameName(currentName, oldName)) here().current = newName;
            return true;
        }
        Profile moved = *p;
        moved.name = newName;
        moved.description = description;
        if (find(newName)) erase(newName);
        erase(oldName);
        here().profiles.push_back(moved);
        if (sameName(currentName, oldName)) here().current = newName;
        return true;
    }
    bool exportProfile(const std::string& name, const std::string& file) override {
        calls.push_back("export " + name + " " + file);
        return exists(name);
    }
    bool importAs(const std::string& file, const std::string& newName,
                  size_t& sectionsLeftOut) override {
        calls.push_back("importAs " + file + " " + newName);
        sectionsLeftOut = 0;
        if (failed() || !exportFiles.count(file)) return false;
        if (!exists(newName)) add(newName, "", "imported");
        sectionsLeftOut = importLeftOut;
        return true;
    }
    bool readExportHeader(const std::string& file, std::string& name,
                          std::string& text) const override {
        auto it = exportFiles.find(file);
        name.clear();
        text.clear();
        if (it == exportFiles.end()) return false;
        name = it->second.first;
        text = it->second.second;
        return true;
    }
    // "Software\<middle>\Profiles" shortens to <middle> while its key exists.
    bool shortRoot(const std::string& path, std::string& shortPath) const override {
        shortPath.clear();
        for (const auto& root : roots) {
            if (!profiles::equalsNoCaseAscii(root.first, path)) continue;
            shortPath = profiles::shortenRoot(path, "Software\\", "\\Profiles");
            return true;
        }
        return false;
    }
    bool sameName(const std::string& a, const std::string& b) const override {
        return profiles::equalsNoCaseAscii(a, b);
    }

private:
    bool failed() {
        bool f = failNext;
        failNext = false;
        return f;
    }
    void erase(const std::string& name) {
        auto& list = here().profiles;
        for (auto it = list.begin(); it != list.end(); ++it)
            if (sameName(it->name, name)) {
                list.erase(it);
                return;
            }
    }
};

// Records what the controller shows and answers its questions from scripts.
class FakeView : public profiles::ProfilesView {
public:
    profiles::ProfilesController* controller = nullptr;  // told about selection changes

    std::map<unsigned, std::string> strings = {
        {IDS_ROOT_LABEL, "Profiles in: "},
        {IDS_PROFILE_IS_CURRENT, "IS-CURRENT"},
        {IDS_FILE_FILTER, "Profiles (*.%s)|*.%s||"},
        {IDS_REPLACE_PROFILE, "Replace %s?"},
        {IDS_CAPTION_RENAME, "Rename"},
        {IDS_CAPTION_COPY, "Copy"},
        {IDS_CAPTION_IMPORT, "Import"},
        {IDS_IMPORT_FAILED, "IMPORT-FAILED"},
        {IDS_DELETE_PROFILE, "Delete?"},
        {IDS_CAPTION_NEW, "New"},
        {IDS_SECTIONS_LEFT_OUT, "%s left out"},
    };

    std::vector<std::string> rows;
    int selection = -1;
    std::string label, descriptionText = "<untouched>";
    std::map<int, bool> enabled;

    // Scripts: nullopt means Cancel.
    std::deque<std::optional<NameEntry>> nameAnswers;
    std::deque<bool> questionAnswers;
    std::optional<std::string> exportAnswer, importAnswer, rootAnswer;

    // What was shown.
    struct NameRequest {
        std::string caption;
        NameEntry proposed;
    };
    std::vector<NameRequest> nameRequests;
    std::vector<std::pair<std::string, Question>> questions;
    std::vector<std::string> warnings;
    std::vector<std::string> filters;
    std::string exportInitialName;
    std::vector<std::pair<std::string, std::string>> launches;
    int selectionChanges = 0;

    std::string text(unsigned id) const override {
        auto it = strings.find(id);
        return it == strings.end() ? std::string() : it->second;
    }
    void showNames(const std::vector<std::string>& names) override {
        rows = names;
        selection = -1;
    }
    int selectedRow() const override { return selection; }
    void selectRow(int row) override {
        selection = row;
        ++selectionChanges;
        if (controller) controller->selectionChanged();
    }
    void setLabel(const std::string& text) override { label = text; }
    void setDescription(const std::string& text) override { descriptionText = text; }
    void enable(int id, bool on) override { enabled[id] = on; }
    bool askName(const std::string& caption, NameEntry& entry) override {
        nameRequests.push_back({caption, entry});
        if (nameAnswers.empty() || !nameAnswers.front()) {
            if (!nameAnswers.empty()) nameAnswers.pop_front();
            return false;
        }
        entry = *nameAnswers.front();
        nameAnswers.pop_front();
        return true;
    }
    bool ask(const std::string& text, Question style) override {
        questions.emplace_back(text, style);
        if (questionAnswers.empty()) return false;
        bool yes = questionAnswers.front();
        questionAnswers.pop_front();
        return yes;
    }
    void warn(const std::string& text) override { warnings.push_back(text); }
    bool chooseExportFile(const std::string& initialName, const std::string& filter,
                          std::string& path) override {
        exportInitialName = initialName;
        filters.push_back(filter);
        if (!exportAnswer) return false;
        path = *exportAnswer;
        return true;
    }
    bool chooseImportFile(const std::string& filter, std::string& path) override {
        filters.push_back(filter);
        if (!importAnswer) return false;
        path = *importAnswer;
        return true;
    }
    bool chooseRoot(std::string& root) override {
        if (!rootAnswer) return false;
        root = *rootAnswer;
        return true;
    }
    void launch(const std::string& root, const std::string& profile) override {
        launches.emplace_back(root, profile);
    }
};

inline const std::string kTestRoot = "Software\\Oremund\\Kivra 2013\\ENU\\Profiles";
inline const std::string kTessalineRoot = "Software\\Oremund\\Tessaline\\Kivra 2013\\Profiles";

// A controller over a fake store and view, wired so that selecting a row refreshes.
struct ControllerFixture {
    explicit ControllerFixture(const std::string& root = kTestRoot) : store(root) {
        view.controller = &controller;
    }
    void startWith(std::vector<std::string> names, const std::string& currentName = "") {
        for (const std::string& n : names) store.add(n, n + " description", n + " contents");
        store.here().current = currentName;
        controller.initialise();
    }
    NameEntry entry(const std::string& name, const std::string& description = "") {
        return NameEntry{name, description};
    }

    FakeStore store;
    FakeView view;
    profiles::ProfilesController controller{store, view};
};

}  // namespace testing_support
