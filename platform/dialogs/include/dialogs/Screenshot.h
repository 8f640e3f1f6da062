// Pictures of windows for tests and demonstrations: the window as it stands on the screen,
// read back through GDI.
#pragma once

#include "dialogs/Png.h"

#include <windows.h>

namespace dlg {

// The pixels of `hwnd`'s window rectangle (client area only when `clientOnly`). False when
// the window has no size or the pixels cannot be read.
bool captureWindow(HWND hwnd, RgbImage& image, bool clientOnly = false);

// Pumps the thread's pending messages (paints included), so a window shows its final state.
void pumpMessages(DWORD milliseconds = 0);

}  // namespace dlg
