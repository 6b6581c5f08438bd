#include "win32/ansi_text.h"

#include <windows.h>

namespace tolvik {
namespace {

// The flags for converting UTF-16 text into `codePage`: no best-fit
// characters, so that a character the code page lacks becomes '?' and never
// a look-alike. The UTF code pages, GB 18030, the ISO 2022 and ISCII
// families, and the symbol page take no such flag (only 0 or "error on
// invalid characters") and fail on any other; they get 0.
DWORD NarrowingFlags(UINT codePage) {
    const bool iso2022 = codePage >= 50220 && codePage <= 50229;
    const bool iscii = codePage >= 57002 && codePage <= 57011;
    const bool takesNoFlags = iso2022 || iscii || codePage == 42 || codePage == 52936 ||
                              codePage == 54936 || codePage == 65000 || codePage == 65001;
    return takesNoFlags ? 0 : WC_NO_BEST_FIT_CHARS;
}

}  // namespace

std::wstring AnsiToWide(const std::string& ansi) {
    if (ansi.empty()) return std::wstring();
    const int size = static_cast<int>(ansi.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), n);
    return wide;
}

std::string WideToAnsi(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    // No look-alikes where the code page allows saying so; UTF-8 and its kin
    // take no such flag, and hold every character anyway.
    const DWORD flags = NarrowingFlags(GetACP());
    const int size = static_cast<int>(wide.size());
    const int n =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    // A text that cannot be converted reads as no number and no name, never
    // as an empty box.
    if (n <= 0) return std::string(wide.size(), '?');
    std::string ansi(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), size, ansi.data(), n, nullptr, nullptr);
    return ansi;
}

}  // namespace tolvik
