// What the automatic tick remembers of the last game it sent a number for:
// enough to know that game again in any later fetch, to tell a newer game
// from it, and when it may send again.
//
// A game is one announcement that a player said on a line of their own,
// known again by its host and by the chat around it. The chat only grows at
// its end, and a fetch shows a window of it (usually its last 32678
// characters, sometimes fewer, sometimes nothing), so the memory keeps the
// chat before the announcement (as the fetch its ESP went out on showed it,
// or the more of it that a later fetch showed), the chat from it on as the
// last fetch showed it, and how long that must be by now; every fetch, the
// tick's first and the presses' too, is taken in. For example, fetches that
// show (| for a line break):
//
//   |Bob: Get Ready to Play 21|            7 goes to Bob's game
//   Al: hi|Bob: Get Ready to Play 21|Cy: ok|   both sides agree: Bob's game still
//   Spam|Spam|...|Spam|                    no announcement: more chat since than it holds
//   Spam|...|Spam|Bob: Get Ready to Play 21|   less after it than that: a newer game
//
// A fetch whose last announcement is another one on a line it shows whole
// ends the remembered game for good: the chat never brings it back as the
// last. A fetch that cuts the announcement's line (its speaker unknown), or
// is empty, tells nothing. Where nothing came between two games by one host
// that tells them apart, the newer one is taken for the older one and gets
// its number as a resend: never a second number.
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

// Whether a player announced the game on a line of their own: the only
// game there is to enter. The speaker said the announcement, on a line of its
// own, and the line is no ESP echo. Not a player's game: an announcement on
// the text's first line (the library's window may have cut it, so its
// speaker is unknown), one before any ":" on its line (an emote; the "name"
// would run to a ":" further on, even on later lines), one on a line a lone
// CR or LF splits, and one quoted in the user's own ESP.
bool AnnouncedByPlayer(const HostOutcome& outcome);

class SentGame {
public:
    // The ESP that the game of `last`, the fetch's last announcement, got
    // already: its number, which a resend repeats (a host who did get the
    // first ESP must not see another number), and whether a resend is due at
    // `now`. Nothing for a game no ESP went to yet.
    struct EarlierEsp {
        std::string number;
        bool resendDue;
    };
    std::optional<EarlierEsp> EspAlreadySent(std::string_view text, const HostOutcome& last,
                                             std::int64_t now) const;

    // Takes in what a fetch showed of the remembered game: more of it, or
    // that it is over.
    void TakeFetch(std::string_view text, const HostOutcome& last);
    // `number` went at `now` to the game of `last`, a player's, in `text`.
    void RecordEsp(std::string_view text, const HostOutcome& last, const std::string& number,
                   std::int64_t now);
    // `number` went at `now` to `host` with no game of theirs in view (a
    // press on an empty or cut fetch): the next game of theirs a fetch shows
    // is taken for it, so the tick only resends that number.
    void RecordEspUnseen(const std::string& host, const std::string& number, std::int64_t now);

private:
    struct Game {
        std::string host;
        // The chat before the announcement as the fetch that an ESP went out
        // on showed it, or more of it as a later fetch that agrees showed.
        // Narrowed only by an ESP: when a newer game was taken for this one
        // through a short window (a chat that repeats itself) and got its
        // number, the memory is of that game from then on, and a later full
        // window must not tell the two apart and draw a second number.
        // Without an ESP, the fuller view stays, so a short window alone never
        // makes a newer game look like this one.
        std::string before;
        std::string after;  // the chat from the announcement on, as the last fetch showed it
        // How long the chat from the announcement on is at least by now: a
        // fetch that did not reach the announcement held less than it.
        std::size_t leastAfterLength = 0;
        std::string number;  // sent, and repeated by every resend
        std::int64_t sentAt = 0;
        std::int64_t gap = 0;  // before the next resend
    };
    bool IsRememberedGame(std::string_view text, const HostOutcome& last) const;
    void Remember(std::string_view text, const HostOutcome& last, bool sentOnIt);

    std::optional<Game> game_;  // none until an ESP goes out, and once its game is over
};

}  // namespace tolvik
