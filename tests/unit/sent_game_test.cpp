// The tick's memory of the game it sent to, through the window's logic: one
// number per game whatever view of the chat a fetch shows, a newer game new.
#include "registration/sent_game.h"

#include <gtest/gtest.h>

#include <utility>

#include "fakes.h"

namespace tolvik {

using Strings = std::vector<std::string>;

namespace {

// One step of a row: a chat said (a fresh chat when it starts with
// "Welcome!"), then an action made `times` times 750 ms apart, each fetch
// showing the chat's last `tail` characters (0: nothing).
enum class Do { Tick, Register, GetHost };
// clang-format off
struct Step { std::string said; std::size_t tail; int times; Do what; };
Step Ticks(int times, std::string said, std::size_t tail) { return {std::move(said), tail, times, Do::Tick}; }
Step Press(Do what, std::string said, std::size_t tail) { return {std::move(said), tail, 1, what}; }
// clang-format on

}  // namespace

TEST(SentGame, OneNumberPerGameWhateverViewAFetchShowsAndANewerGameIsNew) {
    // The client's echo delay, the steps -> the ESPs (to|number@ms), Random on.
    const std::string bob = "Bob: Get Ready to Play 21\r\n", welcome = "Welcome!\r\n",
                      carol = "Carol: Get Ready to Play 21\r\n", carl = "Carl" + carol.substr(5);
    std::string talk = welcome, flood = welcome;
    while (talk.size() < 500) talk += "Alice: what a night in the lounge\r\n";
    while (flood.size() <= kTranscriptLimit) flood += "Spam: gold, cheap gold!!\r\n";
    const std::size_t all = kTranscriptLimit, line = bob.size() + 2;
    const std::int64_t never = testing::FakeLibrary::kNoEcho;
    // clang-format off
    const struct { const char* name; std::int64_t echo; std::vector<Step> steps; Strings esps; } cases[] = {
        {"a short answer, then a full one: the same game", 1500, {Ticks(1, talk + bob, 100), Ticks(4, "", all)}, {"Bob|7@750"}},
        // Resends spaced out, with the same number, while the game stays, also
        // when its start scrolls past the view or a fetch does not reach it.
        {"no echo", never, {Ticks(1, talk + bob, all), Ticks(3, "", 300), Ticks(1, "", all), Ticks(3, "", 10), Ticks(277, "", all)}, {"Bob|7@750", "Bob|7@3750", "Bob|7@9750", "Bob|7@21750", "Bob|7@45750", "Bob|7@93750", "Bob|7@153750", "Bob|7@213750"}},
        // The same host in the same words, after:
        {"chatter only a short view showed", never, {Ticks(1, talk + bob, all), Ticks(1, "Spam: hi\r\nSpam: hi\r\n", 30), Ticks(1, bob, line)}, {"Bob|7@750", "Bob|9@2250"}},
        {"his echo", 0, {Ticks(2, talk + bob, all), Ticks(1, bob, line)}, {"Bob|7@750", "Bob|9@2250"}},
        {"an emote", never, {Ticks(1, talk + bob, all), Ticks(1, "Carol waves. Get Ready to Play 21 :)\r\n", all), Ticks(1, bob, line)}, {"Bob|7@750", "Bob|9@2250"}},
        {"a flood", 0, {Ticks(27, flood + bob, all), Ticks(27, flood + bob, all), Ticks(1, flood + bob, all)}, {"Bob|7@750", "Bob|9@21000", "Bob|11@41250"}},
        {"a fresh chat", 0, {Ticks(2, talk + bob, all), Ticks(2, "", 0), Ticks(1, talk + bob, all)}, {"Bob|7@750", "Bob|9@3750"}},
        // Another host's game after a view that cut the last one's line, at
        // its announcement or inside its speaker's name.
        {"another host after a cut line", never, {Ticks(1, talk + bob, all), Ticks(1, "", 22), Ticks(1, carol, all), Ticks(1, "", 25), Ticks(1, carl, all)}, {"Bob|7@750", "Carol|9@2250", "Carl|11@3750"}},
        {"the same host after chatter a short view missed", never, {Ticks(1, talk + bob, all), Ticks(1, "", line), Ticks(1, "Al: hi\r\n" + bob, all)}, {"Bob|7@750", "Bob|9@2250"}},
        {"a press on an empty fetch, then a full one before its echo: one number", 1500, {Ticks(3, talk + bob, all), Press(Do::Register, bob, 0), Ticks(2, "", all)}, {"Bob|7@750", "Bob|1@3000"}},
        {"a flood only Get Host's fetch showed: the same host's game after it is new", never, {Ticks(1, flood + bob, all), Press(Do::GetHost, flood.substr(10), all), Ticks(1, bob, all)}, {"Bob|7@750", "Bob|9@2250"}},
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
        for (const Step& step : c.steps) {
            client.transcript =
                (step.said.rfind(welcome, 0) == 0 ? "" : client.transcript) + step.said;
            client.tail = step.tail;
            for (int t = 0; t < step.times; ++t) {
                rig.clock.now += 750;
                if (step.what == Do::Tick) rig.handlers.vzTimer_Timer();
                if (step.what == Do::Register) rig.handlers.cmdRegister_Click();
                if (step.what == Do::GetHost) rig.handlers.cmdGetHost_Click();
                for (std::size_t i = sent.size(); i < client.esps.size(); ++i)
                    sent.push_back(client.esps[i] + "@" + std::to_string(rig.clock.now));
            }
        }
        EXPECT_EQ(sent, c.esps) << c.name;
    }
}

}  // namespace tolvik
