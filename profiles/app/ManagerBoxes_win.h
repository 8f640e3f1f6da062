// The message boxes of the profile manager's dialogs: string 104 as caption and one of the
// house styles.
#pragma once

#include "ProfilesView.h"

#include <windows.h>

#include <string>

namespace profiles {

// OK with an exclamation icon.
void warnBox(HWND owner, const std::string& text);
// Yes/No in the given style; true for Yes.
bool questionBox(HWND owner, const std::string& text, Question style);

}  // namespace profiles
