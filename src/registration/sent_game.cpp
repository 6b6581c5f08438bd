#include "registration/sent_game.h"

#include <algorithm>

namespace tolvik {

bool SentGame::IsRememberedGame(std::string_view text, TranscriptPosition announcement) const {
    // The text before the game only loses its start as the chat scrolls;
    // after it, it only grows.
    const std::size_t a = announcement - 1;
    if (!remembers_ || a > seenAnnouncement_) return false;
    const std::string_view seen(seen_);
    const std::string_view after = seen.substr(seenAnnouncement_);
    return text.substr(a, after.size()) == after &&
           text.substr(0, a) == seen.substr(seenAnnouncement_ - a, a);
}

void SentGame::Remember(std::string_view text, TranscriptPosition announcement) {
    seen_.assign(text);
    seenAnnouncement_ = announcement - 1;
}

std::optional<SentGame::EarlierEsp> SentGame::EspAlreadySent(std::string_view text,
                                                             TranscriptPosition announcement,
                                                             std::int64_t now) const {
    if (!IsRememberedGame(text, announcement)) return std::nullopt;
    return EarlierEsp{number_, now - sentAt_ >= gap_};
}

void SentGame::RecordEsp(std::string_view text, TranscriptPosition announcement, std::int64_t now,
                         const std::string& number) {
    number_ = number;
    gap_ = IsRememberedGame(text, announcement)
               ? std::clamp(2 * (now - sentAt_), kFirstResendGap, kLongestResendGap)
               : kFirstResendGap;
    sentAt_ = now;
    remembers_ = true;
    Remember(text, announcement);
}

}  // namespace tolvik
