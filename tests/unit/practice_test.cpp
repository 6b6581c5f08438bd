// The practice room's script reader and its check of a session.
#include <gtest/gtest.h>

#include "practice/game_check.h"
#include "practice/script.h"

namespace vzsim {
namespace {

TEST(Practice, ScriptLinesAndSessionCheck) {
    const Script script =
        ParseScript("# note\n\n0.5 | Bob | Get Ready to Play 21\r\n2 |Dave| a | b\n");
    ASSERT_EQ(script.lines.size(), 2u) << script.error;
    EXPECT_EQ(script.lines[0].delaySeconds, 0.5);
    EXPECT_EQ(ChatLine(script.lines[1].speaker, script.lines[1].message), "Dave: a | b");
    EXPECT_EQ(ParseScript("1|a|b\n-1 | Bob").error, "line 2: expected delay | speaker | message");
    EXPECT_EQ(ParseScript("nan | Bob | x").error, "line 1: bad delay 'nan'");

    const std::vector<Announcement> games = {{1000000, "Bob"}, {5000000, "Carol"}};
    EXPECT_TRUE(CheckSession(games, {{1300000, "Bob", "7"}, {5200000, "Carol", "9"}}).ok);
    // Missing, doubled, misdirected, sent before any game, and no game at all.
    for (const std::vector<SentEsp>& esps : std::vector<std::vector<SentEsp>>{
             {{1300000, "Bob", "7"}},
             {{1300000, "Bob", "7"}, {1900000, "Bob", "7"}, {5200000, "Carol", "9"}},
             {{1300000, "Carol", "7"}, {5200000, "Carol", "9"}},
             {{500000, "Bob", "7"}, {1300000, "Bob", "7"}, {5200000, "Carol", "9"}}})
        EXPECT_FALSE(CheckSession(games, esps).ok);
    EXPECT_FALSE(CheckSession({}, {}).ok);
}

}  // namespace
}  // namespace vzsim
