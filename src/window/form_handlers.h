// frmTolvik's logic: its form-level state and every event handler, working
// on the window through FormView, on the client through ClientLibrary, and
// deciding with the client link's and registration's plain functions.
//
// The handlers are named in the form-and-event style: a control's name with
// its kind as prefix (cmd button, opt option pair, txt text box, cmb list,
// vz timer) and the event after an underscore, as in cmdRegister_Click or
// optAuto_Click(index), where index 0 is the "On" option; Form_Load and
// Form_Unload are the window's own. Every other name here says what it does.
#pragma once

#include <functional>
#include <string>

#include "client/client_library.h"
#include "client/transcript.h"
#include "window/clock.h"
#include "registration/random_source.h"
#include "registration/registration.h"
#include "registration/sent_game.h"
#include "window/form_state.h"
#include "window/form_view.h"

namespace tolvik {

constexpr unsigned kTimerInterval = 750;

class FormHandlers {
public:
    FormHandlers(FormView& view, ClientLibrary& library, RandomSource& random, Clock& clock,
                 std::string appName);

    // Start-up. False when no client runs (the user has been told and the
    // window has been closed), or when the window closed while the library
    // started.
    bool Form_Load();
    // Shut-down: the timer off, then DapiStop, once. Closed while a call
    // waits on the client, it leaves DapiStop to the end of that work, also
    // when the work fails. No handler reaches the library afterwards, also
    // while DapiStop waits.
    void Form_Unload();

    void cmdQuit_Click();
    void optAuto_Click(int index);
    void optRandom_Click(int index);
    void cmdGetHost_Click();
    void cmdRegister_Click();
    void vzTimer_Timer();

    // Sets keyAscii to 0 to cancel the typed character.
    void txtNumber_KeyPress(int& keyAscii);
    void txtNumber_KeyUp();
    void cmbLow_Click();
    void cmbHigh_Click();

    // Work that reaches the client is under way, or has yet to let go of it
    // (DapiStop waits too): a handler runs from inside one of its calls (or
    // a box it shows).
    bool WorkUnderWay() const { return state_.Working() || detaching_; }

    const std::string& HostName() const { return hostName_; }
    bool RandomMode() const { return randomMode_; }

private:
    // One piece of work that reaches the client (start-up, a press or a
    // tick), begun by its move in FormState (which says what may come
    // meanwhile); then the detaching or the press that waited for it.
    void RunWork(const std::function<void()>& work);
    // DapiStop, which counts as work while it waits.
    void Detach();
    void Tick();
    void FindHost();
    // Who looks for the host: the user ("Get Host", "Register"), who is told
    // "No host found" when the last announcement is on no player's own line;
    // or the tick, which shows no box (it would come back every interval).
    // Both take a name only from a player's game.
    enum class HostLookup { ByUser, ByTick };
    // A fetched transcript and its host, already taken into the window.
    struct FetchedChat {
        std::string text;
        HostOutcome outcome;
    };
    FetchedChat LookForHost(HostLookup lookup);
    // Takes the host of a transcript into HostName and the host box.
    void ApplyHost(const HostOutcome& outcome, HostLookup lookup);
    void RegisterNumber();
    void ApplyRegistration(const Registration& registration, long timeout);
    // What the tick's memory learns from a fetch and the registration made on it.
    void TakeIntoMemory(const std::string& text, const HostOutcome& outcome,
                        const Registration& registration);
    void StirRandomSeed();

    FormView& view_;
    ClientLibrary& library_;
    RandomSource& random_;
    Clock& clock_;
    std::string appName_;
    SentGame sent_;  // the game an ESP went to last, for the tick
    std::string hostName_;
    bool randomMode_ = false;
    FormState state_;
    bool detaching_ = false;  // DapiStop waits
};

}  // namespace tolvik
