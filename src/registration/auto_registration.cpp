// The timer's tick: enter each newly announced game once, by itself.
#include "client/transcript.h"
#include "registration/random_source.h"
#include "window/number_text.h"
#include "window/tolvik.h"

namespace tolvik {
namespace {

// An unpicked list bounds the draw to 1..20: Low counts as 0, High as 21.
long long Bound(const std::string& text, long long unpicked) {
    if (text.empty()) return unpicked;
    return WholeValue(text).value_or(unpicked);
}

}  // namespace

void Tolvik::vzTimer_Timer() {
    // Ticks never nest, nor run inside a press that waits on the client.
    if (working_ || unloaded_) return;
    RunWork([this] {
        // The timer stays off from the tick's first step to its last. A
        // choice of Auto made meanwhile stands; after shut-down nothing
        // touches the window.
        view_.SetTimerEnabled(false);
        tickRunning_ = true;
        autoAfterTick_ = true;
        struct Restart {
            Tolvik& t;
            ~Restart() {
                t.tickRunning_ = false;
                if (!t.unloaded_ && t.autoAfterTick_) t.view_.SetTimerEnabled(true);
            }
        } restart{*this};
        Tick();
    });
}

void Tolvik::Tick() {
    // A box from the tick would come back every interval; the tick stays quiet.
    FindHostQuietly();
    // An ESP to nobody reaches nobody, and would repeat every tick.
    if (unloaded_ || hostName_.empty()) return;

    const std::string text = FetchTranscript(library_, kTickTimeout);
    if (unloaded_) return;
    // The decision rests on this transcript alone. With no game in it (an
    // empty text, chat scrolled past the game, or an announcement whose line
    // names no speaker) nothing is due, whoever hosted the last game.
    const HostOutcome latest = HostFromTranscript(text);
    if (!GameInSight(latest)) return;
    // A game announced between the two fetches has its own host: the host is
    // taken again from this transcript, so the previous host never gets a
    // number for the new game.
    ApplyHost(latest, false);
    if (hostName_.empty()) return;

    const TranscriptPosition echo = LastEchoPosition(text, hostName_);
    if (latest.announcement < echo) return;  // already entered

    if (randomMode_) {
        const std::string lowText = view_.LowText();
        const long long low = Bound(lowText, 0);
        const long long high = Bound(view_.HighText(), 21);
        if (low == high) {
            view_.SetNumberText(lowText);
            return;
        }
        const auto r = DrawBetween(random_, low, high);
        if (!r) return;  // no whole number lies strictly between the bounds
        SendDrawnNumber(*r, kTickTimeout);
        return;
    }
    SendTypedNumber(kTickTimeout);
}

}  // namespace tolvik
