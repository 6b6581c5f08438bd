// Reading the transcript: the positions of the last announcement and the
// last echo, in chats shorter and longer than the fuzzer plays.
#include "client/transcript.h"

#include <gtest/gtest.h>

#include "scan_oracle.h"

namespace tolvik {

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
