// The registration script the server carries as data: its notation read into a tree of
// keys and values, after the %NAME% replacements. Plain C++; the walk that writes the
// tree into the registry is in RegistrationWalk.h.
//
// Notation: a root key name (HKCR, HKCU, HKLM, HKU or their long forms) followed by a block
// in braces. A key is an optional marker (NoRemove, ForceRemove), a name, optionally
// `= s 'text'` for its default value, optionally a block holding its named values
// (`val Name = s 'text'`) and subkeys. Texts are in apostrophes, a doubled apostrophe
// stands for one; a name may be quoted the same way. Braces, `=` and tokens stand apart
// by white space; a name that starts with a brace (a class identifier) is a name.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vistrel {

enum class ScriptError {
    kNone,
    kNameTooLong,     // a replacement name of 32 characters or more
    kUnknownName,     // a replacement name without a binding
    kUnclosedName,    // a % without its closing %
    kSyntax,          // the notation does not hold
};

struct ScriptProblem {
    ScriptError error = ScriptError::kNone;
    std::size_t position = 0;  // byte offset in the text being read
    std::string detail;
};

struct ScriptBinding {
    std::string name;  // compared without regard to case
    std::string text;
};

// Replaces every %NAME% by its binding and %% by %. Names are compared without regard to
// ASCII case and must be shorter than 32 characters.
bool applyReplacements(const std::string& script, const std::vector<ScriptBinding>& bindings, std::string& out,
                       ScriptProblem& problem);

// A text doubled where it holds apostrophes, so that it can stand inside a quoted text.
std::string doubleApostrophes(const std::string& text);

enum class KeyMarker { kNone, kNoRemove, kForceRemove };

struct ScriptValue {
    std::string name;
    std::string data;  // every value is a string
};

struct ScriptKey {
    std::string name;
    KeyMarker marker = KeyMarker::kNone;
    bool hasDefault = false;
    std::string defaultValue;
    std::vector<ScriptValue> values;  // named values, in script order
    std::vector<ScriptKey> subkeys;   // in script order
};

enum class RootKey { kClassesRoot, kCurrentUser, kLocalMachine, kUsers };

struct ScriptRoot {
    RootKey root = RootKey::kClassesRoot;
    std::vector<ScriptKey> keys;
};

// Reads replaced script text into its root blocks.
bool parseScript(const std::string& text, std::vector<ScriptRoot>& roots, ScriptProblem& problem);

}  // namespace vistrel
