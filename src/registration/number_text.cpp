#include "registration/number_text.h"

namespace tolvik {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<long long> WholeValue(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    std::string_view body = text.substr(begin, end - begin);

    bool negative = false;
    if (!body.empty() && (body[0] == '+' || body[0] == '-')) {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }

    const std::size_t point = body.find('.');
    const std::string_view whole = body.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
    if (whole.empty() && fraction.empty()) return std::nullopt;
    for (char c : whole)
        if (!IsDigit(c)) return std::nullopt;
    for (char c : fraction)
        if (!IsDigit(c)) return std::nullopt;

    long long magnitude = 0;
    bool saturated = false;
    for (char c : whole) {
        if (saturated) break;
        // One more digit after kWholeValueLimit / 10 reaches the limit.
        if (magnitude >= kWholeValueLimit / 10)
            saturated = true;
        else
            magnitude = magnitude * 10 + (c - '0');
    }
    if (saturated) return negative ? -kWholeValueLimit : kWholeValueLimit;

    // Round half to even on the exact decimal fraction.
    if (!fraction.empty()) {
        const char first = fraction[0];
        bool up = first > '5';
        if (first == '5') {
            bool beyondHalf = false;
            for (char c : fraction.substr(1))
                if (c != '0') beyondHalf = true;
            up = beyondHalf || (magnitude % 2 == 1);
        }
        if (up) ++magnitude;
    }
    return negative ? -magnitude : magnitude;
}

std::string DecimalText(int number) {
    return std::to_string(number);
}

}  // namespace tolvik
