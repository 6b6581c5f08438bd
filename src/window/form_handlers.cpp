#include "window/form_handlers.h"

#include <utility>

#include "registration/number_text.h"

namespace tolvik {
namespace {

const char* const kEnterNumberText = "You have to enter a number here!!!!!";
const char* const kWrongNumberText = "WRONG NUMBER";
// The host box once a look has found an announcement but no host is known
// (or its player's name is empty). The window opens with a text of its own,
// "Host....." (the control table's caption), which a look that finds no
// announcement leaves as it is: two texts, so the box tells whether any look
// has found an announcement.
const char* const kNoHostText = "Host...";

}  // namespace

FormHandlers::FormHandlers(FormView& view, ClientLibrary& library, RandomSource& random,
                           Clock& clock, std::string appName)
    : view_(view),
      library_(library),
      random_(random),
      clock_(clock),
      appName_(std::move(appName)) {}

// Start-up and shut-down.

bool FormHandlers::Form_Load() {
    StirRandomSeed();
    // Start-up reaches the client before the window shows (Form_Load runs
    // first, so it always begins): a click while the library starts is
    // dropped, and a close meanwhile ends start-up there.
    state_.BeginStartUp();
    bool clientThere = false;
    RunWork([&] {
        library_.DapiStart(appName_);
        clientThere = state_.WorkGoesOn() && library_.DapiIsVZThere() != 0;
    });
    if (state_.Unloaded()) return false;
    if (!clientThere) {
        view_.ShowMessage("Failed to find a VZones Client:", "VZones is not there",
                          MessageIcon::Stop);
        view_.Close();
        return false;
    }
    for (int n = 1; n <= 20; ++n) view_.AddRangeItem(DecimalText(n));
    return true;
}

void FormHandlers::Form_Unload() {
    if (state_.Unloaded()) return;
    view_.SetTimerEnabled(false);
    // Closed while a call waits on the client: detach once it has returned.
    if (state_.Close()) Detach();
}

void FormHandlers::Detach() {
    struct Waiting {  // DapiStop may throw
        bool& detaching;
        explicit Waiting(bool& flag) : detaching(flag) { detaching = true; }
        ~Waiting() { detaching = false; }
        Waiting(const Waiting&) = delete;
        Waiting& operator=(const Waiting&) = delete;
    } waiting(detaching_);
    library_.DapiStop();
}

void FormHandlers::cmdQuit_Click() {
    view_.Close();
}

// The switches.

void FormHandlers::optAuto_Click(int index) {
    if (state_.Unloaded()) return;
    // A running tick holds the timer off; the choice applies when it ends,
    // and Off ends the tick at its next step.
    if (state_.Ticking()) {
        if (index == 0 || index == 1) state_.ChooseAutoDuringTick(index == 0);
        return;
    }
    // Enabling only when off keeps a running countdown as it is.
    if (index == 0 && !view_.TimerEnabled()) view_.SetTimerEnabled(true);
    if (index == 1 && view_.TimerEnabled()) view_.SetTimerEnabled(false);
}

void FormHandlers::optRandom_Click(int index) {
    if (index == 0) randomMode_ = true;
    if (index == 1) randomMode_ = false;
}

// The number box and the range lists.

void FormHandlers::txtNumber_KeyPress(int& keyAscii) {
    if (keyAscii < '0' || keyAscii > '9') keyAscii = 0;
}

void FormHandlers::txtNumber_KeyUp() {
    const auto value = WholeValue(view_.NumberBoxText());
    if (value && *value >= 1 && *value <= 20) return;
    if (value) view_.SetNumberBoxText(kWrongNumberText);
    view_.SelectNumberBoxText();
}

void FormHandlers::cmbHigh_Click() {
    const std::string low = view_.LowText();
    const std::string high = view_.HighText();
    if (low.empty() || high.empty()) return;
    if (WholeValue(high) < WholeValue(low)) view_.SetHighText(low);
}

void FormHandlers::cmbLow_Click() {
    const std::string low = view_.LowText();
    const std::string high = view_.HighText();
    if (low.empty() || high.empty()) return;
    if (WholeValue(low) > WholeValue(high)) view_.SetLowText(high);
}

// Work that reaches the client.

void FormHandlers::RunWork(const std::function<void()>& work) {
    try {
        work();
    } catch (...) {
        // A failure ends the work too; closed meanwhile, it detaches now.
        // The user is told of that failure, whatever the detaching does: the
        // library that failed is past helping.
        try {
            if (state_.EndWork()) Detach();
        } catch (...) {
        }
        throw;
    }
    // Closed meanwhile: detach now that the call has returned.
    if (state_.EndWork()) Detach();
    // A press that came while the client was busy is one press, carried out
    // now; none runs once the window has closed.
    if (const auto press = state_.PopPress())
        *press == FormState::Press::Register ? cmdRegister_Click() : cmdGetHost_Click();
}

// A press made while work runs is carried out when it ends; one made while
// DapiStop waits, never.
void FormHandlers::cmdGetHost_Click() {
    if (state_.BeginPress(FormState::Press::GetHost)) RunWork([this] { FindHost(); });
}

void FormHandlers::cmdRegister_Click() {
    if (!state_.BeginPress(FormState::Press::Register)) return;
    RunWork([this] {
        StirRandomSeed();
        RegisterNumber();
    });
}

void FormHandlers::vzTimer_Timer() {
    // Ticks never nest, nor run inside a press that waits on the client.
    if (!state_.BeginTick()) return;
    RunWork([this] {
        // The timer stays off from the tick's first step to its last. A
        // choice of Off made meanwhile stands; after shut-down nothing
        // touches the window.
        view_.SetTimerEnabled(false);
        Tick();
        if (state_.WorkGoesOn()) view_.SetTimerEnabled(true);
    });
}

void FormHandlers::Tick() {
    // After each call, the tick goes on only while Auto stays on and the
    // window open.
    LookForHost(HostLookup::ByTick);
    if (!state_.WorkGoesOn() || hostName_.empty()) return;

    const std::string text = FetchTranscript(library_, kTickTimeout);
    if (!state_.WorkGoesOn()) return;
    // The decision rests on this transcript alone. A game announced between
    // the two fetches has its own host, taken again here, so the previous
    // host never gets a number for the new game.
    const HostOutcome latest = HostFromTranscript(text);
    ApplyHost(latest, HostLookup::ByTick);
    const std::string low = view_.LowText(), high = view_.HighText(), typed = view_.NumberBoxText();
    const Registration registration = AutoRegistration(
        {text, latest, hostName_, randomMode_, low, high, typed, sent_, clock_.Milliseconds()},
        random_);
    ApplyRegistration(registration, kTickTimeout);
    TakeIntoMemory(text, latest, registration);
}

void FormHandlers::RegisterNumber() {
    StirRandomSeed();
    const FetchedChat seen = LookForHost(HostLookup::ByUser);
    if (!state_.WorkGoesOn() || hostName_.empty()) return;
    const Registration registration =
        ManualRegistration(randomMode_, view_.NumberBoxText(), random_);
    ApplyRegistration(registration, kRegisterEspTimeout);
    // A number the user sent to the game in sight counts for the tick too,
    // which then only resends it when no echo comes.
    TakeIntoMemory(seen.text, seen.outcome, registration);
}

void FormHandlers::TakeIntoMemory(const std::string& text, const HostOutcome& outcome,
                                  const Registration& registration) {
    const std::int64_t now = clock_.Milliseconds();
    if (registration.kind != Registration::Kind::Send)
        sent_.TakeFetch(text, outcome);
    else if (outcome.AnnouncedByPlayer())  // the game's host was taken: the ESP went to them
        sent_.RecordEsp(text, outcome, registration.number, now);
    else  // "Register" sent to the host known before, with no game of theirs in view
        sent_.RecordEspUnseen(hostName_, registration.number, now);
}

void FormHandlers::ApplyRegistration(const Registration& registration, long timeout) {
    switch (registration.kind) {
        case Registration::Kind::Nothing:
            return;
        case Registration::Kind::Fill:
            view_.SetNumberBoxText(registration.number);
            return;
        case Registration::Kind::AskForNumber:
            // Selected, as "WRONG NUMBER" is, so the next digit replaces it.
            view_.SetNumberBoxText(kEnterNumberText);
            view_.SelectNumberBoxText();
            return;
        case Registration::Kind::Send:
            library_.DapiESP(hostName_, registration.number, timeout);
            if (state_.Unloaded()) return;
            // The host box may have been typed over, or kept a name no fetch
            // confirmed since: it shows the one the ESP went to.
            view_.SetHostText(hostName_);
            if (registration.drawn) view_.SetNumberBoxText(registration.number);
            return;
    }
}

// Host finding.

void FormHandlers::FindHost() {
    LookForHost(HostLookup::ByUser);
}

FormHandlers::FetchedChat FormHandlers::LookForHost(HostLookup lookup) {
    FetchedChat seen{FetchTranscript(library_, kHostFetchTimeout), {}};
    if (!state_.WorkGoesOn()) return seen;  // closed, or Off, while the client was asked
    seen.outcome = HostFromTranscript(seen.text);
    sent_.TakeFetch(seen.text, seen.outcome);  // every fetch tells the memory what it shows
    ApplyHost(seen.outcome, lookup);
    return seen;
}

void FormHandlers::ApplyHost(const HostOutcome& outcome, HostLookup lookup) {
    if (outcome.AnnouncedByPlayer()) {
        hostName_ = outcome.name;
    } else {
        // No player's line names a host: the name known before stands.
        if (lookup == HostLookup::ByTick || outcome.kind == HostOutcome::Kind::NoAnnouncement)
            return;
        view_.ShowMessage("No host found", "No 21 Host found", MessageIcon::Warning);
        if (state_.Unloaded()) return;  // the session ended while the box was open
    }
    view_.SetHostText(hostName_.empty() ? kNoHostText : hostName_);
}

void FormHandlers::StirRandomSeed() {
    tolvik::StirRandomSeed(random_);
}

}  // namespace tolvik
