// The window's logic (FormHandlers and FormState) against the in-memory form
// and client: "Get Host", "Register" and the tick, also with Off chosen while
// a call waits; start-up and shut-down, the switches, the number box and the
// range lists; and seeded sessions of Auto against a client as it can behave.
#include "window/form_handlers.h"

#include <gtest/gtest.h>

#include <random>

#include "chat_session.h"
#include "fakes.h"

namespace tolvik {

using testing::DrawOf;
using testing::Rig;
using Strings = std::vector<std::string>;

const std::string kGame = "Alice: hi\r\nBob: Get Ready to Play 21";

TEST(Registration, ThroughTheForm) {
    // Host Bob known before? (and the host box then typed over), transcript, Random, Low, High,
    // typed, draws, Get Host, Register, a tick, or a tick during whose first call Off is chosen ->
    // the ESP sent, the number and host boxes after, and "!" when a box ("No host found", the only
    // one these show) was shown.
    const std::string ask = "You have to enter a number here!!!!! / ";
    // clang-format off
    const struct { bool hostKnown; std::string text; bool random; const char *low, *high, *typed;
                   std::deque<double> draws; char action; const char* sent; std::string boxes; } cases[] = {
        {false, "Alice: hi",                     false, "", "", "12", {}, 'G', "", "12 / Host....."},
        {false, "Bob: Get Ready to Play 21",     false, "", "", "12", {}, 'G', "", "12 / Host...!"},
        {true,  "Carol: Get Ready to Play 21",   false, "", "", "12", {}, 'G', "", "12 / Bob!"},
        {false, "x\r\n: Get Ready to Play 21",   false, "", "", "12", {}, 'G', "", "12 / Host..."},
        {false, kGame,                           false, "", "", "12", {}, 'R', "Bob|12", "12 / Bob"},
        {false, kGame, true, "", "", "12", {0.0, 0.0, DrawOf(21), DrawOf(20)}, 'R', "Bob|20", "20 / Bob"},
        {false, kGame,                           false, "", "", "",   {}, 'R', "", ask + "Bob"},
        {false, "Bob: Get Ready to Play 21",     false, "", "", "12", {}, 'R', "", "12 / Host...!"},
        {true,  "Carol: Get Ready to Play 21",   false, "", "", "12", {}, 'R', "Bob|12", "12 / Bob!"},
        {true,  "Alice: hi",                     false, "", "", "12", {}, 'R', "Bob|12", "12 / Bob"},
        // An announcement on no player's own line names no host.
        {true,  "x\r\nCarol waves. Get Ready to Play 21 :)", false, "", "", "12", {}, 'R', "Bob|12", "12 / Bob!"},
        {false, "x\r\nESP TO Carol: is it Get Ready to Play 21 time?", false, "", "", "12", {}, 'G', "", "12 / Host...!"},
        {true,  "x\r\nA: hi\nCarol: Get Ready to Play 21", false, "", "", "12", {}, 'R', "Bob|12", "12 / Bob!"},
        {true,  "x\r\nCarol Get Ready to Play 21",  false, "", "", "12", {}, 'G', "", "12 / Bob!"},
        {false, "A: hi\r\nGet Ready to Play 21\r\nCarol: ok", false, "", "", "12", {}, 'R', "", "12 / Host...!"},
        {true,  kGame,                           false, "", "", "07", {}, 'T', "Bob|07", "07 / Bob"},
        {true,  "x\r\nCarol: Get Ready to Play 21", false, "", "", "07", {}, 'O', "", "07 / Typed"},
        {true,  "x\r\n: Get Ready to Play 21",   false, "", "", "12", {}, 'T', "", "12 / Host..."},
        {true,  kGame, true, "3", "6", "", {DrawOf(3), DrawOf(6), DrawOf(2), DrawOf(5)}, 'T', "Bob|5", "5 / Bob"},
        {true,  kGame, true, "", "", "", {DrawOf(21), DrawOf(1), DrawOf(2)},   'T', "Bob|1", "1 / Bob"},
        {true,  kGame, true, "19", "", "", {DrawOf(21), DrawOf(20)}, 'T', "Bob|20", "20 / Bob"},
        {true,  kGame,                           true, "7", "8", "12", {}, 'T', "", "12 / Bob"},
        {true,  kGame,                           true, "7", "7", "12", {}, 'T', "", "7 / Bob"},
        {true,  kGame,                           false, "", "", "WRONG NUMBER", {}, 'T', "", ask + "Bob"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        Rig rig;
        rig.library.transcript = kGame;
        if (c.hostKnown) rig.handlers.cmdGetHost_Click();
        if (c.hostKnown) rig.view.hostText = "Typed";  // by the user; Tolvik never reads it
        rig.library.transcript = c.text;
        rig.library.fetchTimeouts.clear();
        rig.handlers.optRandom_Click(c.random ? 0 : 1);
        rig.view.lowText = c.low;
        rig.view.highText = c.high;
        rig.view.numberBoxText = c.typed;
        rig.random.values = c.draws;
        rig.view.allSelected = true;
        const int reseeds = rig.random.reseeds;
        if (c.action == 'G') rig.handlers.cmdGetHost_Click();
        if (c.action == 'R') rig.handlers.cmdRegister_Click();
        if (c.action == 'O') rig.library.onCall = [&] { rig.handlers.optAuto_Click(1); };
        if (c.action == 'T' || c.action == 'O') rig.handlers.vzTimer_Timer();
        EXPECT_EQ(rig.library.esps, Strings(*c.sent != 0, c.sent));
        EXPECT_EQ(rig.library.espTimeouts,
                  std::vector<long>(rig.library.esps.size(),
                                    c.action == 'R' ? kRegisterEspTimeout : kTickTimeout));
        EXPECT_EQ(rig.view.timerEnabled, c.action == 'T') << "Off stands";
        EXPECT_EQ(rig.view.numberBoxText + " / " + rig.view.hostText +
                      std::string(rig.view.boxes.size(), '!'),
                  c.boxes);
        // The host is found first; the box is rewritten only anew; a press stirs twice.
        EXPECT_EQ(rig.library.fetchTimeouts.front(), kHostFetchTimeout);
        EXPECT_EQ(rig.view.allSelected,
                  rig.view.numberBoxText == c.typed || rig.view.numberBoxText + " / " == ask);
        EXPECT_EQ(rig.random.reseeds - reseeds, c.action == 'R' ? 4 : 0);
    }
}

TEST(Form, StartsAndDetachesOnce) {
    Rig rig;
    rig.view.log = &rig.library.calls;
    ASSERT_TRUE(rig.handlers.Form_Load());
    EXPECT_EQ(rig.random.reseeds, 2);  // the seed was stirred: u = 0 draws no more
    Strings items;
    for (int n = 1; n <= 20; ++n) items.push_back(std::to_string(n));
    EXPECT_EQ(rig.view.items, items);
    // The switches keep a running countdown; Quit stops the timer, then detaches.
    for (int index : {0, 0, 1, 1, 0}) rig.handlers.optAuto_Click(index);
    for (int index : {0, 1}) rig.handlers.optRandom_Click(index);
    EXPECT_FALSE(rig.handlers.RandomMode());
    rig.handlers.Form_Unload();
    rig.handlers.Form_Unload();
    EXPECT_EQ(rig.library.calls, Strings({"DapiStart Tolvik", "timer on", "timer off", "timer on",
                                          "timer off", "DapiStop"}));
    // No client: the stop box, then the window closes, which detaches; closed
    // while the library starts: nothing more, and DapiStop once it returns.
    for (const bool quitInStart : {false, true}) {
        Rig none;
        none.library.clientThere = false;
        none.library.startWaits = quitInStart;
        none.library.onCall = [&] { none.handlers.cmdQuit_Click(); };
        EXPECT_FALSE(none.handlers.Form_Load());
        EXPECT_EQ(
            none.view.boxes,
            Strings(!quitInStart, "Stop VZones is not there: Failed to find a VZones Client:"));
        EXPECT_EQ(none.library.calls, Strings({"DapiStart Tolvik", "DapiStop"}));
    }
}

TEST(Form, NumberBoxAndRangeLists) {
    Rig rig;
    for (const char c : std::string("a-.\b\x16/:059")) {
        int key = c;
        rig.handlers.txtNumber_KeyPress(key);
        EXPECT_EQ(key, c >= '0' && c <= '9' ? c : 0) << int{c};
    }
    // Typed -> the box after, and whether its text is selected.
    const std::pair<const char*, const char*> typed[] = {
        // clang-format off
        {"1", "1"}, {"20", "20"}, {"20.5", "20.5"}, {"1.5", "1.5"}, {"", ", selected"}, {"21", "WRONG NUMBER, selected"},
        {"0.5", "WRONG NUMBER, selected"}, {"-3", "WRONG NUMBER, selected"}, {"999999", "WRONG NUMBER, selected"},
        {"WRONG NUMBER", "WRONG NUMBER, selected"},
        // clang-format on
    };
    for (const auto& [text, after] : typed) {
        rig.view.SetNumberBoxText(text);
        rig.handlers.txtNumber_KeyUp();
        EXPECT_EQ(rig.view.numberBoxText + (rig.view.allSelected ? ", selected" : ""), after);
    }

    // Low, High, which was picked -> Low and High after: they never cross.
    const char* const lists[][4] = {
        {"9", "5", "high", "9 9"}, {"9", "5", "low", "5 5"},   {"9", "", "low", "9 "},
        {"9", "", "high", "9 "},   {"9", "10", "low", "9 10"}, {"10", "9", "high", "10 10"},
    };
    for (const auto& c : lists) {
        rig.view.lowText = c[0];
        rig.view.highText = c[1];
        c[2] == std::string("low") ? rig.handlers.cmbLow_Click() : rig.handlers.cmbHigh_Click();
        EXPECT_EQ(rig.view.lowText + " " + rig.view.highText, c[3]);
    }
}

TEST(Session, EveryGameGetsOneNumberAndClicksDuringACallCountOnce) {
    // Seeded sessions of Auto against a client as it can behave, checked
    // against what Tolvik promises (chat_session.h, which the fuzzer plays too).
    std::mt19937 rng(20261208);
    int esps = 0;
    for (int session = 0; session < 100; ++session) {
        SCOPED_TRACE("session " + std::to_string(session));
        std::vector<std::uint8_t> bytes(600);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() % 40 : rng());
        EXPECT_NO_THROW(esps += testing::PlayChat(bytes.data(), bytes.size()));
    }
    EXPECT_GT(esps, 200);
}

}  // namespace tolvik
