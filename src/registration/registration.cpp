#include "registration/registration.h"

#include "registration/number_text.h"

namespace tolvik {
namespace {

Registration Drawn(int number) {
    return {Registration::Kind::Send, DecimalText(number), true};
}

// The typed text goes out as it stands, neither reformatted nor range-checked.
Registration Typed(const std::string& typed) {
    if (!NumericText(typed)) return {Registration::Kind::AskForNumber, "", false};
    return {Registration::Kind::Send, typed, false};
}

long long Bound(const std::string& text, long long unpicked) {
    return WholeValue(text).value_or(unpicked);
}

}  // namespace

Registration ManualRegistration(bool randomMode, const std::string& typed, RandomSource& random) {
    return randomMode ? Drawn(DrawOneToTwenty(random)) : Typed(typed);
}

Registration AutoRegistration(const TickInputs& in, RandomSource& random) {
    // An ESP to nobody reaches nobody, and would repeat every tick.
    if (!in.latest.AnnouncedByPlayer() || in.host.empty()) return {};
    if (in.latest.announcement < LastEchoPosition(in.text, in.host)) return {};  // entered
    if (const auto again = in.sent.EspAlreadySent(in.text, in.latest, in.now)) {
        if (!again->resendDue) return {};
        return {Registration::Kind::Send, again->number, false};
    }
    if (!in.randomMode) return Typed(in.typed);
    const long long low = Bound(in.low, 0);
    const long long high = Bound(in.high, 21);
    if (low == high) return {Registration::Kind::Fill, in.low, false};
    const auto r = DrawBetween(random, low, high);
    if (!r) return {};  // no whole number lies strictly between the bounds
    return Drawn(*r);
}

}  // namespace tolvik
