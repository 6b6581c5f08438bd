#include "client/transcript.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace tolvik {
namespace {

using Kind = HostOutcome::Kind;
using namespace std::string_literals;

std::string Name(std::string_view text) {
    const HostOutcome o = HostFromTranscript(text);
    EXPECT_EQ(o.kind, Kind::Name) << "for " << text;
    return o.name;
}

TEST(Transcript, HostIsSpeakerOfLastAnnouncement) {
    EXPECT_EQ(Name("Alice: hi\r\nBob: Get Ready to Play 21"), "Bob");
    EXPECT_EQ(Name("x\r\nBob: Get Ready to Play 21\r\nCarol: ok Get Ready to Play 21 now"),
              "Carol");
    EXPECT_EQ(Name("x\r\n Bob: Get Ready to Play 21"), " Bob");
    // The first ":" after the line break may lie on a later line.
    EXPECT_EQ(Name("Alice: hi\r\nGet Ready to Play 21\r\nBob: ok"), "Get Ready to Play 21Bob");
    // Blanks and high-ANSI bytes stay as they are.
    EXPECT_EQ(Name("x\r\nJos\xE9 M\xFCller : Get Ready to Play 21"), "Jos\xE9 M\xFCller ");
    // An empty speaker is a name too.
    EXPECT_EQ(Name("x\r\n: Get Ready to Play 21"), "");
}

TEST(Transcript, OutcomesWithoutAName) {
    EXPECT_EQ(HostFromTranscript("").kind, Kind::NoAnnouncement);
    EXPECT_EQ(HostFromTranscript("Alice: hi\r\nBob: get ready to play 21").kind,
              Kind::NoAnnouncement);
    EXPECT_EQ(HostFromTranscript("Get Ready to Play 21").kind, Kind::NoLineBreak);
    EXPECT_EQ(HostFromTranscript("Bob: Get Ready to Play 21\r\nAlice: hi").kind, Kind::NoLineBreak);
    // A lone CR or a lone LF opens no line.
    EXPECT_EQ(HostFromTranscript("Alice\rBob: Get Ready to Play 21").kind, Kind::NoLineBreak);
    EXPECT_EQ(HostFromTranscript("Alice\nBob: Get Ready to Play 21").kind, Kind::NoLineBreak);
    // A CR LF that is part of the announcement's own text does not count.
    EXPECT_EQ(HostFromTranscript("\r\nGet Ready to Play 21").kind, Kind::NoAnnouncement);
    // No ":" after the line break: no name can be delimited.
    EXPECT_EQ(HostFromTranscript("Alice: hi\r\nBob Get Ready to Play 21").kind,
              Kind::NoAnnouncement);
}

TEST(Transcript, OnlyCrLfPairsAreRemovedFromTheName) {
    EXPECT_EQ(Name("a\r\nB\rob\n: Get Ready to Play 21"), "B\rob\n");
    EXPECT_EQ(Name("a\r\n\r\nBob: Get Ready to Play 21"), "Bob");
}

TEST(Transcript, Positions) {
    EXPECT_EQ(LastAnnouncementPosition("Get Ready to Play 21"), 1u);
    EXPECT_EQ(LastAnnouncementPosition("ab Get Ready to Play 21 Get Ready to Play 21"), 25u);
    EXPECT_EQ(LastAnnouncementPosition("Get Ready to Play 2"), 0u);
    EXPECT_EQ(LastAnnouncementPosition(""), 0u);
    EXPECT_EQ(LastEchoPosition("x\r\nesp to BOB: 7", "Bob"), 4u);
    EXPECT_EQ(LastEchoPosition("ESP TO Bob: 7\r\nESP TO Bob: 8", "bob"), 16u);
    EXPECT_EQ(LastEchoPosition("ESP TO Bobby: 7", "Bob"), 0u);
    EXPECT_EQ(LastEchoPosition("ESP TO : 7", ""), 1u);
    EXPECT_EQ(LastEchoPosition("", "Bob"), 0u);
    // Windows-1252 letters fold too, other bytes do not.
    EXPECT_EQ(LastEchoPosition("esp to \xE9\x9A\xFF: 1", "\xC9\x8A\x9F"), 1u);
    EXPECT_EQ(LastEchoPosition("esp to \xF7: 1", "\xD7"), 0u);
}

TEST(Transcript, LongTextsAreScannedWholeWithWidePositions) {
    std::string text(70000, 'x');
    text += "\r\nBob: Get Ready to Play 21\r\nESP TO bob: 3";
    const auto a = LastAnnouncementPosition(text);
    EXPECT_EQ(a, 70000u + 8u);
    EXPECT_GT(LastEchoPosition(text, "Bob"), a);
    EXPECT_EQ(Name(text), "Bob");
}

TEST(Transcript, FetchRemovesEveryNul) {
    testing::FakeLibrary lib;
    lib.transcript = "\0Al\0ice: hi\r\n\0Bo\0b: Get Ready\0 to Play 21\0"s;
    const std::string text = FetchTranscript(lib, 3000);
    EXPECT_EQ(text, "Alice: hi\r\nBob: Get Ready to Play 21");
    EXPECT_EQ(Name(text), "Bob");
    EXPECT_EQ(lib.fetchTimeouts, std::vector<long>{3000});
    EXPECT_EQ(RemoveNuls("\0\0"s), "");
}

}  // namespace
}  // namespace tolvik
