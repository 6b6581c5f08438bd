// The timer's tick: enter each newly announced game once, by itself.
#include "client/transcript.h"
#include "registration/random_source.h"
#include "window/number_text.h"
#include "window/tolvik.h"

namespace tolvik {
namespace {

// Turns the timer back on when the tick ends, however it ends, so the next
// tick comes one interval after this one.
class TimerHold {
public:
    explicit TimerHold(FormView& view) : view_(view) { view_.SetTimerEnabled(false); }
    ~TimerHold() { view_.SetTimerEnabled(true); }
    TimerHold(const TimerHold&) = delete;
    TimerHold& operator=(const TimerHold&) = delete;

private:
    FormView& view_;
};

// An unpicked list bounds the draw to 1..20: Low counts as 0, High as 21.
long long Bound(const std::string& text, long long unpicked) {
    if (text.empty()) return unpicked;
    return WholeValue(text).value_or(unpicked);
}

}  // namespace

void Tolvik::vzTimer_Timer() {
    TimerHold hold(view_);

    // A box from the tick would come back every interval; the tick stays quiet.
    FindHostQuietly();
    // An ESP to nobody reaches nobody, and would repeat every tick.
    if (hostName_.empty()) return;

    const std::string text = FetchTranscript(library_, kTickTimeout);
    // A game announced between the two fetches has its own host: the host is
    // taken again from the transcript the decision is made on, so the
    // previous host never gets a number for the new game.
    const HostOutcome latest = HostFromTranscript(text);
    ApplyHost(latest, false);
    if (hostName_.empty()) return;

    const TranscriptPosition announcement = latest.announcement;
    const TranscriptPosition echo = LastEchoPosition(text, hostName_);
    if (announcement < echo) return;  // already entered

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
