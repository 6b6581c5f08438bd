// The rules for number texts shared by the whole window: whether a text reads
// as a number, its whole value, and how a drawn number is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tolvik {

// Magnitudes at or beyond this are reported as this, with their sign. Every
// comparison the window makes (against 1..20, between list items) stays exact.
constexpr long long kWholeValueLimit = 1000000000000000000LL;

// The whole value of a numeric text, rounded to the nearest whole number with
// halves going to the even neighbour, or nothing when the text is not numeric.
// A numeric text is: blanks (space, tab) around it, an optional sign, at least
// one digit and at most one '.', which may stand anywhere among the digits.
// The decimal text is worked on exactly, whatever its length.
std::optional<long long> WholeValue(std::string_view text);

inline bool NumericText(std::string_view text) {
    return WholeValue(text).has_value();
}

// Plain decimal digits, no sign, blank or leading zero.
std::string DecimalText(int number);

}  // namespace tolvik
