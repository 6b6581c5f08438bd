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
    const struct {
        const char* name;
        std::function<bool(FormState&)> make;
    } moves[] = {
        {"start-up", [](FormState& s) { return s.BeginStartUp(); }},
        {"Register", [](FormState& s) { return s.BeginPress(Press::Register); }},
        {"Get Host", [](FormState& s) { return s.BeginPress(Press::GetHost); }},
        {"tick", [](FormState& s) { return s.BeginTick(); }},
        {"Auto On", [](FormState& s) { return s.ChooseAutoDuringTick(true), false; }},
        {"Auto Off", [](FormState& s) { return s.ChooseAutoDuringTick(false), false; }},
        {"work ends", [](FormState& s) { return s.EndWork(); }},
        {"close", [](FormState& s) { return s.Close(); }},
    };
    // From each phase: what it lets run, then what each move above leaves:
    // "-" when it is refused (nothing changes), else "yes " when the move
    // says so (its work begins; the library is to be detached now), the
    // phase after, and the press that now waits.
    // clang-format off
    const struct { Phase from; const char* lets; std::vector<const char*> after; } cases[] = {
        {Phase::Idle,       "",                 {"yes StartingUp", "yes Pressing", "yes Pressing", "yes Ticking", "-", "-", "-", "yes Closed"}},
        {Phase::StartingUp, "goes on",          {"-", "-", "-", "-", "-", "-", "Idle", "Closing"}},
        {Phase::Pressing,   "goes on",          {"-", "Pressing Register", "Pressing GetHost", "-", "-", "-", "Idle", "Closing"}},
        {Phase::Ticking,    "ticking goes on",  {"-", "Ticking Register", "Ticking GetHost", "-", "-", "TickingOff", "Idle", "Closing"}},
        {Phase::TickingOff, "ticking",          {"-", "TickingOff Register", "TickingOff GetHost", "-", "Ticking", "-", "Idle", "Closing"}},
        {Phase::Closing,    "unloaded",         {"-", "-", "-", "-", "-", "-", "yes Closed", "-"}},
        {Phase::Closed,     "unloaded",         {"-", "-", "-", "-", "-", "-", "-", "-"}},
    };
    // clang-format on
    const auto in = [](Phase phase) {
        FormState s;
        if (phase == Phase::StartingUp) s.BeginStartUp();
        if (phase == Phase::Pressing) s.BeginPress(Press::GetHost);
        if (phase >= Phase::Ticking && phase <= Phase::Closing) s.BeginTick();
        if (phase == Phase::TickingOff) s.ChooseAutoDuringTick(false);
        if (phase >= Phase::Closing) s.Close();
        s.PopPress();
        return s;
    };
    for (const auto& c : cases) {
        const char* const from = phases[static_cast<int>(c.from)];
        const FormState s = in(c.from);
        ASSERT_EQ(phases[static_cast<int>(s.Current())], from);
        EXPECT_EQ(std::string(s.Ticking() ? "ticking " : "") + (s.Unloaded() ? "unloaded " : "") +
                      (s.WorkGoesOn() ? "goes on " : ""),
                  c.lets + std::string(*c.lets ? " " : ""))
            << from;
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
    // "Register" stands for a "Get Host" beside it, and a close drops both.
    for (const bool close : {false, true}) {
        FormState s = in(Phase::Ticking);
        s.BeginPress(Press::GetHost);
        s.BeginPress(Press::Register);
        s.BeginPress(Press::GetHost);
        if (close) s.Close();
        EXPECT_EQ(s.PopPress(), close ? std::nullopt : std::optional(Press::Register));
        EXPECT_EQ(s.PopPress(), std::nullopt);
    }
}

}  // namespace tolvik
