// Where vzdapi.dll is looked for.
#include "client/library_search.h"

#include <gtest/gtest.h>

namespace tolvik {

TEST(LibrarySearch, OnlyFullPathsOfTheTwoFolders) {
    // Tolvik's path, the system folder -> where vzdapi.dll is looked for:
    // never a relative name, never the current drive's root.
    // clang-format off
    const std::pair<std::pair<const wchar_t*, const wchar_t*>, std::vector<std::wstring>> folders[] = {
        {{L"A:\\VZ\\Tolvik.exe", L"z:/Windows/"}, {L"A:\\VZ\\", L"z:/Windows/"}},
        {{L"\\\\pc\\vz\\Tolvik.exe", L"C:\\Windows\\system32"}, {L"\\\\pc\\vz\\", L"C:\\Windows\\system32\\"}},
        {{L"", L"\\"}, {}}, {{L"a\\Tolvik.exe", L"1:\\Windows"}, {}}, {{L"C:Tolvik.exe", L"{:\\Windows"}, {}}};
    // clang-format on
    for (const auto& [paths, want] : folders)
        EXPECT_EQ(LibrarySearchFolders(paths.first, paths.second), want) << paths.first;
}

}  // namespace tolvik
