// Registration script: replacements over the raw text, then tokens, then the key tree.
// The reader is strict: anything it does not understand is a syntax problem with its
// position, never a key written by guesswork.
#include "RegistrationScript.h"

#include <cctype>

namespace vistrel {

namespace {

constexpr std::size_t kNameLimit = 32;

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool problemAt(ScriptProblem& problem, ScriptError error, std::size_t position, std::string detail) {
    problem.error = error;
    problem.position = position;
    problem.detail = std::move(detail);
    return false;
}

// ---------------------------------------------------------------- tokens

enum class TokenKind { kEnd, kOpen, kClose, kEquals, kWord, kQuoted };

struct Token {
    TokenKind kind = TokenKind::kEnd;
    std::string text;
    std::size_t position = 0;
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

class Tokens {
public:
    explicit Tokens(const std::string& text) : text_(text) {}

    // The next token; false with a problem for an unclosed quoted text.
    bool next(Token& token, ScriptProblem& problem) {
        while (at_ < text_.size() && isSpace(text_[at_])) ++at_;
        token = Token();
        token.position = at_;
        if (at_ >= text_.size()) return true;
        const char c = text_[at_];
        const bool standsAlone = at_ + 1 >= text_.size() || isSpace(text_[at_ + 1]);
        if (c == '{' && standsAlone) return single(token, TokenKind::kOpen);
        if (c == '}') return single(token, TokenKind::kClose);
        if (c == '=') return single(token, TokenKind::kEquals);
        if (c == '\'') return quoted(token, problem);
        token.kind = TokenKind::kWord;
        // A name that opens with a brace runs to the next space; others end at punctuation.
        const bool braced = c == '{';
        while (at_ < text_.size() && !isSpace(text_[at_]) && text_[at_] != '=' && text_[at_] != '\'' &&
               (braced || (text_[at_] != '{' && text_[at_] != '}')))
            token.text += text_[at_++];
        return true;
    }

private:
    bool single(Token& token, TokenKind kind) {
        token.kind = kind;
        token.text = text_.substr(at_++, 1);
        return true;
    }
    bool quoted(Token& token, ScriptProblem& problem) {
        token.kind = TokenKind::kQuoted;
        ++at_;
        while (at_ < text_.size()) {
            if (text_[at_] == '\'') {
                if (at_ + 1 < text_.size() && text_[at_ + 1] == '\'') {
                    token.text += '\'';
                    at_ += 2;
                    continue;
                }
                ++at_;
                return true;
            }
            token.text += text_[at_++];
        }
        return problemAt(problem, ScriptError::kSyntax, token.position, "quoted text without its closing apostrophe");
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

// ---------------------------------------------------------------- key tree

class Reader {
public:
    Reader(const std::string& text, ScriptProblem& problem) : tokens_(text), problem_(problem) {}

    bool script(std::vector<ScriptRoot>& roots) {
        if (!advance()) return false;
        while (current_.kind != TokenKind::kEnd) {
            ScriptRoot root;
            if (current_.kind != TokenKind::kWord || !rootKey(current_.text, root.root))
                return fail("a root key name (HKCR, HKCU, HKLM, HKU)");
            if (!advance()) return false;
            if (current_.kind != TokenKind::kOpen) return fail("'{' after the root key");
            if (!advance() || !block(root.keys, nullptr)) return false;
            roots.push_back(std::move(root));
        }
        return true;
    }

private:
    static bool rootKey(const std::string& name, RootKey& root) {
        struct Name { const char* shortName; const char* longName; RootKey key; };
        static const Name kNames[] = {{"HKCR", "HKEY_CLASSES_ROOT", RootKey::kClassesRoot},
                                      {"HKCU", "HKEY_CURRENT_USER", RootKey::kCurrentUser},
                                      {"HKLM", "HKEY_LOCAL_MACHINE", RootKey::kLocalMachine},
                                      {"HKU", "HKEY_USERS", RootKey::kUsers}};
        for (const Name& n : kNames)
            if (sameName(name, n.shortName) || sameName(name, n.longName)) {
                root = n.key;
                return true;
            }
        return false;
    }

    bool advance() { return tokens_.next(current_, problem_); }
    bool fail(const std::string& expected) {
        return problemAt(problem_, ScriptError::kSyntax, current_.position,
                         "expected " + expected + (current_.kind == TokenKind::kEnd ? " at the end" : ", found '" + current_.text + "'"));
    }
    bool isWord(const char* word) const { return current_.kind == TokenKind::kWord && sameName(current_.text, word); }

    // `= s 'text'`, the current token being the `=`.
    bool stringValue(std::string& data) {
        if (!advance()) return false;
        if (!isWord("s")) return fail("the type letter s (only string values are written)");
        if (!advance()) return false;
        if (current_.kind != TokenKind::kQuoted) return fail("a quoted text");
        data = current_.text;
        return advance();
    }

    // Keys (and, inside a key, its named values) up to the closing brace, which is consumed.
    bool block(std::vector<ScriptKey>& keys, std::vector<ScriptValue>* values) {
        while (current_.kind != TokenKind::kClose) {
            if (current_.kind == TokenKind::kEnd) return fail("'}'");
            if (values && isWord("val")) {
                ScriptValue v;
                if (!advance()) return false;
                if (current_.kind != TokenKind::kWord && current_.kind != TokenKind::kQuoted) return fail("a value name");
                v.name = current_.text;
                if (!advance()) return false;
                if (current_.kind != TokenKind::kEquals) return fail("'=' after the value name");
                if (!stringValue(v.data)) return false;
                values->push_back(std::move(v));
                continue;
            }
            ScriptKey key;
            if (!this->key(key)) return false;
            keys.push_back(std::move(key));
        }
        return advance();
    }

    bool key(ScriptKey& key) {
        if (isWord("NoRemove") || isWord("ForceRemove")) {
            key.marker = isWord("NoRemove") ? KeyMarker::kNoRemove : KeyMarker::kForceRemove;
            if (!advance()) return false;
        }
        if (current_.kind != TokenKind::kWord && current_.kind != TokenKind::kQuoted) return fail("a key name");
        if (current_.text.empty()) return fail("a key name that is not empty");
        key.name = current_.text;
        if (!advance()) return false;
        if (current_.kind == TokenKind::kEquals) {
            key.hasDefault = true;
            if (!stringValue(key.defaultValue)) return false;
        }
        if (current_.kind == TokenKind::kOpen) {
            if (!advance()) return false;
            return block(key.subkeys, &key.values);
        }
        return true;
    }

    Tokens tokens_;
    ScriptProblem& problem_;
    Token current_;
};

}  // namespace

bool applyReplacements(const std::string& script, const std::vector<ScriptBinding>& bindings, std::string& out,
                       ScriptProblem& problem) {
    out.clear();
    out.reserve(script.size());
    for (std::size_t i = 0; i < script.size(); ++i) {
        if (script[i] != '%') {
            out += script[i];
            continue;
        }
        if (i + 1 < script.size() && script[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        const std::size_t start = i + 1;
        std::size_t end = start;
        while (end < script.size() && script[end] != '%') {
            if (end - start + 1 >= kNameLimit)
                return problemAt(problem, ScriptError::kNameTooLong, i, "replacement name of 32 characters or more");
            ++end;
        }
        if (end >= script.size()) return problemAt(problem, ScriptError::kUnclosedName, i, "'%' without its closing '%'");
        const std::string name = script.substr(start, end - start);
        const ScriptBinding* found = nullptr;
        for (const ScriptBinding& b : bindings)
            if (sameName(b.name, name)) found = &b;
        if (!found) return problemAt(problem, ScriptError::kUnknownName, i, "no replacement for %" + name + "%");
        out += found->text;
        i = end;
    }
    return true;
}

std::string doubleApostrophes(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

bool parseScript(const std::string& text, std::vector<ScriptRoot>& roots, ScriptProblem& problem) {
    roots.clear();
    Reader reader(text, problem);
    if (reader.script(roots)) return true;
    roots.clear();
    return false;
}

}  // namespace vistrel
