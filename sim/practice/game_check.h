// Checks a practice session: every game announced must have got exactly one
// ESP, to its host, before the next game opened.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vzsim {

struct Announcement {
    std::int64_t microseconds;
    std::string host;
};

struct SentEsp {
    std::int64_t microseconds;
    std::string recipient;
    std::string message;
};

struct SessionReport {
    std::vector<std::string> lines;  // what happened, in order, for people
    bool ok = true;
};

SessionReport CheckSession(const std::vector<Announcement>& games,
                           const std::vector<SentEsp>& esps);

}  // namespace vzsim
