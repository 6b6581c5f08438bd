// Reading the transcript: the host of the last game, and the two positions
// the tick compares, in chats shorter and longer than the fuzzer plays.
#include "client/transcript.h"

#include <gtest/gtest.h>

#include "registration/sent_game.h"
#include "scan_oracle.h"

namespace tolvik {

using Kind = HostOutcome::Kind;

TEST(Transcript, HostOfTheLastAnnouncement) {
    // clang-format off
    const struct { std::string text; Kind kind; const char* name; bool game; /* one the tick may enter */ } cases[] = {
        {"Alice: hi\r\nBob: Get Ready to Play 21", Kind::Speaker, "Bob", true}, {"x\r\n Bob: Get Ready to Play 21", Kind::Speaker, " Bob", true},
        {"x\r\nBob: Get Ready to Play 21\r\nCarol: ok Get Ready to Play 21 now", Kind::Speaker, "Carol", true},
        {"Alice: hi\r\nGet Ready to Play 21\r\nBob: ok", Kind::Speaker, "Get Ready to Play 21Bob", false},
        {"x\r\nCarol waves. Get Ready to Play 21 :)", Kind::Speaker, "Carol waves. Get Ready to Play 21 ", false},
        {"x\r\nESP TO Bob: is it Get Ready to Play 21 time?", Kind::Speaker, "ESP TO Bob", false},
        {"x\r\nesp to : Get Ready to Play 21", Kind::Speaker, "esp to ", false}, {"x\r\nESP TOM: Get Ready to Play 21", Kind::Speaker, "ESP TOM", true},
        {"x\r\n: Get Ready to Play 21", Kind::Speaker, "", true}, {"x\r\nGet Ready to Play 21 a\nb: hi", Kind::Speaker, "Get Ready to Play 21 a\nb", false},
        // No speaker: no announcement (none at all, or in another case), no ":"
        // after the line break, a lone LF or CR before it; or on the first line.
        {"", Kind::NoSpeaker, "", false}, {"A: hi\r\nBob: get ready to play 21", Kind::NoSpeaker, "", false},
        {"A: hi\r\nBob Get Ready to Play 21", Kind::NoSpeaker, "", false}, {"\r\nGet Ready to Play 21", Kind::NoSpeaker, "", false},
        {"W\r\nA: hi\nBob: Get Ready to Play 21\r\n", Kind::NoSpeaker, "", false}, {"W\r\nA: hi\rBob: Get Ready to Play 21\r\n", Kind::NoSpeaker, "", false},
        {"Get Ready to Play 21", Kind::FirstLine, "", false}, {"Alice\rBob: Get Ready to Play 21", Kind::FirstLine, "", false},
    };
    // clang-format on
    for (const auto& c : cases) {
        const HostOutcome o = HostFromTranscript(c.text);
        EXPECT_EQ(o.kind, c.kind) << c.text;
        EXPECT_EQ(o.name, c.name) << c.text;
        EXPECT_EQ(AnnouncedByPlayer(o), c.game) << c.text;
    }
}

TEST(Transcript, ScansShortChatsAndPastSixteenBitPositions) {
    // The scanning fuzzer's oracle (scan_oracle.h) on chats shorter than the
    // scanner's blocks and longer than the fuzzer's inputs.
    for (const std::string& pad : {std::string(), std::string("Chatter"), std::string(70000, 'x')})
        for (const std::string host : {"Bob", "\xC9\x8A\x9F\xDE", ""})
            for (const std::string tail :
                 {"\r\nBob: Get Ready to Play 21\r\nesp to bob: 7", "ESP TO \xE9\x9A\xFF\xFE:", ""})
                EXPECT_NO_THROW(testing::CheckScan(host + '\xFF' + pad + tail + pad.substr(0, 33)))
                    << host << tail;
}

}  // namespace tolvik
