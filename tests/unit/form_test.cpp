// The window's logic (FormHandlers over FormState) against the in-memory form
// and client: "Get Host", "Register" and the tick, also with Off chosen while
// a call waits; start-up and shut-down, a call that fails, the switches, the
// number box and the range lists; and sessions of Auto against a client as
// it can behave, played from the fuzzer's seeds (chat_session.h).
#include "window/form_handlers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "chat_session.h"
#include "fakes.h"

namespace tolvik {

using testing::DrawOf;
using testing::Rig;
using Strings = std::vector<std::string>;

const std::string kGame = "Alice: hi\r\nBob: Get Ready to Play 21";
const std::string kAsk = "You have to enter a number here!!!!!";

enum class Action { GetHost, Register, Tick, OffInTick };  // Off chosen in its first call

// One action, and what holds after any: the ESPs' time-outs, the timer, the
// host found first, the number box selected only when rewritten, a press
// stirring the seed twice.
void Act(Rig& rig, Action action) {
    rig.library.fetchTimeouts.clear();
    rig.view.allSelected = true;
    const std::string typed = rig.view.numberBoxText;
    const int reseeds = rig.random.reseeds;
    if (action == Action::GetHost) rig.handlers.cmdGetHost_Click();
    if (action == Action::Register) rig.handlers.cmdRegister_Click();
    if (action == Action::OffInTick) rig.library.onCall = [&] { rig.handlers.optAuto_Click(1); };
    if (action == Action::Tick || action == Action::OffInTick) rig.handlers.vzTimer_Timer();
    const auto& library = rig.library;
    EXPECT_EQ(library.espTimeouts,
              std::vector<long>(library.esps.size(),
                                action == Action::Register ? kRegisterEspTimeout : kTickTimeout));
    EXPECT_EQ(rig.view.timerEnabled, action == Action::Tick);
    EXPECT_EQ(library.fetchTimeouts.front(), kHostFetchTimeout);
    EXPECT_EQ(rig.view.allSelected,
              rig.view.numberBoxText == typed || rig.view.numberBoxText == kAsk);
    EXPECT_EQ(rig.random.reseeds - reseeds, action == Action::Register ? 4 : 0);
}

TEST(Registration, TheHostAndTheNumberAPressOrTheTickSends) {
    // With Bob known before (from a look at kGame, the host box then typed
    // over) or no host known: the chat, the number box typed, Random's Low
    // and High ("off" for Random off), its draws (a press stirs the seed
    // twice first, two draws), the action -> the ESP, the host box and the
    // number box after, and whether "No host found" was told.
    const std::string bob = "Bob: Get Ready to Play 21", carol = "x\r\nCarol: Get Ready to Play 21",
                      noName = "x\r\n: Get Ready to Play 21";
    // clang-format off
    const struct { const char* name; bool bobKnown; std::string chat; const char *typed, *low, *high; std::deque<double> draws; Action action; const char *esp, *hostBox; std::string numberBox; bool told; } cases[] = {
        {"no announcement: the box as it opened", false, "Alice: hi", "12", "off", "", {}, Action::GetHost, "", "Host.....", "12", false},
        {"no host yet, none found",     false, bob, "12", "off", "", {}, Action::GetHost, "", "Host...", "12", true},
        {"the host known stays",        true, "Carol: Get Ready to Play 21", "12", "off", "", {}, Action::GetHost, "", "Bob", "12", true},
        {"a player with no name",       false, noName, "12", "off", "", {}, Action::GetHost, "", "Host...", "12", false},
        {"a name kept as said",         false, "x\r\n ESP TOM: Get Ready to Play 21", "12", "off", "", {}, Action::GetHost, "", " ESP TOM", "12", false},
        {"quoted in an echo",           false, "x\r\nesp to bob: is it Get Ready to Play 21 time?", "12", "off", "", {}, Action::GetHost, "", "Host...", "12", true},
        {"a ':' only on a later line",  false, "A: hi\r\nGet Ready to Play 21\r\nBob: ok", "12", "off", "", {}, Action::GetHost, "", "Host...", "12", true},
        {"a ':' after a lone LF",       false, "x\r\nGet Ready to Play 21 a\nb: hi", "12", "off", "", {}, Action::GetHost, "", "Host...", "12", true},
        {"split by a lone LF",          false, "W\r\nA: hi\nBob: Get Ready to Play 21\r\n", "12", "off", "", {}, Action::GetHost, "", "Host...", "12", true},
        {"split by a lone CR",          false, "W\r\nA: hi\rBob: Get Ready to Play 21\r\n", "12", "off", "", {}, Action::GetHost, "", "Host...", "12", true},
        {"a lone CR opens no line",     false, "Alice\rBob: Get Ready to Play 21", "12", "off", "", {}, Action::GetHost, "", "Host...", "12", true},
        {"in another case",             false, "A: hi\r\nBob: get ready to play 21", "12", "off", "", {}, Action::GetHost, "", "Host.....", "12", false},
        {"Register finds the host",     false, kGame, "12", "off", "", {}, Action::Register, "Bob|12", "Bob", "12", false},
        {"Register, no host",           false, bob, "12", "off", "", {}, Action::Register, "", "Host...", "12", true},
        {"Register, first line: the host known", true, "Carol: Get Ready to Play 21", "12", "off", "", {}, Action::Register, "Bob|12", "Bob", "12", true},
        {"Register, no announcement: the host known", true, "Alice: hi", "12", "off", "", {}, Action::Register, "Bob|12", "Bob", "12", false},
        {"Register, an emote",          true, "x\r\nCarol waves. Get Ready to Play 21 :)", "12", "off", "", {}, Action::Register, "Bob|12", "Bob", "12", true},
        {"Register draws 1 to 20",      true, kGame, "12", "", "", {0.0, 0.0, DrawOf(21), DrawOf(20)}, Action::Register, "Bob|20", "Bob", "20", false},
        {"Register, nothing typed",     true, kGame, "", "off", "", {}, Action::Register, "", "Bob", kAsk, false},
        {"the tick enters the game",    true, kGame, "07", "off", "", {}, Action::Tick, "Bob|07", "Bob", "07", false},
        {"Off in the tick's first call", true, carol, "12", "off", "", {}, Action::OffInTick, "", "Typed", "12", false},
        {"the tick, a player with no name", true, noName, "12", "off", "", {}, Action::Tick, "", "Host...", "12", false},
        {"the tick, no number typed",   true, kGame, "WRONG NUMBER", "off", "", {}, Action::Tick, "", "Bob", kAsk, false},
        {"the tick draws between the bounds", true, kGame, "", "3", "6", {DrawOf(3), DrawOf(6), DrawOf(2), DrawOf(5)}, Action::Tick, "Bob|5", "Bob", "5", false},
        {"unpicked bounds: 1 to 20",    true, kGame, "", "", "", {DrawOf(21), DrawOf(1), DrawOf(2)}, Action::Tick, "Bob|1", "Bob", "1", false},
        {"High unpicked: up to 20",     true, kGame, "", "19", "", {DrawOf(21), DrawOf(20)}, Action::Tick, "Bob|20", "Bob", "20", false},
        {"no number between",           true, kGame, "12", "7", "8", {}, Action::Tick, "", "Bob", "12", false},
        {"equal bounds fill the box",   true, kGame, "12", "7", "7", {}, Action::Tick, "", "Bob", "7", false},
    };
    // clang-format on
    for (const auto& c : cases) {
        Rig rig;
        rig.library.transcript = kGame;
        if (c.bobKnown) rig.handlers.cmdGetHost_Click();
        if (c.bobKnown) rig.view.hostText = "Typed";  // by the user; Tolvik never reads it
        rig.library.transcript = c.chat;
        const bool randomOn = std::string(c.low) != "off";
        rig.handlers.optRandom_Click(randomOn ? 0 : 1);
        rig.view.lowText = randomOn ? c.low : "";
        rig.view.highText = c.high;
        rig.view.numberBoxText = c.typed;
        rig.random.values = c.draws;
        Act(rig, c.action);
        EXPECT_EQ(rig.library.esps, Strings(*c.esp != 0, c.esp)) << c.name;
        EXPECT_EQ(rig.view.hostText + " " + rig.view.numberBoxText +
                      (rig.view.boxes.empty() ? "" : " told"),
                  c.hostBox + (" " + c.numberBox) + (c.told ? " told" : ""))
            << c.name;
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
        bool working = false;  // in the last call, DapiStop: it counts as work, until it returns
        none.library.onCall = [&] {
            none.handlers.cmdQuit_Click();
            working = none.handlers.WorkUnderWay();
        };
        EXPECT_FALSE(none.handlers.Form_Load());
        EXPECT_EQ(std::pair(working, none.handlers.WorkUnderWay()), std::pair(true, false));
        EXPECT_EQ(
            none.view.boxes,
            Strings(!quitInStart, "Stop VZones is not there: Failed to find a VZones Client:"));
        EXPECT_EQ(none.library.calls, Strings({"DapiStart Tolvik", "DapiStop"}));
    }
    // Closed while a call waits, which then fails: detached as the work ends.
    Rig failing;
    failing.library.onCall = [&] {
        failing.handlers.cmdQuit_Click(), throw std::runtime_error("");
    };
    EXPECT_THROW(failing.handlers.cmdGetHost_Click(), std::runtime_error);
    EXPECT_EQ(failing.library.calls, Strings{"DapiStop"});
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

TEST(Session, EverySeedKeepsThePromisesAndNamedOnesPlayWhatTheirNamesSay) {
    // The fuzzer's seeds keep the promises. Those named for a case a planted
    // fault broke must still play it, whatever the decoding of the bytes
    // becomes; any other is named by its bytes' SHA-1.
    // clang-format off
    const std::map<std::string, bool testing::Played::*> named = {
        {"another-hosts-game-taken-for-the-last-one", &testing::Played::anotherHostAfterAnEsp},
        {"off-during-a-call", &testing::Played::offInACall},
        {"register-on-no-players-line", &testing::Played::registerOnNoPlayersLine},
    };
    // clang-format on
    const std::string source = __FILE__,
                      folder = source.substr(0, source.rfind("tests/")) + "fuzz/seeds/memory";
    std::size_t checked = 0;
    for (const auto& seed : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(seed.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(file), {});
        const std::string name = seed.path().filename().string();
        testing::Played played;
        EXPECT_NO_THROW(played = testing::PlayChat(bytes.data(), bytes.size())) << name;
        const auto fact = named.find(name);
        checked += fact != named.end();
        EXPECT_TRUE(fact == named.end() ? name.size() == 40 : played.*fact->second) << name;
    }
    EXPECT_EQ(checked, named.size());
}

}  // namespace tolvik
