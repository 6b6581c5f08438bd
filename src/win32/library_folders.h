// Where Tolvik takes libraries from: its own folder, then the system folder.
// Never the current folder, which a shortcut or a download folder may have
// set, and never, for the client's library, the folders of PATH.
#pragma once

#include <string>
#include <vector>

namespace tolvik {

// Tolvik's own path, however long: a path cut at MAX_PATH would give a wrong
// folder and a wrong name.
std::wstring ExecutablePath();

// The folders a library may come from, in order, each ending in a backslash:
// LibrarySearchFolders of Tolvik's path and the system folder, so only those
// that Windows can tell.
std::vector<std::wstring> LibraryFolders();

// Makes every library the process loads by name come from LibraryFolders.
// Where Windows lacks SetDefaultDllDirectories (Windows 7 without its update)
// the current folder is still left out, but PATH is searched after them;
// the client's library is therefore loaded by its full path instead.
void SearchLibraryFoldersOnly();

}  // namespace tolvik
