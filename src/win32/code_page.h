// What the ANSI code page allows when Windows converts UTF-16 text into it.
// Plain rules, no Windows header: built and tested natively too.
#pragma once

namespace tolvik {

// Whether conversions into `codePage` take flags such as "no best-fit
// characters" and report characters they had to replace. The UTF code pages,
// GB 18030, the ISO 2022 and ISCII families, and the symbol page take only
// the flags 0 or "error on invalid characters", and fail on any other.
bool CodePageTakesConversionFlags(unsigned codePage);

}  // namespace tolvik
