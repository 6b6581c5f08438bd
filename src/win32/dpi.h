// The DPI a window is shown at, and what depends on it: the frame around a
// client area and the message font. The per-monitor functions are used where
// Windows has them; older versions get the system's DPI.
#pragma once

#include <windows.h>

namespace tolvik {

// The DPI the system's metrics and fonts are given for.
int SystemDpi();
// The DPI of the monitor a window is on.
int WindowDpi(HWND window);
// The window rectangle around a client area of `width` by `height` pixels
// for a window of these styles at `dpi`.
RECT WindowRectForClient(int width, int height, DWORD style, DWORD exStyle, int dpi);
// The system's message font at `dpi`, as the user's text size sets it.
LOGFONTW MessageLogFont(int dpi);

}  // namespace tolvik
