// What the automatic tick remembers of the last game it sent a number for:
// enough to tell that game from a newer one, and when it may send again.
//
// A game is known by the chat around its announcement, as far as a fetch
// shows it. Chat only grows at the end, so while the same game is the last
// one announced, a new fetch holds the remembered text again: from the
// announcement on, with more after it, and before it the same text or, once
// the chat runs past what the library returns, the end of that text. A newer
// announcement, even the same host's in the same words after the same
// chatter, stands later in the chat than the older game, so more text comes
// before it, or the older game's own chat is missing after it.
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
    // The ESP the game announced at `announcement` in `text` got already:
    // its number, which a resend repeats (a host who did get the first ESP
    // must not see another number), and whether a resend is due at `now`.
    // Nothing for a game no ESP went to yet. It only answers; it sends nothing.
    struct EarlierEsp {
        std::string number;
        bool resendDue;
    };
    std::optional<EarlierEsp> EspAlreadySent(std::string_view text, TranscriptPosition announcement,
                                             std::int64_t now) const;
    // Records `number`, sent at `now` to the game announced at `announcement`.
    void RecordEsp(std::string_view text, TranscriptPosition announcement, std::int64_t now,
                   const std::string& number);

private:
    bool IsRememberedGame(std::string_view text, TranscriptPosition announcement) const;
    void Remember(std::string_view text, TranscriptPosition announcement);

    bool remembers_ = false;            // an ESP was recorded
    std::string seen_;                  // the fetched text the last ESP was decided on
    std::size_t seenAnnouncement_ = 0;  // the announcement's index in seen_
    std::int64_t sentAt_ = 0;
    std::int64_t gap_ = 0;  // before the next resend
    std::string number_;    // the number sent
};

}  // namespace tolvik
