#include "registration/sent_game.h"

#include <algorithm>

namespace tolvik {

bool SentGame::Shows(std::string_view text, TranscriptPosition announcement) const {
    if (!game_ || announcement == 0) return false;
    const std::string_view before = text.substr(0, announcement - 1);
    const std::string_view after = text.substr(announcement - 1);
    // Before the game, the shorter of the two views is the end of the longer.
    const std::size_t common = std::min(before.size(), game_->before.size());
    return after.size() >= game_->reach && after.substr(0, game_->after.size()) == game_->after &&
           before.substr(before.size() - common) ==
               std::string_view(game_->before).substr(game_->before.size() - common);
}

std::optional<SentGame::EarlierEsp> SentGame::EspAlreadySent(std::string_view text,
                                                             TranscriptPosition announcement,
                                                             std::int64_t now) const {
    if (!Shows(text, announcement)) return std::nullopt;
    return EarlierEsp{game_->number, now - game_->sentAt >= game_->gap};
}

void SentGame::Take(std::string_view text, TranscriptPosition announcement, std::int64_t now,
                    const std::string* number) {
    const bool same = Shows(text, announcement);
    if (number) {
        if (announcement == 0) return;  // no game to know again
        const std::int64_t gap =
            same ? std::clamp(2 * (now - game_->sentAt), kFirstResendGap, kLongestResendGap)
                 : kFirstResendGap;
        if (!same) game_ = Game{};
        game_->number = *number;
        game_->sentAt = now;
        game_->gap = gap;
    } else if (!same) {
        if (!game_ || text.empty()) return;  // nothing to tell of
        if (announcement != 0) {
            game_.reset();  // another announcement is the last now, and stays so
        } else {
            // The fetch does not reach the announcement: more chat than it
            // holds stands after it.
            game_->reach = std::max(game_->reach, text.size() + 1);
        }
        return;
    }
    // Both sides as this fetch shows them: should it have matched a newer
    // game that reads as the remembered one, from here on the memory is of
    // that game, which then keeps the number it got.
    game_->before.assign(text.substr(0, announcement - 1));
    game_->after.assign(text.substr(announcement - 1));
    game_->reach = std::max(game_->reach, game_->after.size());
}

}  // namespace tolvik
