// What frmTolvik's handlers are doing, and what waits for them to finish.
//
// A library may dispatch window messages while it waits for its client, so a
// click can come in the middle of a piece of work (a press or a tick). Work
// never nests: a press made meanwhile waits for the work to end, Off ends a
// tick at its next step, and once the window closes nothing more runs. For
// example, "Register" clicked while a tick's fetch waits is carried out once
// the tick has ended; Quit clicked then detaches from the library only once
// the fetch has returned. The moves, all made here:
//
//   Idle -> Pressing | Ticking       start-up's, a press's or the tick's work starts
//   Ticking <-> TickingOff           Auto is chosen Off, or On again, during the tick
//   Pressing | Ticking(Off) -> Idle  the work ends, however it leaves
//   Idle -> Closed                   the window closes: detach from the library now
//   any work -> Closing              it closes while the work waits on the client
//   Closing -> Detaching             that work ends: detach now
//   Detaching -> Closed              detached
#pragma once

namespace tolvik {

class FormState {
public:
    enum class Phase { Idle, Pressing, Ticking, TickingOff, Closing, Detaching, Closed };

    // A press, a tick or start-up is under way (a call of it may be waiting
    // on the client), or it ended closed and has yet to detach.
    bool Working() const { return phase_ != Phase::Idle && phase_ != Phase::Closed; }
    // A tick runs: the Auto choice waits for its end.
    bool Ticking() const { return phase_ == Phase::Ticking || phase_ == Phase::TickingOff; }
    // Form_Unload has run: no handler does anything more.
    bool Unloaded() const;
    // The work under way may take its next step: the window is open, and no
    // Off was chosen during the tick.
    bool WorkGoesOn() const { return phase_ == Phase::Pressing || phase_ == Phase::Ticking; }

    // A press: it starts its work when Idle (true), else it waits for the
    // work under way, or is dropped once the window has closed.
    enum class Press { None, Register, GetHost };
    bool BeginPress(Press press);
    // Start-up's calls and the tick start their work only when Idle (true);
    // start-up's are a press's work.
    bool BeginStartUp();
    bool BeginTick();
    // During a tick: Off ends it at its next step, On lets it go on.
    void ChooseAutoDuringTick(bool on);
    void EndWork();
    // Closes what is not closed yet; true when the library is to be detached
    // now, false when the work it waits for detaches it as it ends.
    bool Close();
    // True once, when the work that waited on the client has ended after the
    // window closed: the library is to be detached now.
    bool TakeDetach();
    // The press that waited, once. "Register" finds the host too, so it
    // stands for a "Get Host" made beside it: only one runs.
    Press TakePress();

private:
    Phase phase_ = Phase::Idle;
    bool registerWaits_ = false;
    bool getHostWaits_ = false;
};

}  // namespace tolvik
