#include "window/form_handlers.h"

#include <utility>

#include "registration/number_text.h"

namespace tolvik {
namespace {

const char* const kEnterNumberText = "You have to enter a number here!!!!!";
const char* const kWrongNumberText = "WRONG NUMBER";

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
    library_.DapiStart(appName_);
    if (library_.DapiIsVZThere() == 0) {
        view_.ShowMessage("Failed to find a VZones Client:", "VZones is not there",
                          MessageIcon::Stop);
        view_.Close();
        return false;
    }
    for (int n = 1; n <= 20; ++n) view_.AddRangeItem(DecimalText(n));
    return true;
}

void FormHandlers::Form_Unload() {
    // Work that failed after the window closed detaches here.
    if (state_.TakeDetach()) library_.DapiStop();
    if (state_.Closed()) return;
    view_.SetTimerEnabled(false);
    // Closed while a call waits on the client: detach once it has returned.
    if (state_.Close()) library_.DapiStop();
}

void FormHandlers::cmdQuit_Click() {
    view_.Close();
}

// The switches.

void FormHandlers::optAuto_Click(int index) {
    if (state_.Closed()) return;
    // A running tick holds the timer off; the choice applies when it ends.
    if (state_.phase() == FormState::Phase::Ticking) {
        if (index == 0 || index == 1) state_.ChooseAutoAfterTick(index == 0);
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

namespace {

// Begins a piece of work, and ends it however it leaves, an exception included.
class WorkInProgress {
public:
    WorkInProgress(FormState& state, FormState::Phase kind) : state_(state) {
        state_.BeginWork(kind);
    }
    ~WorkInProgress() { state_.EndWork(); }
    WorkInProgress(const WorkInProgress&) = delete;
    WorkInProgress& operator=(const WorkInProgress&) = delete;

private:
    FormState& state_;
};

}  // namespace

void FormHandlers::RunWork(FormState::Phase kind, const std::function<void()>& work) {
    {
        const WorkInProgress inProgress(state_, kind);
        work();
    }
    RunPendingWork();
}

void FormHandlers::RunPendingWork() {
    // Closed meanwhile: detach now that the call has returned. Presses made
    // meanwhile are dropped: no handler runs after this.
    if (state_.TakeDetach()) library_.DapiStop();
    if (state_.Closed()) return;
    // A press that came while the client was busy is one press, carried out now.
    switch (state_.TakePress()) {
        case FormState::Press::Register:
            cmdRegister_Click();
            return;
        case FormState::Press::GetHost:
            cmdGetHost_Click();
            return;
        case FormState::Press::None:
            return;
    }
}

void FormHandlers::cmdGetHost_Click() {
    if (state_.Closed()) return;  // a click while DapiStop waits
    if (state_.Busy()) {
        state_.PressGetHost();  // carried out when the work ends
        return;
    }
    RunWork(FormState::Phase::Working, [this] { FindHost(); });
}

void FormHandlers::cmdRegister_Click() {
    if (state_.Closed()) return;
    if (state_.Busy()) {
        state_.PressRegister();
        return;
    }
    RunWork(FormState::Phase::Working, [this] {
        StirRandomSeed();
        RegisterNumber();
    });
}

void FormHandlers::vzTimer_Timer() {
    // Ticks never nest, nor run inside a press that waits on the client.
    if (state_.phase() != FormState::Phase::Idle) return;
    RunWork(FormState::Phase::Ticking, [this] {
        // The timer stays off from the tick's first step to its last. A
        // choice of Auto made meanwhile stands; after shut-down nothing
        // touches the window.
        view_.SetTimerEnabled(false);
        Tick();
        if (!state_.Closed() && state_.AutoAfterTick()) view_.SetTimerEnabled(true);
    });
}

void FormHandlers::Tick() {
    LookForHost(HostLookup::ByTick);
    if (state_.Closed() || hostName_.empty()) return;

    const std::string text = FetchTranscript(library_, kTickTimeout);
    if (state_.Closed()) return;
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
    sent_.Take(text, latest.announcement, clock_.Milliseconds(), registration.NumberToRemember());
}

void FormHandlers::RegisterNumber() {
    StirRandomSeed();
    const FetchedChat seen = LookForHost(HostLookup::ByUser);
    if (state_.Closed() || hostName_.empty()) return;
    const Registration registration =
        ManualRegistration(randomMode_, view_.NumberBoxText(), seen.outcome, random_);
    ApplyRegistration(registration, kRegisterEspTimeout);
    // A number the user sent to the game in sight counts for the tick too,
    // which then only resends it when no echo comes.
    sent_.Take(seen.text, seen.outcome.announcement, clock_.Milliseconds(),
               registration.NumberToRemember());
}

void FormHandlers::ApplyRegistration(const Registration& registration, long timeout) {
    switch (registration.kind) {
        case Registration::Kind::Nothing:
            return;
        case Registration::Kind::Show:
            view_.SetNumberBoxText(registration.number);
            return;
        case Registration::Kind::AskForNumber:
            view_.SetNumberBoxText(kEnterNumberText);
            return;
        case Registration::Kind::Send:
            library_.DapiESP(hostName_, registration.number, timeout);
            if (registration.drawn && !state_.Closed()) view_.SetNumberBoxText(registration.number);
            return;
    }
}

// Host finding.

void FormHandlers::FindHost() {
    LookForHost(HostLookup::ByUser);
}

FormHandlers::FetchedChat FormHandlers::LookForHost(HostLookup lookup) {
    FetchedChat seen{FetchTranscript(library_, kHostFetchTimeout), {}};
    if (state_.Closed()) return seen;  // closed while the client was asked
    seen.outcome = HostFromTranscript(seen.text);
    ApplyHost(seen.outcome, lookup);
    return seen;
}

void FormHandlers::ApplyHost(const HostOutcome& outcome, HostLookup lookup) {
    if (lookup == HostLookup::ByTick && !AnnouncedByPlayer(outcome)) return;
    switch (outcome.kind) {
        case HostOutcome::Kind::NoSpeaker:
            return;
        case HostOutcome::Kind::FirstLine:
            if (lookup == HostLookup::ByUser) {
                view_.ShowMessage("No host found", "No 21 Host found", MessageIcon::Warning);
                if (state_.Closed()) return;  // the session ended while the box was open
            }
            break;
        case HostOutcome::Kind::Speaker:
            hostName_ = outcome.name;
            break;
    }
    view_.SetHostText(hostName_.empty() ? "Host..." : hostName_);
}

void FormHandlers::StirRandomSeed() {
    tolvik::StirRandomSeed(random_);
}

}  // namespace tolvik
