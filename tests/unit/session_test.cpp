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
    client.echoEsps = true;
    client.tail = static_cast<std::size_t>(kTranscriptLimit);
    rig.form.numberText = "12";
    rig.tolvik.optAuto_Click(0);
    bool slowCalls = false;
    int click = -1;  // made in the tick's first call: Off, Off and On, Register, Get Host, a tick
    bool pressed = false;  // a press runs after the tick, with the timer on
    client.onCall = [&] {
        ASSERT_TRUE(!rig.form.timerEnabled || pressed) << "a tick holds the timer off";
        if (slowCalls) now += 900;
        if (click == 0 || click == 1) rig.tolvik.optAuto_Click(1);
        if (click == 1) rig.tolvik.optAuto_Click(0);
        if (click == 2) rig.tolvik.cmdRegister_Click();
        if (click == 3) rig.tolvik.cmdGetHost_Click();
        if (click == 2 || click == 3) pressed = true;
        if (click == 4) rig.tolvik.vzTimer_Timer();
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
        ASSERT_TRUE(rig.form.timerEnabled) << "Auto is on, so the timer runs";
        click = mayClick && !rig.tolvik.HostName().empty() && chance(15) ? int(rng() % 5) : -1;
        pressed = false;
        const int clicked = click;
        const std::size_t pressesBefore = presses;
        client.fetchTimeouts.clear();
        rig.tolvik.vzTimer_Timer();
        // A press made during the tick runs once, after it; "Off" stands.
        ASSERT_EQ(rig.form.timerEnabled, clicked != 0);
        if (clicked == 0) rig.tolvik.optAuto_Click(0);
        ASSERT_TRUE(clicked != 3 || client.fetchTimeouts == std::vector<long>({5000, 3000, 5000}));
        for (; checked < client.esps.size(); ++checked) {
            if (client.esps[checked] == rig.tolvik.HostName() + "|12|5000") {  // the press's
                ASSERT_EQ(clicked, 2);
                ++presses;
                if (host == rig.tolvik.HostName()) sent.push_back(now);
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
    const auto noGame = [&](const std::string& lines) {
        say(lines);
        host.clear();
        tick(false);
        tick(false);
    };

    for (int step = 0; step < 800; ++step) {
        slowCalls = chance(10);
        switch (rng() % 7) {
            case 0:
                announce(hosts[rng() % 4], chance(25));
                break;
            case 1:
                say("Alice: anyone for 21?");
                break;
            case 2:  // so much chat that the game scrolls out of what a fetch returns
                if (chance(30)) {
                    for (int i = 0; i < 600; ++i)
                        say("Chatter: what a night in the lounge, who is up for a round?");
                    host.clear();
                }
                break;
            case 3:  // a busy client answers nothing, once or twice
                client.emptyAnswers = 1 + static_cast<int>(rng() % 2);
                break;
            case 4: {  // announcements that name no player
                const std::string odd[] = {
                    "Zed waves. Get Ready to Play 21 :)",
                    "Zed waves. Get Ready to Play 21\r\nAl: hi",
                    "ESP TO Zed: is it Get Ready to Play 21 time?",
                    // Chat past the fetch's window cuts the announcement's line.
                    "Jim: Get Ready to Play 21\r\nChatter: " + std::string(32643, 'z'),
                };
                noGame(odd[rng() % 4]);
                announce(hosts[rng() % 4], false);
                break;
            }
            default:
                break;
        }
        tick();
    }
    EXPECT_GT(games, 100u);
    EXPECT_GT(resends, 10u);
    EXPECT_GT(presses, 10u);
    EXPECT_EQ(rig.random.reseeds, 4 * static_cast<int>(presses));  // ticks never stir it
}

}  // namespace
}  // namespace tolvik
