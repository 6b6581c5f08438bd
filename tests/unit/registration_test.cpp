// Registration: the decisions as plain functions, then "Register" and the
// automatic tick through the form, with a client that echoes and handles
// clicks while a call waits.
#include <gtest/gtest.h>

#include "fakes.h"

namespace tolvik {
namespace {

using testing::DrawOf;
using testing::FakeRandom;
using testing::Rig;
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
        {kGame,                                             "",    false, "",   "",  "7",   {}, Kind::Nothing, ""},
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
        const std::string low = c.low, high = c.high, typed = c.typed;
        const Registration r = AutoRegistration(
            {c.text, HostFromTranscript(c.text), c.host, c.random, low, high, typed}, random);
        EXPECT_EQ(r.kind, c.kind) << c.text;
        EXPECT_EQ(r.number, c.number) << c.text;
        EXPECT_EQ(r.drawn, c.random && c.kind == Kind::Send) << c.text;
    }
}

TEST(Registration, ThroughTheForm) {
    // Host known before?, transcript, Random, Low, High, typed, draws, a press
    // or a tick -> the ESP sent, the number box after, boxes shown.
    const char* const ask = "You have to enter a number here!!!!!";
    const struct {
        bool hostKnown;
        std::string text;
        bool random;
        const char *low, *high, *typed;
        std::deque<double> draws;
        bool press;
        const char *sent, *after;
        std::size_t boxes;
    } cases[] = {
        // clang-format off
        {false, kGame,                           false, "",  "",  "12", {}, true,  "Bob|12|5000", "12", 0},
        {false, kGame + "\r\nESP TO Bob: 12",    false, "",  "",  "12", {}, true,  "Bob|12|5000", "12", 0},
        {false, kGame, true, "", "", "12", {0.0, 0.0, DrawOf(21), DrawOf(20)}, true, "Bob|20|5000", "20", 0},
        {false, kGame,                           false, "",  "",  "",   {}, true,  "",            ask,  0},
        {false, "Alice: hi",                     false, "",  "",  "12", {}, true,  "",            "12", 0},
        {false, "Bob: Get Ready to Play 21",     false, "",  "",  "12", {}, true,  "",            "12", 1},
        {true,  "Dave: Get Ready to Play 21\r\nhi", false, "", "", "12", {}, false, "Bob|12|3000", "12", 0},
        {true,  kGame,                           true,  "7", "7", "12", {}, false, "",            "7",  0},
        {true,  kGame,                           false, "",  "",  "WRONG NUMBER", {}, false, "",  ask,  0},
        // clang-format on
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.library.transcript = kGame;
        if (c.hostKnown) rig.tolvik.cmdGetHost_Click();
        rig.library.transcript = c.text;
        rig.tolvik.optRandom_Click(c.random ? 0 : 1);
        rig.form.lowText = c.low;
        rig.form.highText = c.high;
        rig.form.numberText = c.typed;
        rig.random.values = c.draws;
        const int reseeds = rig.random.reseeds;
        c.press ? rig.tolvik.cmdRegister_Click() : rig.tolvik.vzTimer_Timer();
        const auto& esps = rig.library.esps;
        EXPECT_EQ(esps.empty() ? ""
                               : esps[0].recipient + "|" + esps[0].message + "|" +
                                     std::to_string(esps[0].timeout),
                  c.sent)
            << c.text;
        EXPECT_LE(esps.size(), 1u);
        EXPECT_EQ(rig.form.numberText, c.after) << c.text;
        EXPECT_EQ(rig.form.boxes.size(), c.boxes) << c.text;
        EXPECT_EQ(rig.random.reseeds - reseeds, c.press ? 4 : 0) << "each press stirs twice";
    }
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
        rig.library.transcript = kGame;
        rig.library.echoEsps = true;
        rig.form.numberText = "12";
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
        EXPECT_EQ(rig.library.calls, std::vector<std::string>(c.stopped, "DapiStop")) << c.what;
        EXPECT_EQ(rig.library.fetchTimeouts.size() == 1, c.stopped) << "a call after DapiStop";
    }
}

}  // namespace
}  // namespace tolvik
