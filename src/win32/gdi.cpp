#include "win32/gdi.h"

#include <windows.h>

namespace tolvik {

SIZE TextSize(HWND window, HFONT font) {
    wchar_t text[256];
    const int length = GetWindowTextW(window, text, 256);
    const WindowDc dc(window);
    const Selected selected(dc, font);
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, text, length, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return {rect.right, rect.bottom};
}

}  // namespace tolvik
