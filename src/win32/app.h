// Tolvik's life in Win32 terms: the window, its start-up and its message
// loop, over whichever client library it is given.
#pragma once

#include <windows.h>

#include <string>

#include "client/client_library.h"
#include "registration/random_source.h"
#include "window/clock.h"

namespace tolvik {

constexpr int kExitNoClient = 1;
constexpr int kExitLibraryError = 2;
constexpr int kExitWindowFailed = 3;
constexpr int kExitHandlerFailed = 4;

// What the user is told when Tolvik cannot go on (kExitHandlerFailed).
std::wstring FailurePrompt(const std::string& what);

// Runs Tolvik until its window is gone and gives the process's exit code.
// What the library throws at start-up passes through, with the window gone
// and the handlers never called again; what a handler throws later ends
// Tolvik with a box (kExitHandlerFailed).
int RunTolvik(HINSTANCE instance, ClientLibrary& library, RandomSource& random, Clock& clock,
              const std::string& appName, int showCommand);

}  // namespace tolvik
