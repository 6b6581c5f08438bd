#include "registration/sent_game.h"

#include <algorithm>

namespace tolvik {

bool SentGame::Same(std::string_view text, TranscriptPosition announcement) const {
    // The text before the game only loses its start as the chat scrolls;
    // after it, it only grows.
    const std::size_t a = announcement - 1;
    if (!any_ || a > at_) return false;
    const std::string_view seen(seen_);
    const std::string_view after = seen.substr(at_);
    return text.substr(a, after.size()) == after && text.substr(0, a) == seen.substr(at_ - a, a);
}

void SentGame::Take(std::string_view text, TranscriptPosition announcement) {
    seen_.assign(text);
    at_ = announcement - 1;
}

std::optional<SentGame::Repeat> SentGame::Resend(std::string_view text,
                                                 TranscriptPosition announcement,
                                                 std::int64_t now) const {
    if (!Same(text, announcement)) return std::nullopt;
    return Repeat{number_, now - sentAt_ >= gap_};
}

void SentGame::Sent(std::string_view text, TranscriptPosition announcement, std::int64_t now,
                    const std::string& number) {
    number_ = number;
    gap_ = Same(text, announcement)
               ? std::clamp(2 * (now - sentAt_), kFirstResendGap, kLongestResendGap)
               : kFirstResendGap;
    sentAt_ = now;
    any_ = true;
    Take(text, announcement);
}

}  // namespace tolvik
