#include "win32/library_folders.h"

#include <windows.h>

#include "client/library_search.h"

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
    // 0 on failure; the size it needs when the buffer is too small.
    std::wstring system(MAX_PATH, L'\0');
    UINT n = GetSystemDirectoryW(system.data(), static_cast<UINT>(system.size()));
    if (n >= system.size()) {
        system.resize(n);
        n = GetSystemDirectoryW(system.data(), static_cast<UINT>(system.size()));
    }
    system.resize(n < system.size() ? n : 0);
    return LibrarySearchFolders(ExecutablePath(), system);
}

void SearchLibraryFoldersOnly() {
    using SetDefaultFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) SetDllDirectoryW(L"");
}

}  // namespace tolvik
