// What the automatic tick remembers of the last game it sent a number for:
// enough to know that game again in any later fetch, to tell a newer game
// from it, and when it may send again.
//
// The chat only grows at its end, and a fetch shows a window of it: usually
// its last 32678 characters, sometimes fewer (a busy client), sometimes
// nothing. So while a game is the last one announced, a fetch that shows its
// announcement shows after it all the chat that the last such fetch showed
// there, and maybe more; before it, more or less of the same chat. A fetch
// that does not reach the announcement tells that more chat than it holds
// has come since. The memory keeps the chat before the game and from its
// announcement on, as the last fetch that showed it did, and how long the
// latter must be by now. A game is the remembered one only if the fetch
// agrees with all three.
//
// A newer announcement, even the same host's in the same words after the
// same chatter, stands where the chat the ticks saw after the older one, or
// the length they saw it grow by, does not fit. A fetch whose last
// announcement is another one ends the remembered game for good: the chat
// never brings it back as the last. An empty fetch tells nothing. Where
// nothing came between the two games that tells them apart, the newer one
// is taken for the older one, and gets its number as a resend: never a
// second number.
//
// An ESP that no echo confirms is sent again, spaced out: the first resend no
// sooner than 3 s after the ESP, each later gap at least twice the one
// before, and from a minute on one a minute.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "client/transcript.h"

namespace tolvik {

constexpr std::int64_t kFirstResendGap = 3000;  // ms
constexpr std::int64_t kLongestResendGap = 60000;

class SentGame {
public:
    // The ESP that the game announced at `announcement` in `text` got
    // already: its number, which a resend repeats (a host who did get the
    // first ESP must not see another number), and whether a resend is due at
    // `now`. Nothing for a game no ESP went to yet.
    struct EarlierEsp {
        std::string number;
        bool resendDue;
    };
    std::optional<EarlierEsp> EspAlreadySent(std::string_view text, TranscriptPosition announcement,
                                             std::int64_t now) const;

    // Takes in what a fetch showed, its last announcement at `announcement`
    // (0: none): more of the remembered game, or that it is over. With
    // `number`, that number went at `now` to the game announced there.
    void Take(std::string_view text, TranscriptPosition announcement, std::int64_t now,
              const std::string* number);

private:
    struct Game {
        std::string before;     // the most chat a fetch showed before the announcement
        std::string after;      // the chat from the announcement on, as the last fetch showed it
        std::size_t reach = 0;  // the least length that chat has by now
        std::string number;     // sent, and repeated by every resend
        std::int64_t sentAt = 0;
        std::int64_t gap = 0;  // before the next resend
    };
    bool Shows(std::string_view text, TranscriptPosition announcement) const;

    std::optional<Game> game_;  // none until an ESP goes out, and once its game is over
};

}  // namespace tolvik
