// Reading the transcript: the host of the last game, the two positions the
// tick compares, and NUL removal; and the tick's memory of the game it sent to.
#include "client/transcript.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "registration/sent_game.h"

namespace tolvik {
namespace {

using Kind = HostOutcome::Kind;
using namespace std::string_literals;

TEST(Transcript, HostOfTheLastAnnouncement) {
    const struct {
        std::string text;
        Kind kind;
        const char* name;
        bool game;  // one the tick may enter
    } cases[] = {
        // clang-format off
        {"Alice: hi\r\nBob: Get Ready to Play 21",                             Kind::Name, "Bob", true},
        {"x\r\nBob: Get Ready to Play 21\r\nCarol: ok Get Ready to Play 21 now", Kind::Name, "Carol", true},
        {"x\r\n Bob: Get Ready to Play 21",                                     Kind::Name, " Bob", true},
        {"Alice: hi\r\nGet Ready to Play 21\r\nBob: ok",   Kind::Name, "Get Ready to Play 21Bob", false},
        {"x\r\nCarol waves. Get Ready to Play 21 :)", Kind::Name, "Carol waves. Get Ready to Play 21 ", false},
        {"x\r\nESP TO Bob: is it Get Ready to Play 21 time?",                   Kind::Name, "ESP TO Bob", false},
        {"x\r\nesp to : Get Ready to Play 21",                                  Kind::Name, "esp to ", false},
        {"x\r\nESP TOM: Get Ready to Play 21",                                  Kind::Name, "ESP TOM", true},
        {"x\r\nJos\xE9 M\xFCller : Get Ready to Play 21",                        Kind::Name, "Jos\xE9 M\xFCller ", true},
        {"x\r\n: Get Ready to Play 21",                                          Kind::Name, "", true},
        {"a\r\nB\rob\n: Get Ready to Play 21",                                   Kind::Name, "B\rob\n", true},
        {"a\r\n\r\nBob: Get Ready to Play 21",                                   Kind::Name, "Bob", true},
        {std::string(70000, 'x') + "\r\nBob: Get Ready to Play 21",              Kind::Name, "Bob", true},
        {"",                                                       Kind::NoName, "", false},
        {"Alice: hi\r\nBob: get ready to play 21",                 Kind::NoName, "", false},
        {"Alice: hi\r\nBob Get Ready to Play 21",                  Kind::NoName, "", false},
        {"\r\nGet Ready to Play 21",                               Kind::NoName, "", false},
        {"Get Ready to Play 21",                                   Kind::NoLineBreak, "", false},
        {"m: Get Ready to Play 21\r\nAlice: hi",                   Kind::NoLineBreak, "", false},
        {"Alice\rBob: Get Ready to Play 21",                       Kind::NoLineBreak, "", false},
        {"Alice\nBob: Get Ready to Play 21",                       Kind::NoLineBreak, "", false},
        // clang-format on
    };
    for (const auto& c : cases) {
        const HostOutcome o = HostFromTranscript(c.text);
        EXPECT_EQ(o.kind, c.kind) << c.text;
        EXPECT_EQ(o.name, c.name) << c.text;
        EXPECT_EQ(GameInSight(o), c.game) << c.text;
        EXPECT_EQ(o.announcement, LastAnnouncementPosition(c.text)) << c.text;
    }
}

TEST(Transcript, PositionsAndNuls) {
    EXPECT_EQ(LastAnnouncementPosition("Get Ready to Play 21"), 1u);
    EXPECT_EQ(LastAnnouncementPosition("ab Get Ready to Play 21 Get Ready to Play 21"), 25u);
    EXPECT_EQ(LastAnnouncementPosition("Get Ready to Play 2"), 0u);
    EXPECT_EQ(LastEchoPosition("x\r\nesp to BOZ: 7", "Boz"), 4u);
    EXPECT_EQ(LastEchoPosition("ESP TO Bob: 7\r\nESP TO Bob: 8", "bob"), 16u);
    EXPECT_EQ(LastEchoPosition("ESP TO Bobby: 7", "Bob"), 0u);
    EXPECT_EQ(LastEchoPosition("ESP TO : 7", ""), 1u);
    EXPECT_EQ(LastEchoPosition("", "Bob"), 0u);
    // Windows-1252 letters fold too, up to the ends of their ranges; other bytes do not.
    EXPECT_EQ(LastEchoPosition("esp to \xE9\x9A\xFF: 1", "\xC9\x8A\x9F"), 1u);
    EXPECT_EQ(LastEchoPosition("esp to \xFE\xF3r:", "\xDE\xF3r"), 1u);  // þór for Þór
    EXPECT_EQ(LastEchoPosition("esp to \xF7: 1", "\xD7"), 0u);
    // Long texts are scanned whole, with wide positions.
    const std::string text =
        std::string(70000, 'x') + "\r\nBob: Get Ready to Play 21\r\nESP TO bob: 3";
    EXPECT_EQ(LastAnnouncementPosition(text), 70008u);
    EXPECT_EQ(LastEchoPosition(text, "Bob"), 70030u);
    testing::FakeLibrary lib;
    lib.transcript = "\0Al\0ice: hi\r\n\0Bo\0b: Get Ready\0 to Play 21\0"s;
    EXPECT_EQ(FetchTranscript(lib, 3000), "Alice: hi\r\nBob: Get Ready to Play 21");
    EXPECT_EQ(lib.fetchTimeouts, std::vector<long>{3000});
    EXPECT_EQ(RemoveNuls("\0\0"s), "");
}

TEST(SentGame, ResendsComeSpacedOutWithTheSameNumberAndANewerGameIsNew) {
    std::string chatter;
    for (int i = 0; i < 60; ++i) chatter += "Alice: hi\r\n";
    const std::string game = chatter + "Bob: Get Ready to Play 21\r\n", more = game + "Al: hi\r\n";
    const TranscriptPosition at = LastAnnouncementPosition(game);
    SentGame sent;
    std::vector<std::int64_t> times;  // of ESPs while no echo comes, a tick every 750 ms
    for (std::int64_t now = 0; now < 240000; now += 750) {
        const auto again = sent.EspAlreadySent(more, at, now);
        EXPECT_TRUE(times.empty() == !again && (!again || again->number == "4")) << now;
        if (!again || again->resendDue) times.push_back(now);
        if (!again || again->resendDue) sent.RecordEsp(more, at, now, "4");
    }
    EXPECT_EQ(times,
              std::vector<std::int64_t>({0, 3000, 9000, 21000, 45000, 93000, 153000, 213000}));
    // The same game with more chat after it, or its start scrolled away; then
    // a newer one, even the same host's in the same words after the same chatter.
    EXPECT_TRUE(sent.EspAlreadySent(more + "Al: hi\r\n", at, 0));
    EXPECT_TRUE(sent.EspAlreadySent(more.substr(100) + "Al: hi\r\n", at - 100, 0));
    for (const std::string& later : {more + "Bob: Get Ready to Play 21\r\n", more + game})
        EXPECT_FALSE(sent.EspAlreadySent(later, LastAnnouncementPosition(later), 0))
            << later.size();
}

}  // namespace
}  // namespace tolvik
