// What the ANSI code page allows when Windows converts UTF-16 text into it.
// Plain rules, no Windows header: built and tested natively too.
#pragma once

namespace tolvik {

// WideCharToMultiByte's WC_NO_BEST_FIT_CHARS, which the Windows side checks
// against its header.
constexpr unsigned kNoBestFitChars = 0x400;

// The flags for converting UTF-16 text into `codePage`: no best-fit
// characters, so that a character the code page lacks becomes '?' and never
// a look-alike. The UTF code pages, GB 18030, the ISO 2022 and ISCII
// families, and the symbol page take no such flag (only 0 or "error on
// invalid characters") and fail on any other; they get 0.
unsigned NarrowingFlags(unsigned codePage);

}  // namespace tolvik
