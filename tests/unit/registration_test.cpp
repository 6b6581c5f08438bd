// Registration: the decisions as plain functions, then "Register" and the
// automatic tick through the form, with a client that echoes, answers
// nothing, and handles clicks while a call waits.
#include <gtest/gtest.h>

#include <functional>

#include "fakes.h"
#include "registration/registration.h"
#include "window/tolvik.h"

namespace tolvik {
namespace {

using testing::DrawOf;
using testing::FakeLibrary;
using testing::FakeRandom;
using testing::MemoryForm;
using Kind = Registration::Kind;

const std::string kGame = "Alice: hi\r\nBob: Get Ready to Play 21";

TEST(Decisions, TickAndRegister) {
    // The tick: transcript, known host, Random, Low, High, typed, draws -> outcome.
    const struct {
        std::string text, host;
        bool random;
        const char *low, *high, *typed;
        std::deque<double> draws;
        Kind kind;
        const char* number;
    } cases[] = {
        // clang-format off
        {kGame,                                             "Bob", false, "",   "",  "07",  {}, Kind::Send,    "07"},
        {kGame + "\r\nesp to BOB: 7",                       "Bob", false, "",   "",  "7",   {}, Kind::Nothing, ""},
        {"x\r\nESP TO Bob: 7\r\nBob: Get Ready to Play 21", "Bob", false, "",   "",  "12",  {}, Kind::Send,    "12"},
        {kGame + "\r\nESP TO Bob: 7\r\nget ready to play 21", "Bob", false, "", "",  "7",   {}, Kind::Nothing, ""},
        {kGame,                                             "",    false, "",   "",  "7",   {}, Kind::Nothing, ""},
        {"Alice: hi",                                       "Bob", false, "",   "",  "7",   {}, Kind::Nothing, ""},
        {"x\r\nGet Ready to Play 21\r\nAl: hi",             "Bob", false, "",   "",  "7",   {}, Kind::Nothing, ""},
        {"Carol: Get Ready to Play 21\r\nhi",               "Bob", false, "",   "",  "7",   {}, Kind::Send,    "7"},
        {kGame,                                             "Bob", false, "",   "",  "WRONG NUMBER", {}, Kind::AskForNumber, ""},
        {kGame, "Bob", true, "3",  "6", "", {DrawOf(3), DrawOf(6), DrawOf(2), DrawOf(5)}, Kind::Send, "5"},
        {kGame, "Bob", true, "7",  "7", "12", {},                       Kind::Show,    "7"},
        {kGame, "Bob", true, "7",  "8", "12", {},                       Kind::Nothing, ""},
        {kGame, "Bob", true, "",   "",  "",   {DrawOf(21), DrawOf(1)},  Kind::Send,    "1"},
        {kGame, "Bob", true, "19", "",  "",   {DrawOf(21), DrawOf(20)}, Kind::Send,    "20"},
        // clang-format on
    };
    for (const auto& c : cases) {
        FakeRandom random;
        random.values = c.draws;
        const HostOutcome latest = HostFromTranscript(c.text);
        const std::string low = c.low, high = c.high, typed = c.typed;
        const Registration r =
            AutoRegistration({c.text, latest, c.host, c.random, low, high, typed}, random);
        EXPECT_EQ(r.kind, c.kind) << c.text;
        EXPECT_EQ(r.number, c.number) << c.text;
        EXPECT_EQ(r.drawn, c.random && c.kind == Kind::Send) << c.text;
    }

    // "Register": a fresh draw from 1 to 20, or the typed text as it stands.
    FakeRandom random;
    random.values = {DrawOf(21), DrawOf(20)};
    EXPECT_EQ(ManualRegistration(true, "12", random).number, "20");
    EXPECT_EQ(ManualRegistration(false, "07", random).number, "07");
    EXPECT_EQ(ManualRegistration(false, "", random).kind, Kind::AskForNumber);
}

struct Rig {
    FakeLibrary library;
    FakeRandom random;
    MemoryForm form;
    Tolvik tolvik{form, library, random, "Tolvik"};
    Rig() {
        form.onClose = [this] { tolvik.Form_Unload(); };
        library.transcript = kGame;
        library.echoEsps = true;
        form.numberText = "12";
        form.timerEnabled = true;  // Auto on
    }
};

TEST(Register, SendsOnEveryPressAndStirsTwice) {
    Rig rig;
    rig.random.values = {0.0, 0.0, 0.0, 0.0};  // each stir then reseeds twice
    rig.tolvik.cmdRegister_Click();
    EXPECT_EQ(rig.random.reseeds, 4);
    rig.tolvik.cmdRegister_Click();  // no echo check on a press
    ASSERT_EQ(rig.library.esps.size(), 2u);
    EXPECT_EQ(rig.library.esps[1].recipient, "Bob");
    EXPECT_EQ(rig.library.esps[1].message, "12");
    EXPECT_EQ(rig.library.esps[1].timeout, 5000);

    rig.tolvik.optRandom_Click(0);
    rig.random.fallback = DrawOf(9);
    rig.tolvik.cmdRegister_Click();
    EXPECT_EQ(rig.library.esps.back().message, "9");
    EXPECT_EQ(rig.form.numberText, "9");

    // Without a host nothing is sent; a first-line game warns first.
    Rig none;
    for (const char* text : {"Alice: hi", "Bob: Get Ready to Play 21"}) {
        none.library.transcript = text;
        none.tolvik.cmdRegister_Click();
    }
    EXPECT_TRUE(none.library.esps.empty());
    EXPECT_EQ(none.form.boxes.size(), 1u);
}

TEST(Tick, EntersEachGameOnceAndHoldsTheTimerOff) {
    Rig rig;
    rig.library.onCall = [&] {
        EXPECT_FALSE(rig.form.timerEnabled) << "a tick holds the timer off";
    };
    for (int i = 0; i < 5; ++i) rig.tolvik.vzTimer_Timer();
    ASSERT_EQ(rig.library.esps.size(), 1u);
    EXPECT_EQ(rig.library.esps[0].timeout, 3000);
    EXPECT_EQ(rig.library.fetchTimeouts,
              std::vector<long>({5000, 3000, 5000, 3000, 5000, 3000, 5000, 3000, 5000, 3000}));
    EXPECT_TRUE(rig.form.timerEnabled);
    EXPECT_EQ(rig.random.reseeds, 0);  // ticks never stir the seed
    // Carol announces after FindHost named Bob, before the tick's own fetch.
    rig.library.changes = {"", "\r\nCarol: Get Ready to Play 21"};
    rig.tolvik.vzTimer_Timer();
    rig.tolvik.vzTimer_Timer();
    ASSERT_EQ(rig.library.esps.size(), 2u);
    EXPECT_EQ(rig.library.esps[1].recipient, "Carol");
    EXPECT_EQ(rig.form.hostText, "Carol");
    // A first-line game shows no box from the tick; the known host gets a number.
    rig.library.transcript = "Dave: Get Ready to Play 21\r\nhi";
    rig.tolvik.vzTimer_Timer();
    EXPECT_EQ(rig.library.esps.back().recipient, "Carol");
    EXPECT_TRUE(rig.form.boxes.empty());
    rig.tolvik.optAuto_Click(1);  // between ticks the switch works at once
    EXPECT_FALSE(rig.form.timerEnabled);

    // Equal bounds only fill the box; a box with no number asks for one.
    Rig shown;
    shown.tolvik.optRandom_Click(0);
    shown.form.lowText = shown.form.highText = "7";
    shown.tolvik.vzTimer_Timer();
    EXPECT_EQ(shown.form.numberText, "7");
    shown.tolvik.optRandom_Click(1);
    shown.form.numberText = "WRONG NUMBER";
    shown.tolvik.vzTimer_Timer();
    EXPECT_EQ(shown.form.numberText, "You have to enter a number here!!!!!");
    EXPECT_TRUE(shown.library.esps.empty());
}

TEST(Tick, ClicksWhileALibraryCallWaits) {
    // Bob's game was entered; Carol announces, and a click is handled inside
    // the next tick's first library call.
    const struct {
        const char* what;
        std::function<void(Tolvik&)> click;
        std::vector<long> espTimeouts;
        bool autoAfter, stopped;
    } cases[] = {
        // clang-format off
        {"Auto Off",           [](Tolvik& t) { t.optAuto_Click(1); },                     {3000, 3000},       false, false},
        {"Auto Off, then On",  [](Tolvik& t) { t.optAuto_Click(1); t.optAuto_Click(0); }, {3000, 3000},       true,  false},
        {"Register, after it", [](Tolvik& t) { t.cmdRegister_Click(); },                  {3000, 3000, 5000}, true,  false},
        {"Get Host, after it", [](Tolvik& t) { t.cmdGetHost_Click(); },                   {3000, 3000},       true,  false},
        {"a tick",             [](Tolvik& t) { t.vzTimer_Timer(); },                      {3000, 3000},       true,  false},
        {"Quit",               [](Tolvik& t) { t.cmdQuit_Click(); },                      {3000},             false, true},
        {"Register, then Quit", [](Tolvik& t) { t.cmdRegister_Click(); t.cmdQuit_Click(); }, {3000},          false, true},
        // clang-format on
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.tolvik.vzTimer_Timer();
        rig.library.transcript += "\r\nCarol: Get Ready to Play 21";
        rig.library.fetchTimeouts.clear();
        bool clicked = false;
        rig.library.onCall = [&] {
            if (!clicked) c.click(rig.tolvik);
            clicked = true;
        };
        rig.tolvik.vzTimer_Timer();
        std::vector<long> timeouts;
        for (const auto& esp : rig.library.esps) timeouts.push_back(esp.timeout);
        EXPECT_EQ(timeouts, c.espTimeouts) << c.what;
        EXPECT_EQ(rig.form.timerEnabled, c.autoAfter) << c.what;
        EXPECT_EQ(rig.library.nestedCalls, 0) << c.what;
        const std::vector<std::string> stop{"DapiStop"};
        EXPECT_EQ(rig.library.calls, c.stopped ? stop : std::vector<std::string>{}) << c.what;
        if (c.stopped) {
            EXPECT_EQ(rig.library.fetchTimeouts.size(), 1u) << "a call after DapiStop";
        }
    }
}

}  // namespace
}  // namespace tolvik
