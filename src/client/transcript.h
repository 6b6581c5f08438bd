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

struct HostOutcome {
    enum class Kind {
        NoSpeaker,  // no announcement; or no ":" after the line break that opens its line,
                    // or a lone CR or LF between that line break and the announcement
        FirstLine,  // the announcement stands on the transcript's first line
        Speaker,    // `name` is its speaker's
    };
    Kind kind = Kind::NoSpeaker;
    std::string name;  // for Kind::Speaker: may be empty (": Get Ready to Play 21")
    // For Kind::Speaker: the name's ":" stands before the announcement, so the
    // announcement is part of what that speaker said on that line (not an
    // emote, whose "name" runs on to a ":" after it).
    bool saidBySpeaker = false;
    // LastAnnouncementPosition of the same text, whatever the kind.
    TranscriptPosition announcement = 0;
};

// Whether the line holding the name is the client's echo of an ESP the user
// sent ("ESP TO " at its start, in any case).
bool IsEspEcho(std::string_view name);

// The speaker of the last announcement: everything from the CR LF that opens
// the announcement's line up to the first ":" after it, with CR LF pairs
// removed and nothing else trimmed. A line that a lone CR or LF splits before
// the announcement is no one speaker's: no name.
HostOutcome HostFromTranscript(std::string_view text);

}  // namespace tolvik
