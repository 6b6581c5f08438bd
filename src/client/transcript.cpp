#include "client/transcript.h"

#include <algorithm>
#include <array>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace tolvik {
namespace {

using CharMap = std::array<unsigned char, 256>;

constexpr CharMap MakeIdentityTable() {
    CharMap t{};
    for (int c = 0; c < 256; ++c) t[c] = static_cast<unsigned char>(c);
    return t;
}
constexpr CharMap kSame = MakeIdentityTable();

// Lower case for ASCII letters and for the letters of Windows-1252.
constexpr CharMap MakeFoldTable() {
    CharMap t = MakeIdentityTable();
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            t[c] = static_cast<unsigned char>(c + 32);  // 0xD7 is the multiplication sign
    t[0x8A] = 0x9A;                                     // S caron
    t[0x8C] = 0x9C;                                     // OE
    t[0x8E] = 0x9E;                                     // Z caron
    t[0x9F] = 0xFF;                                     // Y diaeresis
    return t;
}
constexpr CharMap kFold = MakeFoldTable();

// The two bytes that `map` sends to the same character as `c` (both the same
// when only one does).
std::pair<unsigned char, unsigned char> Variants(const CharMap& map, unsigned char c) {
    for (int b = 0; b < 256; ++b)
        if (b != c && map[b] == map[c]) return {c, static_cast<unsigned char>(b)};
    return {c, c};
}

// 1-based position of the last occurrence of `needle`, comparing characters
// through `map`, or 0. Scans backwards, so it stops at the last match. With
// SSE2, sixteen starting positions are tested at once against the needle's first
// and last characters, and only the few that pass both are compared whole.
TranscriptPosition LastOccurrence(std::string_view text, std::string_view needle,
                                  const CharMap& map) {
    const std::size_t m = needle.size();
    if (m == 0 || m > text.size()) return 0;
    std::string mapped(needle);
    for (char& c : mapped) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* n = reinterpret_cast<const unsigned char*>(mapped.data());
    const auto matchesAt = [&](std::size_t i) {
        for (std::size_t k = 0; k < m; ++k)
            if (map[t[i + k]] != n[k]) return false;
        return true;
    };

    const auto [first1, first2] = Variants(map, static_cast<unsigned char>(needle.front()));
    const auto [last1, last2] = Variants(map, static_cast<unsigned char>(needle.back()));
    std::size_t end = text.size() - m + 1;  // one past the last possible start

#if defined(__SSE2__) || defined(_M_X64)
    const __m128i f1 = _mm_set1_epi8(static_cast<char>(first1));
    const __m128i f2 = _mm_set1_epi8(static_cast<char>(first2));
    const __m128i l1 = _mm_set1_epi8(static_cast<char>(last1));
    const __m128i l2 = _mm_set1_epi8(static_cast<char>(last2));
    while (end >= 16) {
        const std::size_t base = end - 16;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + base));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + base + m - 1));
        const __m128i firstOk = _mm_or_si128(_mm_cmpeq_epi8(a, f1), _mm_cmpeq_epi8(a, f2));
        const __m128i lastOk = _mm_or_si128(_mm_cmpeq_epi8(b, l1), _mm_cmpeq_epi8(b, l2));
        const int mask = _mm_movemask_epi8(_mm_and_si128(firstOk, lastOk));
        if (mask != 0)
            for (int bit = 15; bit >= 0; --bit)
                if ((mask & (1 << bit)) && matchesAt(base + static_cast<std::size_t>(bit)))
                    return base + static_cast<std::size_t>(bit) + 1;
        end = base;
    }
#endif
    while (end > 0) {
        --end;
        const unsigned char a = t[end], b = t[end + m - 1];
        if ((a == first1 || a == first2) && (b == last1 || b == last2) && matchesAt(end))
            return end + 1;
    }
    return 0;
}

// Whether a line is the client's echo of an ESP the user sent: "ESP TO " at
// its start, in any case.
bool IsEspEcho(std::string_view line) {
    constexpr std::string_view kEcho = "esp to ";  // as kFold folds it
    std::string start(line.substr(0, kEcho.size()));
    for (char& c : start) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
    return start == kEcho;
}

}  // namespace

std::string RemoveNuls(std::string text) {
    // Most transcripts hold no NUL at all: find the first before moving anything.
    const auto firstNul = text.find('\0');
    if (firstNul != std::string::npos)
        text.erase(
            std::remove(text.begin() + static_cast<std::ptrdiff_t>(firstNul), text.end(), '\0'),
            text.end());
    return text;
}

std::string FetchTranscript(ClientLibrary& library, long timeout) {
    return RemoveNuls(library.DapiGetText(timeout));
}

TranscriptPosition LastAnnouncementPosition(std::string_view text) {
    return LastOccurrence(text, kAnnouncement, kSame);
}

TranscriptPosition LastEchoPosition(std::string_view text, std::string_view host) {
    std::string needle;
    needle.reserve(host.size() + 8);
    needle.append("ESP TO ").append(host).append(":");
    return LastOccurrence(text, needle, kFold);
}

HostOutcome HostFromTranscript(std::string_view text) {
    using Kind = HostOutcome::Kind;
    HostOutcome outcome;
    const TranscriptPosition a = LastAnnouncementPosition(text);
    outcome.announcement = a;
    if (a == 0) return outcome;

    // The last CR LF pair lying wholly before the announcement (0-based index of its CR).
    const std::size_t announcement = a - 1;
    const std::size_t lineBreak =
        announcement >= 2 ? text.substr(0, announcement).rfind("\r\n") : std::string_view::npos;
    if (lineBreak == std::string_view::npos) {
        outcome.kind = Kind::FirstLine;
        return outcome;
    }

    // What stands on the announcement's line before it.
    const std::string_view lineStart = text.substr(lineBreak + 2, announcement - lineBreak - 2);
    const std::size_t colon = lineStart.find(':');
    if (lineStart.find_first_of("\r\n") != std::string_view::npos)
        outcome.kind = Kind::SplitLine;
    else if (colon == std::string_view::npos)
        outcome.kind = Kind::Emote;
    else if (IsEspEcho(lineStart))
        outcome.kind = Kind::OwnEsp;
    else
        outcome = {Kind::Player, std::string(lineStart.substr(0, colon)), a};
    return outcome;
}

}  // namespace tolvik
