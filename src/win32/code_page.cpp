#include "win32/code_page.h"

namespace tolvik {

unsigned NarrowingFlags(unsigned codePage) {
    const bool iso2022 = codePage >= 50220 && codePage <= 50229;
    const bool iscii = codePage >= 57002 && codePage <= 57011;
    const bool takesNoFlags = iso2022 || iscii || codePage == 42 || codePage == 52936 ||
                              codePage == 54936 || codePage == 65000 || codePage == 65001;
    return takesNoFlags ? 0u : kNoBestFitChars;
}

}  // namespace tolvik
