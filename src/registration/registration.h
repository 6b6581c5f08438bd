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
        Fill,          // `number` only fills the number box
        AskForNumber,  // the number box holds no number
    };
    Kind kind = Kind::Nothing;
    std::string number;
    bool drawn = false;
};

// "Register": the typed text as it stands, or with Random on a fresh draw
// from 1 to 20. Every press registers; no echo is looked for.
Registration ManualRegistration(bool randomMode, const std::string& typed, RandomSource& random);

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
// counts as 0 and an unpicked High as 21, equal bounds only fill the number box, and
// bounds with no whole number between them register nothing.
Registration AutoRegistration(const TickInputs& in, RandomSource& random);

}  // namespace tolvik
