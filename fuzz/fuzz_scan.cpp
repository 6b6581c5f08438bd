// The transcript scanning, its own backward search above all, against plain
// std::string searches; a mismatch aborts. Input: a host name, a 0xFF byte,
// then the chat, as any player in the room may write it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "client/transcript.h"

namespace {

constexpr auto npos = std::string::npos;

// Lower case for ASCII letters and the letters of Windows-1252.
std::string Folded(std::string s) {
    for (char& ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) ch = char(c + 32);
        if (c == 0x8A || c == 0x8C || c == 0x8E) ch = char(c + 0x10);
        if (c == 0x9F) ch = char(0xFF);
    }
    return s;
}

std::size_t LastPosition(const std::string& text, const std::string& needle) {
    const std::size_t at = text.rfind(needle);
    return at == npos ? 0 : at + 1;
}

void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\xFF');
    const std::string host = split == npos ? "" : input.substr(0, split);
    const std::string text = tolvik::RemoveNuls(split == npos ? input : input.substr(split + 1));
    Check(text.find('\0') == npos);
    const std::size_t a = LastPosition(text, std::string(tolvik::kAnnouncement));
    Check(tolvik::LastAnnouncementPosition(text) == a &&
          tolvik::HostFromTranscript(text).announcement == a);
    Check(tolvik::LastEchoPosition(text, host) ==
          LastPosition(Folded(text), Folded("ESP TO " + host + ":")));

    return 0;
}
