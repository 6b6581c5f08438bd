// Where the client's library may be loaded from, as a plain rule over the
// paths Windows reports: Tolvik's own folder, then the system folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvik {

// The folders to look in, in order, each ending in a backslash: the folder of
// `executablePath`, then `systemFolder`. A path that Windows could not tell
// (empty) or that is not a full one is left out: a relative name would be
// looked up from the current folder, which a shortcut or a download folder
// may have set.
std::vector<std::wstring> LibrarySearchFolders(std::wstring_view executablePath,
                                               std::wstring_view systemFolder);

}  // namespace tolvik
