// Checks the transcript scanning (its fast backward search above all) against
// plain std::string searches; a mismatch aborts. Input: a host name, a 0xFF
// byte, then the transcript.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "client/transcript.h"

namespace {

// Lower case for ASCII letters and the letters of Windows-1252.
std::string Lower(std::string s) {
    for (char& ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) ch = char(c + 32);
        if (c == 0x8A || c == 0x8C || c == 0x8E) ch = char(c + 0x10);
        if (c == 0x9F) ch = char(0xFF);
    }
    return s;
}

// 1-based position of the last occurrence, or 0.
std::size_t LastPosition(const std::string& text, const std::string& needle) {
    const std::size_t at = text.rfind(needle);
    return at == std::string::npos ? 0 : at + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\xFF');
    const std::string host = split == std::string::npos ? "" : input.substr(0, split);
    const std::string text =
        tolvik::RemoveNuls(input.substr(split == std::string::npos ? 0 : split + 1));

    const std::size_t announcement = LastPosition(text, "Get Ready to Play 21");
    if (tolvik::LastAnnouncementPosition(text) != announcement) std::abort();
    if (tolvik::HostFromTranscript(text).announcement != announcement) std::abort();
    if (host.find('\0') == std::string::npos &&
        tolvik::LastEchoPosition(text, host) !=
            LastPosition(Lower(text), Lower("ESP TO " + host + ":")))
        std::abort();
    return 0;
}
