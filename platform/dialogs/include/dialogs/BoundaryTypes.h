// The framework's string and window classes as they cross from one module to another, in
// the signatures of exported functions. Every module links its own copy of the framework
// and of the C++ runtime, so both layouts are fixed here, once, and checked:
// - String is one pointer: null for the empty text, otherwise a NUL-terminated narrow text
//   on the process heap. Whichever module assigns or destroys it frees the old text there,
//   so a string filled by a library is safe to keep and destroy in the program.
// - A window crosses as a pointer to the framework's Window, read only through hwnd(): the
//   handle sits right after the object's one virtual-table pointer.
#pragma once

#include "dialogs/Window.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <string>
#include <utility>

namespace dlg {

class String {
public:
    String() = default;
    String(const char* text) { assign(text, text ? std::strlen(text) : 0); }  // NOLINT
    String(const std::string& text) { assign(text.data(), text.size()); }       // NOLINT
    String(const String& other) : String(other.c_str()) {}
    String(String&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    ~String() { release(text_); }

    String& operator=(const String& other) {
        if (this != &other) assign(other.c_str(), other.length());
        return *this;
    }
    String& operator=(String&& other) noexcept {
        std::swap(text_, other.text_);
        return *this;
    }
    String& operator=(const char* text) {
        assign(text, text ? std::strlen(text) : 0);
        return *this;
    }
    String& operator=(const std::string& text) {
        assign(text.data(), text.size());
        return *this;
    }

    const char* c_str() const { return text_ ? text_ : ""; }
    std::size_t length() const { return text_ ? std::strlen(text_) : 0; }
    bool empty() const { return !text_ || !*text_; }
    std::string str() const { return c_str(); }
    void clear() { release(std::exchange(text_, nullptr)); }

private:
    // Copies first and frees afterwards, so assigning a part of itself works and a failed
    // allocation leaves the string as it was (and throws, as the runtime's strings do).
    void assign(const char* text, std::size_t length) {
        char* copy = nullptr;
        if (length) {
            copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), 0, length + 1));
            if (!copy) throw std::bad_alloc();
            std::memcpy(copy, text, length);
            copy[length] = '\0';
        }
        release(std::exchange(text_, copy));
    }
    static void release(char* text) {
        if (text) HeapFree(GetProcessHeap(), 0, text);
    }

    char* text_ = nullptr;
};

static_assert(sizeof(String) == sizeof(void*), "a string crosses modules as one pointer");
static_assert(sizeof(Window) == 2 * sizeof(void*),
              "a window crosses modules as a virtual-table pointer and its handle");

// The handle behind a window handed to an export; null for no window.
inline HWND handleOf(const Window* window) {
    return window ? window->hwnd() : nullptr;
}

}  // namespace dlg
