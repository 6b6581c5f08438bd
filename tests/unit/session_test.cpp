// A long seeded session of a client as it can really behave (games, games
// entered by hand, games announced during a tick, odd lines, NULs, empty
// answers, chat scrolling past the 32678 characters a fetch returns, clicks
// while a call waits), with Auto on, checked against an oracle: each game
// gets one number from the tick, to its own host, and none when the user
// already entered it.
#include <gtest/gtest.h>

#include <random>

#include "fakes.h"

namespace tolvik {
namespace {

TEST(Session, EachGameGetsOneNumberFromTheTickToItsHost) {
    std::mt19937 rng(20261207);
    const auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    const char* const hosts[] = {"Bob", "Carol", "Dave the Great", "B\xF6rk"};

    testing::Rig rig;
    auto& client = rig.library;
    client.transcript = "Welcome to the lounge!\r\n";
    client.echoEsps = true;
    client.tail = static_cast<std::size_t>(kTranscriptLimit);
    rig.form.numberText = "12";
    rig.tolvik.optAuto_Click(0);
    bool autoOffInCall = false;
    client.onCall = [&] {
        ASSERT_FALSE(rig.form.timerEnabled) << "a tick holds the timer off";
        if (!autoOffInCall) return;
        autoOffInCall = false;
        rig.tolvik.optAuto_Click(1);
    };

    std::string host;            // of the game announced last
    bool enteredBefore = false;  // by hand, before Tolvik could
    std::size_t checked = 0, games = 0, gameEsps = 0;
    const auto say = [&](const std::string& line) { client.transcript += line + "\r\n"; };
    const auto tick = [&] {
        client.fetchTimeouts.clear();
        ASSERT_TRUE(rig.form.timerEnabled) << "Auto is on, so the timer runs";
        rig.tolvik.vzTimer_Timer();
        const std::vector<long> both{5000, 3000}, first{5000};  // the second needs a host
        ASSERT_EQ(client.fetchTimeouts, rig.tolvik.HostName().empty() ? first : both);
        for (; checked < client.esps.size(); ++checked, ++gameEsps)
            EXPECT_EQ(client.esps[checked], host + "|12|3000") << "game " << games;
        ASSERT_LE(gameEsps, enteredBefore ? 0u : 1u) << "game " << games;
        ASSERT_EQ(client.nestedCalls, 0);
    };
    const auto announce = [&](const std::string& by, bool byHand) {
        std::string lines = by + ": Get Ready to Play 21\r\n";
        if (byHand) lines += "ESP TO " + by + ": 9\r\n";
        if (chance(30))  // after the tick's first fetch, before its second
            client.changes = {"", lines};
        else
            client.transcript += lines;
        host = by;
        enteredBefore = byHand;
        gameEsps = 0;
        ++games;
        // Two quiet ticks always enter a game in sight.
        tick();
        tick();
        EXPECT_EQ(gameEsps, byHand ? 0u : 1u) << "game " << games;
    };

    for (int step = 0; step < 600; ++step) {
        switch (rng() % 7) {
            case 0:
                announce(hosts[rng() % 4], chance(25));
                break;
            case 1:  // chatter, some of it odd
                say("Alice: anyone for 21?");
                if (chance(30)) say("Alice waves at get ready to play 21");
                if (chance(30)) client.transcript += std::string("Ed\0die: hi\r\n", 12);
                break;
            case 2:  // so much chat that the game scrolls out of what a fetch returns
                if (chance(30))
                    for (int i = 0; i < 600; ++i)
                        say("Chatter: what a night in the lounge, who is up for a round?");
                break;
            case 3:  // a busy client answers nothing, once or twice
                client.emptyAnswers = 1 + static_cast<int>(rng() % 2);
                break;
            case 4:  // an announcement naming no speaker, then a real game
                say("Zed waves. Get Ready to Play 21");
                if (chance(50)) say("Al: hi");  // a "name" strung over two lines
                tick();
                tick();
                EXPECT_EQ(rig.tolvik.HostName(), host);
                announce(hosts[rng() % 4], false);
                break;
            case 5:  // Auto off and on again while a call waits
                autoOffInCall = true;
                tick();
                ASSERT_FALSE(rig.form.timerEnabled);
                rig.tolvik.optAuto_Click(0);
                break;
            default:
                break;
        }
        tick();
    }
    EXPECT_GT(games, 100u);
    EXPECT_EQ(rig.random.reseeds, 0);  // ticks never stir the seed
}

}  // namespace
}  // namespace tolvik
