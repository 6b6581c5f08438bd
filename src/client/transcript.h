// Reading the chat transcript: fetching it, and finding the last game
// announcement, the last ESP echo to a host and the host's name in it.
//
// Positions are 1-based character indices, 0 meaning not found. They are
// wide enough for a transcript of any length, so a library that returns more
// than the promised 32678 characters is still scanned whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "client/client_library.h"

namespace tolvik {

constexpr std::string_view kAnnouncement = "Get Ready to Play 21";

using TranscriptPosition = std::size_t;

// The text with every NUL character removed.
std::string RemoveNuls(std::string text);

// The transcript from the library with every NUL character removed.
std::string FetchTranscript(ClientLibrary& library, long timeout);

// Position of the last "Get Ready to Play 21", matched with case.
TranscriptPosition LastAnnouncementPosition(std::string_view text);

// Position of the last "ESP TO " + host + ":", matched ignoring the case of
// ASCII and Windows-1252 letters.
TranscriptPosition LastEchoPosition(std::string_view text, std::string_view host);

// Whose game the last announcement is. Only a player's own line names a host:
// the announcement stands on a line of its own after a line break, the
// speaker's ":" comes before it, and the line is no echo of the user's ESP.
struct HostOutcome {
    enum class Kind {
        NoAnnouncement,
        FirstLine,  // on the text's first line, whose speaker the fetch may have cut
        SplitLine,  // a lone CR or LF stands between its line's start and it
        Emote,      // no ":" before it on its line (an emote, or a line with no speaker)
        OwnEsp,     // on the echo of an ESP the user sent ("ESP TO " at its start, in any case)
        Player,     // on a player's own line: `name` is the host
    };
    Kind kind = Kind::NoAnnouncement;
    // For Kind::Player: everything from the line's start up to the first ":",
    // nothing trimmed; may be empty (": Get Ready to Play 21").
    std::string name;
    // LastAnnouncementPosition of the same text, whatever the kind.
    TranscriptPosition announcement = 0;

    // A player announced the game on a line of their own: the only game there
    // is to enter.
    bool AnnouncedByPlayer() const { return kind == Kind::Player; }
};

// The last announcement and whose it is.
HostOutcome HostFromTranscript(std::string_view text);

}  // namespace tolvik
