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
        {"x\r\nESP TO Bob: 7\r\nBob: Get Ready to Play 21", "Bob", false, "",   "",  "12",  {}, Kind::Send,    "12"},
        {kGame,                                             "",    false, "",   "",  "7",   {}, Kind::Nothing, ""},
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
        const std::string low = c.low, high = c.high, typed = c.typed;
        const Registration r = AutoRegistration(
            {c.text, HostFromTranscript(c.text), c.host, c.random, low, high, typed}, random);
        EXPECT_EQ(r.kind, c.kind) << c.text;
        EXPECT_EQ(r.number, c.number) << c.text;
        EXPECT_EQ(r.drawn, c.random && c.kind == Kind::Send) << c.text;
    }
}

TEST(Register, SendsOnEveryPressAndStirsTwice) {
    Rig rig;
    rig.library.transcript = kGame;
    rig.form.numberText = "12";
    rig.random.values = {0.0, 0.0, 0.0, 0.0};  // each stir then reseeds twice
    rig.tolvik.cmdRegister_Click();
    EXPECT_EQ(rig.random.reseeds, 4);
    rig.library.transcript += "\r\nESP TO Bob: 12";
    rig.tolvik.cmdRegister_Click();  // no echo check on a press
    rig.tolvik.optRandom_Click(0);
    rig.random.values = {0.0, 0.0, DrawOf(21), DrawOf(20)};  // from 1 to 20: 21 is drawn again
    rig.tolvik.cmdRegister_Click();
    EXPECT_EQ(rig.form.numberText, "20");
    std::string sent;
    for (const auto& esp : rig.library.esps)
        sent += esp.recipient + "|" + esp.message + "|" + std::to_string(esp.timeout) + " ";
    EXPECT_EQ(sent, "Bob|12|5000 Bob|12|5000 Bob|20|5000 ");
    rig.tolvik.optRandom_Click(1);
    rig.form.numberText = "";
    rig.tolvik.cmdRegister_Click();
    EXPECT_EQ(rig.form.numberText, "You have to enter a number here!!!!!");

    // Without a host nothing is sent; a first-line game warns first.
    Rig none;
    for (const char* text : {"Alice: hi", "Bob: Get Ready to Play 21"}) {
        none.library.transcript = text;
        none.tolvik.cmdRegister_Click();
    }
    EXPECT_TRUE(none.library.esps.empty());
    EXPECT_EQ(none.form.boxes.size(), 1u);
}

TEST(Tick, QuietAndOnlyFillsTheBoxWhenItCannotSend) {
    Rig rig;
    rig.library.transcript = kGame;
    rig.form.numberText = "12";
    rig.tolvik.vzTimer_Timer();
    // A first-line game shows no box from the tick; the known host gets a number.
    rig.library.transcript = "Dave: Get Ready to Play 21\r\nhi";
    rig.tolvik.vzTimer_Timer();
    EXPECT_EQ(rig.library.esps.size(), 2u);
    EXPECT_EQ(rig.library.esps.back().recipient, "Bob");
    EXPECT_TRUE(rig.form.boxes.empty());
    // Equal bounds only fill the box; a box with no number asks for one.
    rig.tolvik.optRandom_Click(0);
    rig.form.lowText = rig.form.highText = "7";
    rig.tolvik.vzTimer_Timer();
    EXPECT_EQ(rig.form.numberText, "7");
    rig.tolvik.optRandom_Click(1);
    rig.form.numberText = "WRONG NUMBER";
    rig.tolvik.vzTimer_Timer();
    EXPECT_EQ(rig.form.numberText, "You have to enter a number here!!!!!");
    EXPECT_EQ(rig.library.esps.size(), 2u);
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
        const std::vector<std::string> stop{"DapiStop"};
        EXPECT_EQ(rig.library.calls, c.stopped ? stop : std::vector<std::string>{}) << c.what;
        if (c.stopped) {
            EXPECT_EQ(rig.library.fetchTimeouts.size(), 1u) << "a call after DapiStop";
        }
    }
}

}  // namespace
}  // namespace tolvik
