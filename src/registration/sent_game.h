// What the automatic tick remembers of the last game it sent a number for:
// enough to know that game again in any later fetch, to tell a newer game
// from it, and when it may send again.
//
// A game is one announcement that a player said on a line of their own,
// known again by its host and by the chat around it. The chat only grows at
// its end, and a fetch shows a view of it (usually its last 32678
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
// its number as a resend: never a second number. An ESP that no echo
// confirms is sent again on the schedule below.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "client/transcript.h"

namespace tolvik {

// The resend schedule, in ms: the first resend no sooner than 3 s after the
// ESP, each later gap twice the time since the ESP before it (so at least
// double the gap before), and from a minute on one a minute.
constexpr std::int64_t kFirstResendGap = 3000;
constexpr std::int64_t kLongestResendGap = 60000;
constexpr std::int64_t ResendGapAfter(std::int64_t sinceEarlierEsp) {
    return std::clamp(2 * sinceEarlierEsp, kFirstResendGap, kLongestResendGap);
}

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
        // through a short view (a chat that repeats itself) and got its
        // number, the memory is of that game from then on, and a later full
        // view must not tell the two apart and draw a second number.
        // Without an ESP, the fuller view stays, so a short view alone never
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
    // The remembered game as the fetch an ESP went out on shows it: the chat
    // before it narrowed to this view.
    void RememberAsSentOn(std::string_view text, const HostOutcome& last);
    // The remembered game as a later fetch shows it: more of the chat before
    // it, if this view holds more.
    void RememberAsSeen(std::string_view text, const HostOutcome& last);
    void RememberAfter(std::string_view text, const HostOutcome& last);

    std::optional<Game> game_;  // none until an ESP goes out, and once its game is over
};

}  // namespace tolvik
