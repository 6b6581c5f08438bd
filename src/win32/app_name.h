// The name Tolvik gives itself when it attaches to the client. Plain rules,
// no Windows header, so the native build compiles it with the core; the
// Window suite checks it, through the name an exe renamed by hand gives.
#pragma once

#include <string>

namespace tolvik {

// The executable's file name without directory and extension, taken from its
// UTF-16 path: split there, a double-byte ANSI name keeps every byte.
std::wstring AppNameFromPath(const std::wstring& path);

}  // namespace tolvik
