#include "client/library_search.h"

namespace tolvik {
namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// A drive's full path (C:\...) or a network one (\\server\share\...).
bool IsFullPath(std::wstring_view path) {
    const bool drive = path.size() >= 3 && ((path[0] | 0x20) >= L'a' && (path[0] | 0x20) <= L'z') &&
                       path[1] == L':' && IsSeparator(path[2]);
    const bool network = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]);
    return drive || network;
}

}  // namespace

std::vector<std::wstring> LibrarySearchFolders(std::wstring_view executablePath,
                                               std::wstring_view systemFolder) {
    std::vector<std::wstring> folders;
    const std::size_t lastSeparator = executablePath.find_last_of(L"\\/");
    if (IsFullPath(executablePath) && lastSeparator != std::wstring_view::npos)
        folders.emplace_back(executablePath.substr(0, lastSeparator + 1));
    if (IsFullPath(systemFolder)) {
        folders.emplace_back(systemFolder);
        if (!IsSeparator(folders.back().back())) folders.back() += L'\\';
    }
    return folders;
}

}  // namespace tolvik
