// Tolvik.exe: runs Tolvik over the client's vzdapi.dll.
#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <string>

#include "registration/random_source.h"
#include "win32/ansi_text.h"
#include "win32/app.h"
#include "win32/app_name.h"
#include "win32/library_folders.h"
#include "win32/vzdapi_library.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    tolvik::SearchLibraryFoldersOnly();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    tolvik::VzdapiLibrary library;
    tolvik::ClockSeededRandom random;
    tolvik::SteadyClock clock;
    try {
        return tolvik::RunTolvik(
            instance, library, random, clock,
            tolvik::WideToAnsi(tolvik::AppNameFromPath(tolvik::ExecutablePath())), showCommand);
    } catch (const tolvik::LibraryError& error) {
        MessageBoxW(nullptr, error.message().c_str(), L"Tolvik", MB_OK | MB_ICONERROR);
        return tolvik::kExitLibraryError;
    } catch (const std::exception& error) {  // from start-up, before any window procedure
        MessageBoxW(nullptr, tolvik::FailurePrompt(error.what()).c_str(), L"Tolvik",
                    MB_OK | MB_ICONERROR);
        return tolvik::kExitHandlerFailed;
    }
}
