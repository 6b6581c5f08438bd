#include "registration/sent_game.h"

#include <algorithm>

namespace tolvik {
namespace {

// How much text before an announcement tells two games of the same words apart.
constexpr std::size_t kContext = 512;

}  // namespace

bool SentGame::Same(std::string_view text, TranscriptPosition announcement) const {
    if (!any_ || announcement == 0 || announcement > text.size()) return false;
    const std::size_t a = announcement - 1;
    const std::string_view seen(seen_);
    const std::string_view after = seen.substr(at_);
    if (text.substr(a, after.size()) != after) return false;
    const std::size_t before = std::min(at_, a);
    return text.substr(a - before, before) == seen.substr(at_ - before, before);
}

void SentGame::Take(std::string_view text, TranscriptPosition announcement) {
    const std::size_t a = announcement - 1;
    const std::size_t from = a - std::min(a, kContext);
    seen_.assign(text.substr(from));
    at_ = a - from;
}

bool SentGame::Due(std::string_view text, TranscriptPosition announcement, std::int64_t now) const {
    return !Same(text, announcement) || now - sentAt_ >= gap_;
}

void SentGame::Sent(std::string_view text, TranscriptPosition announcement, std::int64_t now) {
    if (announcement == 0 || announcement > text.size()) return;
    gap_ = Same(text, announcement)
               ? std::clamp(2 * (now - sentAt_), kFirstResendGap, kLongestResendGap)
               : kFirstResendGap;
    sentAt_ = now;
    any_ = true;
    Take(text, announcement);
}

void SentGame::Follow(std::string_view text, TranscriptPosition announcement) {
    if (Same(text, announcement)) Take(text, announcement);
}

}  // namespace tolvik
