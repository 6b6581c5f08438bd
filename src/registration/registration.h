// What a registration does, decided from its inputs alone: the number to
// send, or what to show instead. The form's handlers apply it.
#pragma once

#include <string>
#include <string_view>

#include "client/transcript.h"
#include "registration/random_source.h"
#include "registration/sent_game.h"

namespace tolvik {

struct Registration {
    enum class Kind {
        Nothing,       // nothing is sent or shown
        Send,          // `number` goes to the host; a drawn one is shown too
        Show,          // `number` is only shown in the number box
        AskForNumber,  // the number box holds no number
    };
    Kind kind = Kind::Nothing;
    std::string number;
    bool drawn = false;
    // What the tick's memory records: the number, when it goes to a game a
    // player announced in the fetched text; else only what that text showed
    // of the remembered game.
    bool toPlayersGame = false;

    const std::string* NumberToRemember() const {
        return kind == Kind::Send && toPlayersGame ? &number : nullptr;
    }
};

// Whether a player announced the game on a line of their own: the only game
// the tick may enter. The speaker said the announcement, on a line of its
// own, and the line is no ESP echo. Not a player's game: an announcement on
// the text's first line (the library's window may have cut it, so its
// speaker is unknown), one before any ":" on its line (an emote; the "name"
// would run to a ":" further on, even on later lines), one on a line a lone
// CR or LF splits, and one quoted in the user's own ESP.
bool AnnouncedByPlayer(const HostOutcome& outcome);

// "Register": the typed text as it stands, or with Random on a fresh draw
// from 1 to 20. Every press registers; no echo is looked for. `seen` is the
// host outcome of the press's fetch.
Registration ManualRegistration(bool randomMode, const std::string& typed, const HostOutcome& seen,
                                RandomSource& random);

// The inputs of the automatic tick: the transcript it decides on, its host
// outcome, the host known after it, the window's texts, and the game the
// tick sent to last with the time now.
struct TickInputs {
    std::string_view text;
    const HostOutcome& latest;
    const std::string& host;
    bool randomMode;
    const std::string& low;
    const std::string& high;
    const std::string& typed;
    const SentGame& sent;
    std::int64_t now;
};

// The tick registers only for a game in sight whose host is known and whose
// announcement no ESP echo to that host follows: at once for a newer game,
// and for the same one again, with the same number, only once its resend is
// due. With Random on it draws strictly between the bounds: an unpicked Low
// counts as 0 and an unpicked High as 21, equal bounds are only shown, and
// bounds with no whole number between them register nothing.
Registration AutoRegistration(const TickInputs& in, RandomSource& random);

}  // namespace tolvik
