// What the handlers are doing and what waits: every move from every phase.
#include "window/form_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tolvik {

using Phase = FormState::Phase;
using Press = FormState::Press;

TEST(FormState, EveryMoveFromEveryPhase) {
    const char* const phases[] = {"Idle",       "StartingUp", "Pressing", "Ticking",
                                  "TickingOff", "Closing",    "Closed"};
    // clang-format off
    const struct { const char* name; std::function<bool(FormState&)> make; } moves[] = {
        {"start-up", [](FormState& s) { return s.BeginStartUp(); }},
        {"Register", [](FormState& s) { return s.BeginPress(Press::Register); }},
        {"Get Host", [](FormState& s) { return s.BeginPress(Press::GetHost); }},
        {"Get Host, Register", [](FormState& s) { return s.BeginPress(Press::GetHost) | s.BeginPress(Press::Register); }},
        {"tick", [](FormState& s) { return s.BeginTick(); }},
        {"Auto On", [](FormState& s) { return s.ChooseAutoDuringTick(true), false; }},
        {"Auto Off", [](FormState& s) { return s.ChooseAutoDuringTick(false), false; }},
        {"work ends", [](FormState& s) { return s.EndWork(); }},
        {"close", [](FormState& s) { return s.Close(); }},
    };
    // From each phase (reached by the moves `via`), what each move above
    // leaves: "-" when it is refused (nothing changes), else "yes " when the
    // move says so (its work begins; the library is to be detached now), the
    // phase after, and the press that now waits.
    const struct { Phase from; std::vector<int> via; std::vector<const char*> after; } cases[] = {
        {Phase::Idle, {}, {"yes StartingUp", "yes Pressing", "yes Pressing", "yes Pressing Register", "yes Ticking", "-", "-", "-", "yes Closed"}},
        {Phase::StartingUp, {0}, {"-", "-", "-", "-", "-", "-", "-", "Idle", "Closing"}},
        {Phase::Pressing, {2}, {"-", "Pressing Register", "Pressing GetHost", "Pressing Register", "-", "-", "-", "Idle", "Closing"}},
        {Phase::Ticking, {4}, {"-", "Ticking Register", "Ticking GetHost", "Ticking Register", "-", "-", "TickingOff", "Idle", "Closing"}},
        {Phase::TickingOff, {4, 6}, {"-", "TickingOff Register", "TickingOff GetHost", "TickingOff Register", "-", "Ticking", "-", "Idle", "Closing"}},
        {Phase::Closing, {4, 8}, {"-", "-", "-", "-", "-", "-", "-", "yes Closed", "-"}},
        {Phase::Closed, {8}, {"-", "-", "-", "-", "-", "-", "-", "-", "-"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        const char* const from = phases[static_cast<int>(c.from)];
        FormState s;
        for (const int m : c.via) moves[m].make(s);
        ASSERT_EQ(phases[static_cast<int>(s.Current())], from);
        for (std::size_t m = 0; m < std::size(moves); ++m) {
            FormState after = s;
            const bool yes = moves[m].make(after);
            const auto press = after.PopPress();
            const std::string left =
                !yes && after.Current() == s.Current() && !press
                    ? "-"
                    : (yes ? "yes " : "") + std::string(phases[static_cast<int>(after.Current())]) +
                          (press ? *press == Press::Register ? " Register" : " GetHost" : "");
            EXPECT_EQ(left, c.after[m]) << from << ", then " << moves[m].name;
        }
    }
}

}  // namespace tolvik
