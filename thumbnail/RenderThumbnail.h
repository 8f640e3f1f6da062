// The thumbnail of a drawing: its stored preview's central part with the colour bar, or
// the no-thumbnail picture, as a new bitmap of exactly the requested size that belongs to
// the caller. Windows only (GDI).
#pragma once

#include <windows.h>

#include "dwg/OdString.h"

namespace vistrel {

// Starts and stops the drawing library for this one call. Every failure to get a preview
// ends in the no-thumbnail picture; only a failure of the library's start is raised
// (as OdError). Null when no bitmap of that size can be made (also for sizes <= 0).
HBITMAP renderThumbnail(int width, int height, const char* path);
// The same for a path given as the library's wide string (the file is opened with it as
// it stands, so names outside the ANSI code page work too).
HBITMAP renderThumbnail(int width, int height, const OdString& path);

// The no-thumbnail picture alone.
HBITMAP drawNoThumbnail(int width, int height);

}  // namespace vistrel
