// Text between Windows' UTF-16 and the ANSI code page that the client and
// Tolvik's core speak (and the practice room, which stands in for the
// client). Characters the code page lacks become '?', never a look-alike: a
// full-width digit is not the digit the user typed.
#pragma once

#include <string>

namespace tolvik {

std::wstring AnsiToWide(const std::string& ansi);
std::string WideToAnsi(const std::wstring& wide);

}  // namespace tolvik
