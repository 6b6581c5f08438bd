// Tolvik.exe: creates frmTolvik, runs its start-up, and its message loop
// until the window is gone.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "client/vzdapi_library.h"
#include "registration/random_source.h"
#include "window/frm_tolvik.h"
#include "window/tolvik.h"

namespace {

constexpr int kExitNoClient = 1;
constexpr int kExitLibraryError = 2;
constexpr int kExitWindowFailed = 3;

std::string ExecutablePath() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    tolvik::VzdapiLibrary library;
    tolvik::ClockSeededRandom random;
    tolvik::FrmTolvik form(instance);
    if (!form.Create()) return kExitWindowFailed;
    tolvik::Tolvik handlers(form, library, random, tolvik::AppNameFromPath(ExecutablePath()));
    form.Attach(handlers);

    try {
        if (!handlers.Form_Load()) {
            // No client: the user was told, the window is closed.
            form.RunMessageLoop();
            return kExitNoClient;
        }
    } catch (const tolvik::LibraryError& error) {
        MessageBoxA(nullptr, error.what(), "Tolvik", MB_OK | MB_ICONERROR);
        return kExitLibraryError;
    }
    form.Show(showCommand);
    return form.RunMessageLoop();
}
