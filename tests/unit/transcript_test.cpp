// Reading the transcript: the host of the last game, the two positions the
// tick compares, and NUL removal; the tick's memory of the game it sent to;
// and seeded sessions of the tick against a client as it can behave.
#include "client/transcript.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "chat_session.h"
#include "fakes.h"
#include "scan_oracle.h"
#include "registration/registration.h"

namespace tolvik {
namespace {

using Kind = HostOutcome::Kind;
using namespace std::string_literals;
using namespace std::string_view_literals;
using testing::DrawOf;
using Strings = std::vector<std::string>;

TEST(Transcript, HostOfTheLastAnnouncement) {
    const struct {
        std::string text;
        Kind kind;
        const char* name;
        bool game;  // one the tick may enter
    } cases[] = {
        // clang-format off
        {"Alice: hi\r\nBob: Get Ready to Play 21",                             Kind::Speaker, "Bob", true},
        {"x\r\nBob: Get Ready to Play 21\r\nCarol: ok Get Ready to Play 21 now", Kind::Speaker, "Carol", true},
        {"x\r\n Bob: Get Ready to Play 21",                                     Kind::Speaker, " Bob", true},
        {"Alice: hi\r\nGet Ready to Play 21\r\nBob: ok",   Kind::Speaker, "Get Ready to Play 21Bob", false},
        {"x\r\nCarol waves. Get Ready to Play 21 :)", Kind::Speaker, "Carol waves. Get Ready to Play 21 ", false},
        {"x\r\nESP TO Bob: is it Get Ready to Play 21 time?",                   Kind::Speaker, "ESP TO Bob", false},
        {"x\r\nesp to : Get Ready to Play 21",                                  Kind::Speaker, "esp to ", false},
        {"x\r\nESP TOM: Get Ready to Play 21",                                  Kind::Speaker, "ESP TOM", true},
        {"x\r\n: Get Ready to Play 21",                                          Kind::Speaker, "", true},
        {"x\r\nGet Ready to Play 21 a\nb: hi",                    Kind::Speaker, "Get Ready to Play 21 a\nb", false},
        // clang-format on
    };
    for (const auto& c : cases) {
        const HostOutcome o = HostFromTranscript(c.text);
        EXPECT_EQ(o.kind, c.kind) << c.text;
        EXPECT_EQ(o.name, c.name) << c.text;
        EXPECT_EQ(AnnouncedByPlayer(o), c.game) << c.text;
    }
    // No speaker: no announcement (none at all, or in another case), no ":"
    // after the line break, a lone LF or CR before it; or on the first line.
    // clang-format off
    for (const auto& [text, kind] : std::vector<std::pair<std::string, Kind>>{{"", Kind::NoSpeaker},
             {"A: hi\r\nBob: get ready to play 21", Kind::NoSpeaker}, {"A: hi\r\nBob Get Ready to Play 21", Kind::NoSpeaker},
             {"\r\nGet Ready to Play 21", Kind::NoSpeaker}, {"W\r\nA: hi\nBob: Get Ready to Play 21\r\n", Kind::NoSpeaker},
             {"W\r\nA: hi\rBob: Get Ready to Play 21\r\n", Kind::NoSpeaker}, {"Get Ready to Play 21", Kind::FirstLine},
             {"Alice\rBob: Get Ready to Play 21", Kind::FirstLine}})
        // clang-format on
        EXPECT_TRUE(HostFromTranscript(text).kind == kind && HostFromTranscript(text).name.empty())
            << text;
}

TEST(Transcript, ScansAsPlainSearchesDo) {
    // Seeded chats of pieces near the needles, letters at the ends of the
    // folded ranges, NULs, and one past 16-bit positions (scan_oracle.h).
    // clang-format off
    const std::string_view pieces[] = {"Get Ready to Play 21", "Get Ready to Play 2", "ESP TO ",
        "esp to ", "Bob", "BOZ", "boz", ":", " 7", "\r\n", "\0"sv, "\xC9\x8A\x9F", "\xE9\x9A\xFF",
        "\xDE\xF3r", "\xFE\xF3r", "\xD7", "\xF7"};
    // clang-format on
    const char* const hosts[] = {"Bob", "Boz", "", "\xC9\x8A\x9F", "\xDE\xF3r", "\xD7"};
    std::mt19937 rng(7);
    for (int i = 0; i < 4000; ++i) {
        std::string input = hosts[rng() % 6] + "\xFF"s + std::string(i == 0 ? 70000 : 0, 'x');
        for (int n = static_cast<int>(rng() % 60); n > 0; --n) input += pieces[rng() % 17];
        EXPECT_NO_THROW(testing::CheckScan(input)) << input;
    }
}

TEST(SentGame, OneNumberPerGameWhateverWindowAFetchShowsAndANewerGameIsNew) {
    // Echo delay (-1: none); steps: chat said (a fresh chat when it starts
    // with "Welcome!"), then ticks 750 ms apart whose fetches show its last
    // `tail` characters (0: nothing) -> the ESPs (to|number@ms), Random on.
    using Step = std::tuple<std::string, std::size_t, int>;  // said, tail, ticks
    const std::string bob = "Bob: Get Ready to Play 21\r\n", welcome = "Welcome!\r\n";
    std::string talk = welcome, flood = welcome;
    while (talk.size() < 500) talk += "Alice: what a night in the lounge\r\n";
    while (flood.size() <= kTranscriptLimit) flood += "Spam: gold, cheap gold!!\r\n";
    const std::size_t all = kTranscriptLimit, line = bob.size() + 2;
    const struct {
        std::int64_t echo;
        std::vector<Step> steps;
        Strings esps;
    } cases[] = {
        // A short answer, then a full one: the same game.
        {1500, {{talk + bob, 100, 1}, {"", all, 4}}, {"Bob|7@750"}},
        // No echo: resends spaced out, with the same number, while the game
        // stays, also when its start scrolls past the window or a fetch
        // does not reach it.
        {-1,
         {{talk + bob, all, 1}, {"", 300, 3}, {"", all, 1}, {"", 10, 3}, {"", all, 277}},
         {"Bob|7@750", "Bob|7@3750", "Bob|7@9750", "Bob|7@21750", "Bob|7@45750", "Bob|7@93750",
          "Bob|7@153750", "Bob|7@213750"}},
        // The same host in the same words: after chatter only a short window
        // showed, right after his echo, after an emote, after a flood, in a
        // fresh chat.
        {-1,
         {{talk + bob, all, 1}, {"Spam: hi\r\nSpam: hi\r\n", 30, 1}, {bob, line, 1}},
         {"Bob|7@750", "Bob|9@2250"}},
        {0, {{talk + bob, all, 2}, {bob, line, 1}}, {"Bob|7@750", "Bob|9@2250"}},
        {-1,
         {{talk + bob, all, 1},
          {"Carol waves. Get Ready to Play 21 :)\r\n", all, 1},
          {bob, line, 1}},
         {"Bob|7@750", "Bob|9@2250"}},
        {0,
         {{flood + bob, all, 27}, {flood + bob, all, 27}, {flood + bob, all, 1}},
         {"Bob|7@750", "Bob|9@21000", "Bob|11@41250"}},
        {0, {{talk + bob, all, 2}, {"", 0, 2}, {talk + bob, all, 1}}, {"Bob|7@750", "Bob|9@3750"}},
    };
    for (const auto& c : cases) {
        testing::Rig rig;
        auto& client = rig.library;
        client.echoDelay = c.echo;
        rig.random.values = {DrawOf(7), DrawOf(9), DrawOf(11)};
        rig.handlers.optRandom_Click(0);
        rig.handlers.optAuto_Click(0);
        Strings sent;
        for (const auto& [said, tail, ticks] : c.steps) {
            client.transcript = (said.rfind(welcome, 0) == 0 ? "" : client.transcript) + said;
            client.tail = tail;
            for (int t = 0; t < ticks; ++t) {
                rig.clock.now += 750;
                rig.handlers.vzTimer_Timer();
                for (std::size_t i = sent.size(); i < client.esps.size(); ++i)
                    sent.push_back(client.esps[i].substr(0, client.esps[i].rfind('|')) + "@" +
                                   std::to_string(rig.clock.now));
            }
        }
        EXPECT_EQ(sent, c.esps) << "row " << &c - cases;
    }
}

TEST(Session, EveryGameGetsOneNumberFromTheTickAndClicksDuringACallCountOnce) {
    // Seeded sessions of Auto against a client as it can behave, checked
    // against what Tolvik promises (chat_session.h, which the fuzzer drives too).
    std::mt19937 rng(20261207);
    int esps = 0;
    for (int session = 0; session < 100; ++session) {
        std::vector<std::uint8_t> bytes(600);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() % 40 : rng());
        esps += testing::PlayChat(bytes.data(), bytes.size());  // throws a broken promise
    }
    EXPECT_GT(esps, 200);
}

}  // namespace
}  // namespace tolvik
