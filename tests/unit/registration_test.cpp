// "Register" and the automatic tick against the in-memory form and a
// recording library.
#include <gtest/gtest.h>

#include <functional>

#include "fakes.h"
#include "window/tolvik.h"

namespace tolvik {
namespace {

using testing::DrawOf;
using testing::FakeLibrary;
using testing::FakeRandom;
using testing::MemoryForm;

const char* const kGame = "Alice: hi\r\nBob: Get Ready to Play 21";

struct RegistrationTest : ::testing::Test {
    FakeLibrary library;
    FakeRandom random;
    MemoryForm form;
    Tolvik tolvik{form, library, random, "Tolvik"};

    void Tick() {
        form.timerEnabled = true;  // a tick only comes while Auto is on
        tolvik.vzTimer_Timer();
        EXPECT_TRUE(form.timerEnabled) << "the timer must run on after every tick";
    }
    void RandomBetween(const std::string& low, const std::string& high) {
        tolvik.optRandom_Click(0);
        form.lowText = low;
        form.highText = high;
    }
};

TEST_F(RegistrationTest, RegisterSendsTheTypedTextUnchangedOnEveryPress) {
    library.transcript = kGame;
    library.echoEsps = true;
    form.numberText = "07";
    tolvik.cmdRegister_Click();
    tolvik.cmdRegister_Click();  // no echo check on a press
    ASSERT_EQ(library.esps.size(), 2u);
    EXPECT_EQ(library.esps[1].recipient, "Bob");
    EXPECT_EQ(library.esps[1].message, "07");
    EXPECT_EQ(library.esps[1].timeout, 5000);
    EXPECT_EQ(form.hostText, "Bob");
}

TEST_F(RegistrationTest, RegisterStirsTheSeedTwicePerPress) {
    library.transcript = kGame;
    form.numberText = "12";
    random.values = {0.0, 0.0};  // each stir then reseeds twice
    tolvik.cmdRegister_Click();
    EXPECT_EQ(random.reseeds, 4);
}

TEST_F(RegistrationTest, RegisterWithRandomDrawsOneToTwentyAndShowsIt) {
    library.transcript = kGame;
    RandomBetween("7", "7");  // the lists play no part
    random.fallback = 0.0;
    random.values = {0.0, 0.0, DrawOf(21), DrawOf(20)};  // two stirs, then a rejected 21
    tolvik.cmdRegister_Click();
    ASSERT_EQ(library.esps.size(), 1u);
    EXPECT_EQ(library.esps[0].message, "20");
    EXPECT_EQ(form.numberText, "20");
}

TEST_F(RegistrationTest, RegisterWithNonNumericBoxWritesTheErrorAndSendsNothing) {
    library.transcript = kGame;
    for (int press = 0; press < 2; ++press) {
        tolvik.cmdRegister_Click();
        EXPECT_EQ(form.numberText, "You have to enter a number here!!!!!");
    }
    EXPECT_TRUE(library.esps.empty());
}

TEST_F(RegistrationTest, RegisterWithoutHostSendsNothingAndShowsNothing) {
    library.transcript = "Alice: hi";
    form.numberText = "12";
    tolvik.cmdRegister_Click();
    EXPECT_TRUE(library.esps.empty());
    EXPECT_TRUE(form.boxes.empty());
    EXPECT_EQ(form.hostText, "Host.....");
    library.transcript = "Bob: Get Ready to Play 21";  // first line: warning, still no host
    tolvik.cmdRegister_Click();
    EXPECT_EQ(form.boxes.size(), 1u);
    EXPECT_TRUE(library.esps.empty());
}

TEST_F(RegistrationTest, TickSendsOncePerGame) {
    library.transcript = kGame;
    library.echoEsps = true;
    form.numberText = "12";
    for (int i = 0; i < 10; ++i) Tick();
    ASSERT_EQ(library.esps.size(), 1u);
    EXPECT_EQ(library.esps[0].recipient, "Bob");
    EXPECT_EQ(library.esps[0].message, "12");
    EXPECT_EQ(library.esps[0].timeout, 3000);
    ASSERT_EQ(library.fetchTimeouts.size(), 20u);  // FindHost's fetch, then the tick's own
    for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(library.fetchTimeouts[i], i % 2 ? 3000 : 5000);
    // A newer game by another host brings exactly one more.
    library.transcript += "\r\nCarol: Get Ready to Play 21";
    for (int i = 0; i < 10; ++i) Tick();
    ASSERT_EQ(library.esps.size(), 2u);
    EXPECT_EQ(library.esps[1].recipient, "Carol");
    // And a new game by the same host, after the old echo, one more again.
    library.transcript += "\r\nCarol: Get Ready to Play 21";
    Tick();
    Tick();
    EXPECT_EQ(library.esps.size(), 3u);
    EXPECT_EQ(random.reseeds, 0);  // ticks never stir the seed
}

TEST_F(RegistrationTest, GameAnnouncedBetweenTheTicksFetchesGoesToItsOwnHost) {
    library.transcript = kGame;
    library.echoEsps = true;
    form.numberText = "12";
    Tick();
    ASSERT_EQ(library.esps.size(), 1u);
    // Carol announces after FindHost has named Bob, before the tick's own fetch.
    library.changes = {"", "\r\nCarol: Get Ready to Play 21"};
    Tick();
    ASSERT_EQ(library.esps.size(), 2u);
    EXPECT_EQ(library.esps[1].recipient, "Carol");
    EXPECT_EQ(form.hostText, "Carol");
    Tick();
    EXPECT_EQ(library.esps.size(), 2u);
}

TEST_F(RegistrationTest, TickComparesEchoAndAnnouncementPositions) {
    form.numberText = "7";
    library.transcript = std::string(kGame) + "\r\nesp to BOB: 7";  // echo in other case
    Tick();
    EXPECT_TRUE(library.esps.empty());
    library.transcript = "x\r\nESP TO Bob: 7\r\nBob: Get Ready to Play 21";  // echo before
    Tick();
    EXPECT_EQ(library.esps.size(), 1u);
    // An announcement in other case opens no game: the old echo still counts.
    library.transcript = std::string(kGame) + "\r\nESP TO Bob: 7\r\nBob: get ready to play 21";
    Tick();
    EXPECT_EQ(library.esps.size(), 1u);
}

TEST(TickInSight, SendsOnlyWithAGameInSight) {
    // Bob's game was entered; then the tick's two fetches answer:
    const struct {
        const char* what;
        std::string text;
        std::size_t esps;  // to Bob, over two ticks
    } cases[] = {
        {"an empty or NULL text", "", 0},
        {"chat scrolled past the game and the echo", "Alice: so long\r\nDave: night", 0},
        {"an announcement naming no speaker", "ESP TO Bob: 12\r\nCarol waves. Get Ready to Play 21",
         0},
        {"the same, chat after it", "x\r\nCarol waves. Get Ready to Play 21\r\nAl: hi", 0},
        {"a first-line announcement, no echo after it", "Carol: Get Ready to Play 21\r\nhi", 1},
        {"a first-line announcement, an echo after it",
         "Carol: Get Ready to Play 21\r\nESP TO Bob: 1", 0},
    };
    for (const auto& c : cases) {
        FakeLibrary library;
        FakeRandom random;
        MemoryForm form;
        Tolvik tolvik{form, library, random, "Tolvik"};
        library.transcript = kGame;
        library.echoEsps = true;
        form.numberText = "12";
        library.onCall = [&] { EXPECT_FALSE(form.timerEnabled) << "a tick holds the timer off"; };
        form.timerEnabled = true;
        tolvik.vzTimer_Timer();
        ASSERT_EQ(library.esps.size(), 1u);
        library.transcript = c.text;
        for (int i = 0; i < 2; ++i) tolvik.vzTimer_Timer();
        EXPECT_EQ(library.esps.size(), 1 + c.esps) << c.what;
        EXPECT_EQ(library.esps.back().recipient, "Bob") << c.what;
        EXPECT_EQ(form.hostText, "Bob") << c.what;
        EXPECT_TRUE(form.boxes.empty()) << c.what;
        EXPECT_TRUE(form.timerEnabled) << c.what;
    }
}

TEST(TickUnderClicks, ClicksWhileALibraryCallWaits) {
    // A click handled inside the tick's first library call.
    const struct {
        const char* what;
        std::function<void(Tolvik&)> click;
        std::vector<long> espTimeouts;
        bool autoAfter, stopped;
    } cases[] = {
        {"Auto Off", [](Tolvik& t) { t.optAuto_Click(1); }, {3000}, false, false},
        {"Auto Off, then On",
         [](Tolvik& t) {
             t.optAuto_Click(1);
             t.optAuto_Click(0);
         },
         {3000},
         true,
         false},
        {"Register, carried out after the tick",
         [](Tolvik& t) { t.cmdRegister_Click(); },
         {3000, 5000},
         true,
         false},
        {"Quit", [](Tolvik& t) { t.cmdQuit_Click(); }, {}, false, true},
        {"Register, then Quit",
         [](Tolvik& t) {
             t.cmdRegister_Click();
             t.cmdQuit_Click();
         },
         {},
         false,
         true},
    };
    for (const auto& c : cases) {
        FakeLibrary library;
        FakeRandom random;
        MemoryForm form;
        Tolvik tolvik{form, library, random, "Tolvik"};
        form.onClose = [&] { tolvik.Form_Unload(); };
        library.transcript = kGame;
        library.echoEsps = true;
        form.numberText = "12";
        bool clicked = false;
        library.onCall = [&] {
            if (!clicked) c.click(tolvik);
            clicked = true;
        };
        form.timerEnabled = true;
        tolvik.vzTimer_Timer();
        std::vector<long> timeouts;
        for (const auto& esp : library.esps) timeouts.push_back(esp.timeout);
        EXPECT_EQ(timeouts, c.espTimeouts) << c.what;
        EXPECT_EQ(form.timerEnabled, c.autoAfter) << c.what;
        EXPECT_EQ(library.nestedCalls, 0) << c.what;
        const bool stopped = !library.calls.empty() && library.calls.back() == "DapiStop";
        EXPECT_EQ(stopped, c.stopped) << c.what;
        if (c.stopped) {
            EXPECT_EQ(library.fetchTimeouts.size(), 1u) << "a call after DapiStop";
        }
    }
}

TEST_F(RegistrationTest, TickSendsNothingWithoutAHostAndShowsNoBox) {
    form.numberText = "7";
    library.transcript = "";
    Tick();
    library.transcript = "Bob: Get Ready to Play 21";  // first line: no host can be known
    Tick();
    Tick();
    EXPECT_TRUE(library.esps.empty());
    EXPECT_TRUE(form.boxes.empty());
    EXPECT_EQ(form.hostText, "Host...");
}

TEST_F(RegistrationTest, TickWithNonNumericBoxWritesTheError) {
    library.transcript = kGame;
    form.numberText = "WRONG NUMBER";
    Tick();
    EXPECT_EQ(form.numberText, "You have to enter a number here!!!!!");
    EXPECT_TRUE(library.esps.empty());
}

TEST_F(RegistrationTest, TickDrawsStrictlyBetweenTheBounds) {
    library.transcript = kGame;
    RandomBetween("3", "6");
    random.values = {DrawOf(3), DrawOf(6), DrawOf(2), DrawOf(5)};
    Tick();
    ASSERT_EQ(library.esps.size(), 1u);
    EXPECT_EQ(library.esps[0].message, "5");
    EXPECT_EQ(form.numberText, "5");
}

TEST_F(RegistrationTest, TickWithEqualBoundsOnlyFillsTheBox) {
    library.transcript = kGame;
    RandomBetween("7", "7");
    Tick();
    Tick();
    EXPECT_EQ(form.numberText, "7");
    EXPECT_TRUE(library.esps.empty());
}

TEST_F(RegistrationTest, TickWithAdjacentBoundsSendsNothingAndEnds) {
    library.transcript = kGame;
    RandomBetween("7", "8");
    form.numberText = "12";
    random.fallback = DrawOf(7);  // a looping draw would never end
    Tick();
    EXPECT_EQ(form.numberText, "12");
    EXPECT_TRUE(library.esps.empty());
}

TEST_F(RegistrationTest, TickWithUnpickedListsDrawsOneToTwenty) {
    library.transcript = kGame;
    RandomBetween("", "");
    random.values = {DrawOf(21), DrawOf(1)};
    Tick();
    ASSERT_EQ(library.esps.size(), 1u);
    EXPECT_EQ(library.esps[0].message, "1");

    library.esps.clear();
    RandomBetween("19", "");  // High unpicked counts as 21: only 20 fits
    random.values = {DrawOf(21), DrawOf(20)};
    Tick();
    ASSERT_EQ(library.esps.size(), 1u);
    EXPECT_EQ(library.esps[0].message, "20");
}

}  // namespace
}  // namespace tolvik
