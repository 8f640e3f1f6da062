// The Windows ANSI code pages the drawing library knows, by its own code page ids.
// The services name the process's code page through this table.
#pragma once

#include "dwg/OdCodePage.h"

namespace vistrel {

// The id for a Windows code page; CP_UNDEFINED (0) for any page not in the table.
OdCodePageId codePageIdForWindows(unsigned windowsCodePage);

}  // namespace vistrel
