// Tolvik.exe: runs Tolvik over the client's vzdapi.dll.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "registration/random_source.h"
#include "win32/ansi_text.h"
#include "win32/app.h"
#include "win32/vzdapi_library.h"
#include "window/tolvik.h"

namespace {

// The full path, however long: a path cut at MAX_PATH would give a wrong name.
std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) return path.substr(0, n);
        path.resize(path.size() * 2);
    }
}

// Libraries come from Tolvik's own folder and the system's, never from the
// current folder, which a shortcut or a download folder may have set.
void SearchSafeFoldersOnly() {
    using SetDefaultFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) SetDllDirectoryW(L"");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    SearchSafeFoldersOnly();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    tolvik::VzdapiLibrary library;
    tolvik::ClockSeededRandom random;
    try {
        return tolvik::RunTolvik(instance, library, random,
                                 tolvik::Narrow(tolvik::AppNameFromPath(ExecutablePath())),
                                 showCommand);
    } catch (const tolvik::LibraryError& error) {
        MessageBoxA(nullptr, error.what(), "Tolvik", MB_OK | MB_ICONERROR);
        return tolvik::kExitLibraryError;
    }
}
