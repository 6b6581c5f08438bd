#include "client/library_search.h"

namespace tolvik {
namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// A drive's full path (C:\...) or a network one (\\server\share\...).
bool IsFullPath(std::wstring_view path) {
    const auto at = [path](std::size_t i) { return i < path.size() ? path[i] : L'\0'; };
    const wchar_t letter = static_cast<wchar_t>(at(0) | 0x20);
    const bool drive = letter >= L'a' && letter <= L'z' && at(1) == L':';
    return drive ? IsSeparator(at(2)) : IsSeparator(at(0)) && IsSeparator(at(1));
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
