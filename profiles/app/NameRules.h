// Text rules of the profile manager's dialogs that need no window: which profile names the
// name dialog accepts, the name proposed for an imported file, and filling the string
// placeholders of resource texts without handing them to printf.
#pragma once

#include <string>
#include <vector>

namespace profiles {

// The characters a profile name may not hold (27 of them).
constexpr char kForbiddenNameCharacters[] = "&@*?^:;.,\"\\|/!~`'$%(){}[]+=";

enum class NameCheck { Ok, Empty, Forbidden };

// True for the first byte of a two-byte character in the narrow character set.
using NameLeadByteTest = bool (*)(unsigned char byte);

// Blanks, hyphens, underscores, digits and letters of any script pass; nothing is trimmed.
// With `isLeadByte`, the second byte of a two-byte character is never taken for one of the
// forbidden characters.
NameCheck checkProfileName(const std::string& name, NameLeadByteTest isLeadByte = nullptr);

// The file's name without folder and extension: "C:\dir\Work.arg" gives "Work".
std::string fileTitle(const std::string& path);

// Each "%s" of `format` takes the next argument (none left: it stays as written), "%%"
// becomes "%", anything else stays as written.
std::string fillStrings(const std::string& format, const std::vector<std::string>& args);

}  // namespace profiles
