// The library's wide string and its narrow companion. Paths, file names and message texts
// cross the library boundary as OdString; narrow forms are made for one code page.
#pragma once

#include <cstdarg>
#include <string>

#include "dwg/OdCodePage.h"
#include "dwg/OdTypes.h"

class OdString {
public:
    OdString() = default;
    OdString(const OdChar* text) : text_(text ? text : L"") {}
    OdString(const std::wstring& text) : text_(text) {}
    // Narrow text in the given code page.
    OdString(const char* text, OdCodePageId codePage);

    const OdChar* c_str() const { return text_.c_str(); }
    operator const OdChar*() const { return text_.c_str(); }
    const std::wstring& wide() const { return text_; }
    int getLength() const { return static_cast<int>(text_.size()); }
    bool isEmpty() const { return text_.empty(); }
    int find(OdChar ch) const;

    OdString& operator+=(const OdString& other) { text_ += other.text_; return *this; }
    OdString operator+(const OdString& other) const { return OdString(text_ + other.text_); }
    bool operator==(const OdString& other) const { return text_ == other.text_; }
    bool operator!=(const OdString& other) const { return text_ != other.text_; }

    // printf-style formatting with the library's conventions: "%s" and "%ls" both take a
    // wide string (const OdChar*), "%hs" a narrow one; integer and floating conversions
    // as in C. Unknown conversions are copied literally.
    OdString& format(const OdChar* pattern, ...);
    OdString& formatV(const OdChar* pattern, va_list args);

private:
    std::wstring text_;
};

// Narrow text made from an OdString in one code page.
class OdAnsiString {
public:
    OdAnsiString() = default;
    OdAnsiString(const char* text) : text_(text ? text : "") {}
    OdAnsiString(const OdString& text, OdCodePageId codePage);
    const char* c_str() const { return text_.c_str(); }
    operator const char*() const { return text_.c_str(); }
    int getLength() const { return static_cast<int>(text_.size()); }
    bool isEmpty() const { return text_.empty(); }

private:
    std::string text_;
};
