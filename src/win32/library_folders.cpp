#include "win32/library_folders.h"

#include <windows.h>

namespace tolvik {

std::wstring ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) return path.substr(0, n);
        path.resize(path.size() * 2);
    }
}

std::vector<std::wstring> LibraryFolders() {
    const std::wstring own = ExecutablePath();
    wchar_t system[MAX_PATH];
    const UINT n = GetSystemDirectoryW(system, MAX_PATH);
    return {own.substr(0, own.find_last_of(L"\\/") + 1), std::wstring(system, n) + L"\\"};
}

void SearchLibraryFoldersOnly() {
    using SetDefaultFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) SetDllDirectoryW(L"");
}

}  // namespace tolvik
