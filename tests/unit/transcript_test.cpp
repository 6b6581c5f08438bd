// Reading the transcript: the host of the last game, and the two positions
// the tick compares, in chats shorter and longer than the fuzzer plays.
#include "client/transcript.h"

#include <gtest/gtest.h>

#include "scan_oracle.h"

namespace tolvik {

TEST(Transcript, HostOfTheLastAnnouncement) {
    // Whose game the last announcement is, as "kind host" (a host only for a player's line).
    const char* const kinds[] = {"none", "first line", "split line", "emote", "own ESP", "player"};
    // clang-format off
    const struct { const char* name; std::string text; std::string says; } cases[] = {
        {"a player's line",         "Alice: hi\r\nBob: Get Ready to Play 21", "player Bob"},
        {"nothing trimmed",         "x\r\n Bob: Get Ready to Play 21", "player  Bob"},
        {"a name like an echo",     "x\r\nESP TOM: Get Ready to Play 21", "player ESP TOM"},
        {"quoted in an ESP",        "x\r\nESP TO Bob: is it Get Ready to Play 21 time?", "own ESP "},
        {"an echo in lower case",   "x\r\nesp to : Get Ready to Play 21", "own ESP "},
        {"a ':' only on a later line", "Alice: hi\r\nGet Ready to Play 21\r\nBob: ok", "emote "},
        {"a ':' after a lone LF",   "x\r\nGet Ready to Play 21 a\nb: hi", "emote "},
        {"split by a lone LF",      "W\r\nA: hi\nBob: Get Ready to Play 21\r\n", "split line "},
        {"split by a lone CR",      "W\r\nA: hi\rBob: Get Ready to Play 21\r\n", "split line "},
        {"a lone CR opens no line", "Alice\rBob: Get Ready to Play 21", "first line "},
        {"in another case",         "A: hi\r\nBob: get ready to play 21", "none "},
    };
    // clang-format on
    for (const auto& c : cases) {
        const HostOutcome o = HostFromTranscript(c.text);
        EXPECT_EQ(kinds[static_cast<int>(o.kind)] + (" " + o.name), c.says) << c.name;
    }
}

TEST(Transcript, ScansShortChatsAndPastSixteenBitPositions) {
    // The scanning fuzzer's oracle (scan_oracle.h) on chats shorter than the
    // scanner's blocks (one with a NUL to remove) and longer than the
    // fuzzer's inputs.
    for (const std::string& pad :
         {std::string(), std::string("Chat\0ter", 8), std::string(70000, 'x')})
        for (const std::string host : {"Bob", "\xC9\x8A\x9F\xDE", ""})
            for (const std::string tail :
                 {"\r\nBob: Get Ready to Play 21\r\nesp to bob: 7", "ESP TO \xE9\x9A\xFF\xFE:", ""})
                EXPECT_NO_THROW(testing::CheckScan(host + '\xFF' + pad + tail + pad.substr(0, 33)))
                    << host << tail;
}

}  // namespace tolvik
