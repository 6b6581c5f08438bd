#include "practice/game_check.h"

#include <cstdio>

namespace vzsim {
namespace {

std::string Seconds(std::int64_t microseconds, std::int64_t start) {
    char text[32];
    std::snprintf(text, sizeof text, "%7.3f s", static_cast<double>(microseconds - start) / 1e6);
    return text;
}

}  // namespace

SessionReport CheckSession(const std::vector<Announcement>& games,
                           const std::vector<SentEsp>& esps) {
    SessionReport report;
    if (games.empty()) {
        report.lines.push_back("no game was announced");
        report.ok = false;
        return report;
    }
    const std::int64_t start = games.front().microseconds;
    std::size_t next = 0;  // next ESP to place
    for (std::size_t g = 0; g < games.size(); ++g) {
        const Announcement& game = games[g];
        const bool last = g + 1 == games.size();
        const std::int64_t until = last ? INT64_MAX : games[g + 1].microseconds;
        report.lines.push_back(Seconds(game.microseconds, start) + "  " + game.host +
                               " announces game " + std::to_string(g + 1));
        // ESPs sent before this game (and after the one before) belong to no game.
        for (; next < esps.size() && esps[next].microseconds < game.microseconds; ++next) {
            report.lines.push_back(Seconds(esps[next].microseconds, start) +
                                   "  unexpected ESP to " + esps[next].recipient + ": " +
                                   esps[next].message);
            report.ok = false;
        }
        int toHost = 0;
        for (; next < esps.size() && esps[next].microseconds < until; ++next) {
            const SentEsp& esp = esps[next];
            const bool right = esp.recipient == game.host;
            toHost += right ? 1 : 0;
            char latency[48];
            std::snprintf(latency, sizeof latency, " (%.0f ms after the announcement)",
                          static_cast<double>(esp.microseconds - game.microseconds) / 1e3);
            report.lines.push_back(Seconds(esp.microseconds, start) + "  Tolvik sends ESP to " +
                                   esp.recipient + ": " + esp.message + latency +
                                   (right ? "" : "  <- not the host"));
            if (!right) report.ok = false;
        }
        if (toHost != 1) {
            report.lines.push_back("           game " + std::to_string(g + 1) + " got " +
                                   std::to_string(toHost) + " ESPs to its host, not 1");
            report.ok = false;
        }
    }
    report.lines.push_back(report.ok ? "every game got exactly one ESP"
                                     : "NOT every game got exactly one ESP");
    return report;
}

}  // namespace vzsim
