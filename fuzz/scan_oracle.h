// The transcript scanning, its own backward search above all, against plain
// std::string searches: the scanning fuzzer's oracle, which a native test
// also plays from seeded chats.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "client/transcript.h"

namespace tolvik::testing {

// Lower case for ASCII letters and the letters of Windows-1252.
inline std::string Folded(std::string s) {
    for (char& ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) ch = char(c + 32);
        if (c == 0x8A || c == 0x8C || c == 0x8E) ch = char(c + 0x10);
        if (c == 0x9F) ch = char(0xFF);
    }
    return s;
}

// 1-based position of the last occurrence, or 0 (npos + 1 wraps to 0).
inline std::size_t LastPosition(const std::string& text, const std::string& needle) {
    return text.rfind(needle) + 1;
}

// Input: a host name, a 0xFF byte, then the chat. Throws on a mismatch.
inline void CheckScan(std::string_view input) {
    const std::size_t split = input.find('\xFF');
    const std::string host(input.substr(0, split == input.npos ? 0 : split));
    const std::string text =
        RemoveNuls(std::string(input.substr(split == input.npos ? 0 : split + 1)));
    const std::size_t a = LastPosition(text, std::string(kAnnouncement));
    if (text.find('\0') != std::string::npos || LastAnnouncementPosition(text) != a ||
        HostFromTranscript(text).announcement != a)
        throw std::logic_error("the last announcement");
    if (LastEchoPosition(text, host) != LastPosition(Folded(text), Folded("ESP TO " + host + ":")))
        throw std::logic_error("the last echo to " + host);
}

}  // namespace tolvik::testing
