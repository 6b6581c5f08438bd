// What frmTolvik's handlers are doing, and what waits for them to finish.
//
// A library may dispatch window messages while it waits for its client, so a
// click can come in the middle of a piece of work (a press or a tick). Work
// never nests: what comes meanwhile waits, or is dropped once Tolvik closes.
// The moves, all made here:
//
//   Idle -> Working | Ticking      a press's or the tick's work starts
//   Working | Ticking -> Idle      it ends, however it leaves
//   Idle -> Closed                 the window closes: detach from the library now
//   Working | Ticking -> Closing   it closes while the work waits on the client
//   Closing -> Detaching           the work ends: detach now
//   Detaching -> Closed            detached
//
// While work runs, a press waits (one of each kind, carried out when it
// ends), and during a tick the Auto choice waits for the tick's end. Once
// Closing, nothing more runs, nor waits.
#pragma once

namespace tolvik {

class FormState {
public:
    enum class Phase { Idle, Working, Ticking, Closing, Detaching, Closed };

    Phase phase() const { return phase_; }
    // Form_Unload has run: no handler does anything more.
    bool Closed() const;
    // A piece of work is on its way, or one just ended with the window closed.
    bool Busy() const;

    void BeginWork(Phase work);
    void EndWork();
    // Closes what is not Closed yet; true when the library is to be detached
    // now, false when the work it waits for detaches it as it ends.
    bool Close();
    // True once, when the work that waited on the client has ended after the
    // window closed: the library is to be detached now.
    bool TakeDetach();

    // A press made while work runs.
    void PressRegister() { registerWaits_ = true; }
    void PressGetHost() { getHostWaits_ = true; }
    enum class Press { None, Register, GetHost };
    // The press that waited, once; "Register" finds the host too, so it
    // stands for both.
    Press TakePress();

    // Auto chosen during a tick: applied when the tick ends.
    void ChooseAutoAfterTick(bool on) { autoAfterTick_ = on; }
    bool AutoAfterTick() const { return autoAfterTick_; }

private:
    Phase phase_ = Phase::Idle;
    bool registerWaits_ = false;
    bool getHostWaits_ = false;
    bool autoAfterTick_ = true;
};

}  // namespace tolvik
