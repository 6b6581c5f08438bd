// Checks the transcript scanning against slow, plainly correct versions.
// Input: a host name, a 0xFF byte, then the transcript (NULs allowed).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "client/transcript.h"

namespace {

using tolvik::HostOutcome;

unsigned char Lower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 0x10;
    if (c == 0x9F) return 0xFF;
    return c;
}

bool MatchesAt(const std::string& text, std::size_t at, const std::string& needle, bool fold) {
    if (at + needle.size() > text.size()) return false;
    for (std::size_t k = 0; k < needle.size(); ++k) {
        const auto a = static_cast<unsigned char>(text[at + k]);
        const auto b = static_cast<unsigned char>(needle[k]);
        if (fold ? Lower(a) != Lower(b) : a != b) return false;
    }
    return true;
}

std::size_t LastPosition(const std::string& text, const std::string& needle, bool fold) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (MatchesAt(text, i, needle, fold)) last = i + 1;
    return last;
}

HostOutcome ReferenceHost(const std::string& text) {
    HostOutcome o;
    const std::size_t a = LastPosition(text, "Get Ready to Play 21", false);
    if (a == 0) return o;
    std::size_t b = 0;  // 1-based position of the CR of the last pair ending before a
    for (std::size_t p = 1; p + 1 < a; ++p)
        if (text[p - 1] == '\r' && text[p] == '\n') b = p;
    if (b == 0) {
        o.kind = HostOutcome::Kind::NoLineBreak;
        return o;
    }
    std::size_t c = 0;
    for (std::size_t p = b; p <= text.size(); ++p)
        if (text[p - 1] == ':') {
            c = p;
            break;
        }
    if (c == 0) return o;
    std::string name = text.substr(b - 1, c - b);
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\r' && i + 1 < name.size() && name[i + 1] == '\n') {
            ++i;
            continue;
        }
        out += name[i];
    }
    o.kind = HostOutcome::Kind::Name;
    o.name = out;
    o.nameSpansLines = name.find("\r\n", 1) != std::string::npos;
    return o;
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "mismatch: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\xFF');
    const std::string host = split == std::string::npos ? "" : input.substr(0, split);
    const std::string raw = split == std::string::npos ? input : input.substr(split + 1);

    const std::string text = tolvik::RemoveNuls(raw);
    std::string stripped;
    for (char ch : raw)
        if (ch != '\0') stripped += ch;
    Check(text == stripped, "NUL removal");

    Check(
        tolvik::LastAnnouncementPosition(text) == LastPosition(text, "Get Ready to Play 21", false),
        "last announcement");
    if (host.find('\0') == std::string::npos)
        Check(tolvik::LastEchoPosition(text, host) ==
                  LastPosition(text, "ESP TO " + host + ":", true),
              "last echo");
    const HostOutcome got = tolvik::HostFromTranscript(text);
    const HostOutcome want = ReferenceHost(text);
    Check(got.kind == want.kind, "host outcome");
    Check(got.name == want.name, "host name");
    Check(got.nameSpansLines == want.nameSpansLines, "name over several lines");
    Check(got.announcement == LastPosition(text, "Get Ready to Play 21", false),
          "announcement of the host outcome");
    return 0;
}
