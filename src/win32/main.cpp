// Tolvik.exe: runs Tolvik over the client's vzdapi.dll.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "registration/random_source.h"
#include "win32/app.h"
#include "win32/vzdapi_library.h"
#include "window/tolvik.h"

namespace {

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
    try {
        return tolvik::RunTolvik(instance, library, random,
                                 tolvik::AppNameFromPath(ExecutablePath()), showCommand);
    } catch (const tolvik::LibraryError& error) {
        MessageBoxA(nullptr, error.what(), "Tolvik", MB_OK | MB_ICONERROR);
        return tolvik::kExitLibraryError;
    }
}
