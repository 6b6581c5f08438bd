// tolvik_pilot.exe: sets up a running Tolvik from outside, as a player would
// with the mouse, for the scripted demo.
//   tolvik_pilot.exe LOW HIGH    Random on between LOW and HIGH, then Auto on
#include <windows.h>

#include <cwchar>

#include "win32/frm_tolvik.h"
#include "window/layout.h"

namespace {

void Click(HWND window, int id) {
    SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0);
}

void Pick(HWND window, int id, int value) {
    HWND list = GetDlgItem(window, id);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(value - 1), 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    int low = 0, high = 0;
    if (swscanf(commandLine, L"%d %d", &low, &high) != 2 || low < 1 || high > 20 || low > high)
        return 2;
    HWND window = nullptr;
    for (int i = 0; i < 400 && !(window && IsWindowVisible(window)); ++i) {
        window = FindWindowW(tolvik::kFormClassName, nullptr);
        Sleep(50);
    }
    if (!window) return 1;
    Click(window, tolvik::kOptRandomOn);
    Pick(window, tolvik::kCmbLow, low);
    Pick(window, tolvik::kCmbHigh, high);
    Click(window, tolvik::kOptAutoOn);
    return 0;
}
