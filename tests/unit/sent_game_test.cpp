// The tick's memory of the game it sent to, through the window's logic: one
// number per game whatever window a fetch shows, a newer game new.
#include "registration/sent_game.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fakes.h"

namespace tolvik {

using Strings = std::vector<std::string>;

TEST(SentGame, OneNumberPerGameWhateverWindowAFetchShowsAndANewerGameIsNew) {
    // Echo delay (-1: none); steps: chat said (a fresh chat when it starts
    // with "Welcome!"), then ticks 750 ms apart (0: a press of "Register", -1: of "Get Host")
    // whose fetches show its last `tail` characters (0: nothing) -> the ESPs
    // (to|number@ms), Random on.
    const std::string bob = "Bob: Get Ready to Play 21\r\n", welcome = "Welcome!\r\n",
                      carol = "Carol: Get Ready to Play 21\r\n", carl = "Carl" + carol.substr(5);
    std::string talk = welcome, flood = welcome;
    while (talk.size() < 500) talk += "Alice: what a night in the lounge\r\n";
    while (flood.size() <= kTranscriptLimit) flood += "Spam: gold, cheap gold!!\r\n";
    const std::size_t all = kTranscriptLimit, line = bob.size() + 2;
    // clang-format off
    const struct { std::int64_t echo; std::vector<std::tuple<std::string, std::size_t, int>> steps; Strings esps; } cases[] = {
        // A short answer, then a full one: the same game.
        {1500, {{talk + bob, 100, 1}, {"", all, 4}}, {"Bob|7@750"}},
        // No echo: resends spaced out, with the same number, while the game
        // stays, also when its start scrolls past the window or a fetch
        // does not reach it.
        {-1, {{talk + bob, all, 1}, {"", 300, 3}, {"", all, 1}, {"", 10, 3}, {"", all, 277}}, {"Bob|7@750",
          "Bob|7@3750", "Bob|7@9750", "Bob|7@21750", "Bob|7@45750", "Bob|7@93750", "Bob|7@153750", "Bob|7@213750"}},
        // The same host in the same words: after chatter only a short window
        // showed, right after his echo, after an emote, after a flood, in a
        // fresh chat.
        {-1, {{talk + bob, all, 1}, {"Spam: hi\r\nSpam: hi\r\n", 30, 1}, {bob, line, 1}}, {"Bob|7@750", "Bob|9@2250"}},
        {0, {{talk + bob, all, 2}, {bob, line, 1}}, {"Bob|7@750", "Bob|9@2250"}},
        {-1, {{talk + bob, all, 1}, {"Carol waves. Get Ready to Play 21 :)\r\n", all, 1}, {bob, line, 1}},
         {"Bob|7@750", "Bob|9@2250"}},
        {0, {{flood + bob, all, 27}, {flood + bob, all, 27}, {flood + bob, all, 1}},
         {"Bob|7@750", "Bob|9@21000", "Bob|11@41250"}},
        {0, {{talk + bob, all, 2}, {"", 0, 2}, {talk + bob, all, 1}}, {"Bob|7@750", "Bob|9@3750"}},
        // Another host's game after a window that cut the last one's line,
        // at its announcement or inside its speaker's name.
        {-1, {{talk + bob, all, 1}, {"", 22, 1}, {carol, all, 1}, {"", 25, 1}, {carl, all, 1}},
         {"Bob|7@750", "Carol|9@2250", "Carl|11@3750"}},
        // The same host's game after chatter, though a short window showed
        // only his line; a press on an empty fetch, then a full one before
        // its echo: one number.
        {-1, {{talk + bob, all, 1}, {"", line, 1}, {"Al: hi\r\n" + bob, all, 1}}, {"Bob|7@750", "Bob|9@2250"}},
        {1500, {{talk + bob, all, 3}, {bob, 0, 0}, {"", all, 2}}, {"Bob|7@750", "Bob|1@3000"}},
        // A flood only Get Host's fetch showed: the same host's game after it is new.
        {-1, {{flood + bob, all, 1}, {flood.substr(10), all, -1}, {bob, all, 1}}, {"Bob|7@750", "Bob|9@2250"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        testing::Rig rig;
        auto& client = rig.library;
        client.echoDelay = c.echo;
        rig.random.values = {testing::DrawOf(7), testing::DrawOf(9), testing::DrawOf(11)};
        rig.handlers.optRandom_Click(0);
        rig.handlers.optAuto_Click(0);
        Strings sent;
        for (const auto& [said, tail, ticks] : c.steps) {
            client.transcript = (said.rfind(welcome, 0) == 0 ? "" : client.transcript) + said;
            client.tail = tail;
            for (int t = 0; t < std::max(ticks, 1); ++t) {
                rig.clock.now += 750;
                if (ticks > 0) rig.handlers.vzTimer_Timer();
                if (ticks == 0) rig.handlers.cmdRegister_Click();
                if (ticks < 0) rig.handlers.cmdGetHost_Click();
                for (std::size_t i = sent.size(); i < client.esps.size(); ++i)
                    sent.push_back(client.esps[i] + "@" + std::to_string(rig.clock.now));
            }
        }
        EXPECT_EQ(sent, c.esps) << "row " << &c - cases;
    }
}

}  // namespace tolvik
