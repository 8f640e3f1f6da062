// The style commands without a window: a list of item texts with a selection, a scripted
// name dialog, recorded messages, and a clipboard of named formats that several editors can
// share, as processes share the system's.
#pragma once

#include "FakeStrings.h"
#include "StyleCommands.h"

#include <map>
#include <string>
#include <vector>

namespace testing_support {

// The editor's texts with the style commands' formats.
class CommandStrings : public FakeStrings {
public:
    std::string text(unsigned id) const override {
        switch (id) {
            case IDS_STYLE_CLIPBOARD_FORMAT:
                return "Test Plot Style";
            case IDS_STYLE_NAME_PATTERN:
                return "Style %d";
            case IDS_NAME_TAKEN:
                return "taken: %s";
            case IDS_LINEWEIGHT_RANGE:
                return "between 0 and %d mm or 0 and %.16g in";
            default:
                return FakeStrings::text(id);
        }
    }
};

class FakeClipboard : public quellon::StyleClipboard {
public:
    std::vector<std::string> names;  // format k + 1 is names[k]
    std::map<unsigned, std::vector<unsigned char>> data;
    bool opens = true;  // false: another program holds the clipboard open

    unsigned registerFormat(const std::string& name) override {
        if (name.empty()) return 0;
        for (std::size_t k = 0; k < names.size(); ++k)
            if (names[k] == name) return unsigned(k + 1);
        names.push_back(name);
        return unsigned(names.size());
    }
    bool holds(unsigned format) override { return opens && data.count(format) != 0; }
    bool put(unsigned format, const std::vector<unsigned char>& block) override {
        if (!opens) return false;
        data.clear();
        data[format] = block;
        return true;
    }
    bool read(unsigned format, const Reader& reader) override {
        auto it = data.find(format);
        if (!opens || it == data.end()) return false;
        reader(it->second.data(), it->second.size());
        return true;
    }
    // What another process posts under `name`.
    void post(const std::string& name, std::vector<unsigned char> block) {
        data.clear();
        data[registerFormat(name)] = std::move(block);
    }
};

class FakeCommandView : public quellon::StyleCommandView {
public:
    std::vector<std::string> items;
    std::vector<int> selected;
    std::vector<std::string> proposals;  // what the name dialog was opened with
    std::vector<std::string> answers;    // what it hands back, in turn; none left: cancelled
    std::vector<std::string> messages;
    std::vector<int> removals;  // items removed, in order
    int renaming = -1;

    std::vector<int> selectedStyles() const override { return selected; }
    void insertItem(int index, const std::string& text) override {
        items.insert(items.begin() + index, text);
    }
    void removeItem(int index) override {
        removals.push_back(index);
        items.erase(items.begin() + index);
        std::vector<int> kept;
        for (int s : selected)
            if (s != index) kept.push_back(s > index ? s - 1 : s);
        selected = kept;
    }
    void selectOnly(int index) override { selected = {index}; }
    void beginRename(int index) override { renaming = index; }
    bool askStyleName(const std::string& proposed, std::string& name) override {
        proposals.push_back(proposed);
        if (answers.empty()) return false;
        name = answers.front();
        answers.erase(answers.begin());
        return true;
    }
    void showStop(const std::string& text) override { messages.push_back(text); }
};

}  // namespace testing_support
