// A long seeded session of a client as it can really behave (games, games
// entered by hand, games announced during a tick, echoes at once, late or
// never, odd lines, empty answers, slow calls, chat scrolling past the 32678
// characters a fetch returns, clicks while a call waits), with Auto on,
// checked against an oracle: a game gets its number from the first tick that
// sees it, to its own host, none when the user entered it already, and again
// only while no echo came, spaced out; nothing goes out with no game in sight.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "fakes.h"

namespace tolvik {
namespace {

TEST(Session, EachGameGetsItsNumberFromTheTickOnceOrSpacedOutResends) {
    std::mt19937 rng(20261207);
    const auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    const char* const hosts[] = {"Bob", "Carol", "Dave the Great", "B\xF6rk"};

    testing::Rig rig;
    auto& client = rig.library;
    std::int64_t& now = rig.clock.now;
    client.transcript = "Welcome to the lounge!\r\n";
    client.tail = static_cast<std::size_t>(kTranscriptLimit);
    rig.view.numberBoxText = "12";
    rig.handlers.optAuto_Click(0);
    bool slowCalls = false;
    // Made in the tick's first call: Off, Off and On, Register, Get Host, a
    // tick; or Quit amid them, which holds for DapiStop's call too.
    int click = -1;
    bool pressed = false;  // a press runs after the tick, with the timer on
    client.onCall = [&] {
        ASSERT_TRUE(!rig.view.timerEnabled || pressed) << "a tick holds the timer off";
        if (slowCalls) now += 900;
        if (click == 0 || click == 1) rig.handlers.optAuto_Click(1);
        if (click == 1) rig.handlers.optAuto_Click(0);
        if (click == 2) rig.handlers.cmdRegister_Click();
        if (click == 3) rig.handlers.cmdGetHost_Click();
        if (click == 2 || click == 3) pressed = true;
        if (click == 4 || click == 5) rig.handlers.vzTimer_Timer();
        if (click == 5) {
            rig.handlers.cmdRegister_Click();
            if (client.calls.empty()) rig.handlers.cmdQuit_Click();
            rig.handlers.cmdGetHost_Click();
            rig.handlers.optAuto_Click(0);
            return;
        }
        click = -1;
    };

    std::string host;                // of the game Tolvik may enter; "" while none is in sight
    bool enteredBefore = false;      // by hand, before Tolvik could
    std::vector<std::int64_t> sent;  // the game's ESPs
    std::size_t checked = 0, games = 0, resends = 0, presses = 0;
    const auto say = [&](const std::string& line) {
        client.WriteLateEchoes();
        client.transcript += line + "\r\n";
    };
    const auto tick = [&](bool mayClick = true) {
        now += 750 + static_cast<std::int64_t>(rng() % 40);
        ASSERT_TRUE(rig.view.timerEnabled) << "Auto is on, so the timer runs";
        click = mayClick && !rig.handlers.HostName().empty() && chance(15) ? int(rng() % 5) : -1;
        pressed = false;
        const int clicked = click;
        const std::size_t pressesBefore = presses;
        client.fetchTimeouts.clear();
        rig.handlers.vzTimer_Timer();
        // A press made during the tick runs once, after it; "Off" stands.
        ASSERT_EQ(rig.view.timerEnabled, clicked != 0);
        if (clicked == 0) rig.handlers.optAuto_Click(0);
        ASSERT_TRUE(clicked != 3 || client.fetchTimeouts == std::vector<long>({5000, 3000, 5000}));
        for (; checked < client.esps.size(); ++checked) {
            if (client.esps[checked] == rig.handlers.HostName() + "|12|5000") {  // the press's
                ASSERT_EQ(clicked, 2);
                ++presses;
                if (host == rig.handlers.HostName()) sent.push_back(now);
                continue;
            }
            ASSERT_EQ(client.esps[checked], host + "|12|3000") << "game " << games;
            ASSERT_FALSE(enteredBefore) << "game " << games;
            ASSERT_TRUE(sent.empty() || client.echoDelay < 0) << "the echo came in time";
            if (!sent.empty()) {  // 3 s at least, then double the gap before, up to a minute
                const auto before = sent.size() < 2 ? 0 : sent.back() - sent[sent.size() - 2];
                ASSERT_GE(now - sent.back(), std::clamp<std::int64_t>(2 * before, 3000, 60000));
                ++resends;
            }
            sent.push_back(now);
        }
        ASSERT_EQ(presses - pressesBefore, clicked == 2 ? 1u : 0u);
        ASSERT_EQ(client.nestedCalls, 0);
    };
    const auto announce = [&](const std::string& by, bool byHand) {
        now += 1500;  // the last game's late echo stands before this one
        client.WriteLateEchoes();
        const int echo = static_cast<int>(rng() % 10);
        client.echoDelay = echo < 6 ? 0 : echo < 8 ? 1500 : -1;
        std::string lines = by + ": Get Ready to Play 21\r\n";
        if (byHand) lines += "ESP TO " + by + ": 9\r\n";
        if (chance(30))  // after the tick's first fetch, before its second
            client.changes = {"", lines};
        else
            client.transcript += lines;
        host = by;
        enteredBefore = byHand;
        sent.clear();
        ++games;
        tick(false);
        tick(false);  // two ticks always enter a game in sight
        ASSERT_EQ(sent.empty(), byHand) << "game " << games;
    };
    for (int step = 0; step < 800; ++step) {
        slowCalls = chance(10);
        const auto what = rng() % 6;
        if (what == 0) announce(hosts[rng() % 4], chance(25));
        if (what == 1) say("Alice: anyone for 21?");
        if (what == 2 && chance(30)) {  // so much chat that the game scrolls out of a fetch
            for (int i = 0; i < 600; ++i)
                say("Chatter: what a night in the lounge, who is up for a round?");
            host.clear();
        }
        if (what == 3) client.emptyAnswers = 1 + static_cast<int>(rng() % 2);  // a busy client
        tick();
    }
    EXPECT_GT(games, 100u);
    EXPECT_GT(resends, 5u);
    EXPECT_GT(presses, 10u);
    EXPECT_EQ(rig.random.reseeds, 4 * static_cast<int>(presses));  // ticks never stir it
    // Quit while a tick's call waits: the tick ends there, and nothing reaches
    // the library after DapiStop, nor runs the timer again.
    const auto esps = client.esps.size();
    client.fetchTimeouts.clear();
    click = 5;
    rig.handlers.vzTimer_Timer();
    EXPECT_EQ(client.fetchTimeouts, std::vector<long>{5000});
    EXPECT_EQ(client.calls, std::vector<std::string>{"DapiStop"});
    EXPECT_EQ(client.esps.size(), esps);
    EXPECT_FALSE(rig.view.timerEnabled);
    EXPECT_EQ(client.nestedCalls, 0);
}

}  // namespace
}  // namespace tolvik
