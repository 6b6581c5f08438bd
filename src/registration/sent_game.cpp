#include "registration/sent_game.h"

#include <algorithm>

namespace tolvik {

bool SentGame::IsRememberedGame(std::string_view text, const HostOutcome& last) const {
    if (!game_ || !last.AnnouncedByPlayer() || last.name != game_->host) return false;
    const std::string_view before = text.substr(0, last.announcement - 1);
    const std::string_view after = text.substr(last.announcement - 1);
    // Before the game, the shorter of the two views is the end of the longer.
    const std::size_t common = std::min(before.size(), game_->before.size());
    return after.size() >= game_->leastAfterLength &&
           after.substr(0, game_->after.size()) == game_->after &&
           before.substr(before.size() - common) ==
               std::string_view(game_->before).substr(game_->before.size() - common);
}

std::optional<SentGame::EarlierEsp> SentGame::EspAlreadySent(std::string_view text,
                                                             const HostOutcome& last,
                                                             std::int64_t now) const {
    if (!IsRememberedGame(text, last)) return std::nullopt;
    return EarlierEsp{game_->number, now - game_->sentAt >= game_->gap};
}

void SentGame::TakeFetch(std::string_view text, const HostOutcome& last) {
    if (!game_ || text.empty()) return;  // nothing to tell of
    if (IsRememberedGame(text, last)) {
        RememberAsSeen(text, last);
    } else if (last.kind == HostOutcome::Kind::NoAnnouncement) {
        // The fetch does not reach the announcement: more chat than it holds
        // stands after it.
        game_->leastAfterLength = std::max(game_->leastAfterLength, text.size() + 1);
    } else if (last.kind != HostOutcome::Kind::FirstLine) {
        game_.reset();  // another announcement is the last now, and stays so
    }
}

void SentGame::RecordEsp(std::string_view text, const HostOutcome& last, const std::string& number,
                         std::int64_t now) {
    const bool again = IsRememberedGame(text, last);
    const std::int64_t gap = again ? ResendGapAfter(now - game_->sentAt) : kFirstResendGap;
    if (!again) {
        game_ = Game{};
        game_->host = last.name;
    }
    game_->number = number;
    game_->sentAt = now;
    game_->gap = gap;
    RememberAsSentOn(text, last);
}

void SentGame::RecordEspUnseen(const std::string& host, const std::string& number,
                               std::int64_t now) {
    game_ = Game{};
    game_->host = host;
    game_->number = number;
    game_->sentAt = now;
    game_->gap = kFirstResendGap;
}

void SentGame::RememberAsSentOn(std::string_view text, const HostOutcome& last) {
    game_->before.assign(text.substr(0, last.announcement - 1));
    RememberAfter(text, last);
}

void SentGame::RememberAsSeen(std::string_view text, const HostOutcome& last) {
    const std::string_view before = text.substr(0, last.announcement - 1);
    if (before.size() > game_->before.size()) game_->before.assign(before);
    RememberAfter(text, last);
}

void SentGame::RememberAfter(std::string_view text, const HostOutcome& last) {
    game_->after.assign(text.substr(last.announcement - 1));
    game_->leastAfterLength = std::max(game_->leastAfterLength, game_->after.size());
}

}  // namespace tolvik
