#include <gtest/gtest.h>

#include "practice/game_check.h"
#include "practice/script.h"

namespace vzsim {
namespace {

TEST(PracticeScript, ReadsTimedLinesAndReportsTheFirstBadOne) {
    const Script script = ParseScript(
        "# a comment\n\n0.5 | Bob | Get Ready to Play 21\r\n2 |Dave the Great| hi | there\n");
    ASSERT_TRUE(script.error.empty()) << script.error;
    ASSERT_EQ(script.lines.size(), 2u);
    EXPECT_EQ(script.lines[0].delaySeconds, 0.5);
    EXPECT_EQ(ChatLine(script.lines[0].speaker, script.lines[0].message),
              "Bob: Get Ready to Play 21");
    EXPECT_EQ(script.lines[1].speaker, "Dave the Great");
    EXPECT_EQ(script.lines[1].message, "hi | there");

    EXPECT_EQ(ParseScript("1 | Bob\n").error, "line 1: expected delay | speaker | message");
    EXPECT_EQ(ParseScript("ok\n-1 | Bob | x").error, "line 1: expected delay | speaker | message");
    EXPECT_EQ(ParseScript("1|a|b\nsoon | Bob | x").error, "line 2: bad delay 'soon'");
    EXPECT_EQ(ParseScript("nan | Bob | x").error, "line 1: bad delay 'nan'");
}

TEST(PracticeCheck, EveryGameNeedsExactlyOneEspToItsHost) {
    const std::vector<Announcement> games = {{1000000, "Bob"}, {5000000, "Carol"}};
    EXPECT_TRUE(CheckSession(games, {{1300000, "Bob", "7"}, {5200000, "Carol", "9"}}).ok);
    // Missing, doubled, misdirected, and sent before any game.
    EXPECT_FALSE(CheckSession(games, {{1300000, "Bob", "7"}}).ok);
    EXPECT_FALSE(
        CheckSession(games, {{1300000, "Bob", "7"}, {1900000, "Bob", "7"}, {5200000, "Carol", "9"}})
            .ok);
    EXPECT_FALSE(CheckSession(games, {{1300000, "Carol", "7"}, {5200000, "Carol", "9"}}).ok);
    EXPECT_FALSE(
        CheckSession(games, {{500000, "Bob", "7"}, {1300000, "Bob", "7"}, {5200000, "Carol", "9"}})
            .ok);
    EXPECT_FALSE(CheckSession({}, {}).ok);
}

}  // namespace
}  // namespace vzsim
