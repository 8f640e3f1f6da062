// Opening a web address: through the shell, or with the registered handler of ".htm" files
// when the shell has nothing for the address itself.
#pragma once

#include <windows.h>

#include <string>

namespace profiles {

// The shell's or the started program's result number; above 32 means success.
int openUrl(const std::string& address, int show);

// The link error box: why the address could not be opened, by the result number.
void showLinkError(HWND owner, int result);

}  // namespace profiles
