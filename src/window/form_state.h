// What frmTolvik's handlers are doing, and what waits for them to finish.
//
// A library may dispatch window messages while it waits for its client, so a
// click can come in the middle of a piece of work (start-up, a press or a
// tick). Work never nests: a press made meanwhile waits for the work to end
// (one made during start-up is dropped), Off ends a tick at its next step,
// and once the window closes nothing more runs. For example, "Register"
// clicked while a tick's fetch waits is carried out once the tick has ended;
// Quit clicked then detaches from the library only once the fetch has
// returned. The moves, all made here; any other is refused and changes
// nothing:
//
//   Idle -> StartingUp | Pressing | Ticking   start-up's, a press's or the tick's work starts
//   Ticking <-> TickingOff                    Auto is chosen Off, or On again, during the tick
//   StartingUp | Pressing | Ticking(Off) -> Idle   the work ends, however it leaves
//   Idle -> Closed                            the window closes: detach from the library now
//   any work -> Closing                       it closes while the work waits on the client
//   Closing -> Closed                         that work ends: detach now
#pragma once

#include <optional>

namespace tolvik {

class FormState {
public:
    enum class Phase { Idle, StartingUp, Pressing, Ticking, TickingOff, Closing, Closed };
    Phase Current() const { return phase_; }

    // A press, a tick or start-up is under way (a call of it may be waiting
    // on the client), or it ended closed and has yet to detach.
    bool Working() const { return phase_ != Phase::Idle && phase_ != Phase::Closed; }
    // A tick runs: the Auto choice waits for its end.
    bool Ticking() const { return phase_ == Phase::Ticking || phase_ == Phase::TickingOff; }
    // Form_Unload has run: no handler does anything more.
    bool Unloaded() const { return phase_ == Phase::Closing || phase_ == Phase::Closed; }
    // The work under way may take its next step: the window is open, and no
    // Off was chosen during the tick.
    bool WorkGoesOn() const;

    // Start-up's calls and the tick start their work only when Idle (true).
    bool BeginStartUp() { return Begin(Phase::StartingUp); }
    bool BeginTick() { return Begin(Phase::Ticking); }
    // A press starts its work when Idle (true); made while a press or a tick
    // runs, it waits for that work to end; during start-up or once the
    // window has closed, it is dropped.
    enum class Press { Register, GetHost };
    bool BeginPress(Press press);
    // During a tick: Off ends it at its next step, On lets it go on.
    void ChooseAutoDuringTick(bool on);
    // True when the window closed while the work waited: the library is to
    // be detached now.
    bool EndWork();
    // True when the window closes with no work under way: the library is to
    // be detached now; while work waits, its end detaches.
    bool Close();
    // The press that waited, once. "Register" finds the host too, so it
    // stands for a "Get Host" made beside it: only one runs.
    std::optional<Press> PopPress();

private:
    bool Begin(Phase work);

    Phase phase_ = Phase::Idle;
    bool registerWaits_ = false;
    bool getHostWaits_ = false;
};

}  // namespace tolvik
