#include "window/form_state.h"

namespace tolvik {

bool FormState::Unloaded() const {
    return phase_ == Phase::Closing || phase_ == Phase::Detaching || phase_ == Phase::Closed;
}

bool FormState::BeginPress(Press press) {
    if (phase_ == Phase::Idle) {
        phase_ = Phase::Pressing;
        return true;
    }
    if (Unloaded()) return false;
    (press == Press::Register ? registerWaits_ : getHostWaits_) = true;
    return false;
}

bool FormState::BeginStartUp() {
    if (phase_ != Phase::Idle) return false;
    phase_ = Phase::Pressing;
    return true;
}

bool FormState::BeginTick() {
    if (phase_ != Phase::Idle) return false;
    phase_ = Phase::Ticking;
    return true;
}

void FormState::ChooseAutoDuringTick(bool on) {
    if (Ticking()) phase_ = on ? Phase::Ticking : Phase::TickingOff;
}

void FormState::EndWork() {
    phase_ = phase_ == Phase::Closing ? Phase::Detaching : Phase::Idle;
}

bool FormState::Close() {
    const bool idle = phase_ == Phase::Idle;
    phase_ = idle ? Phase::Closed : Phase::Closing;
    return idle;
}

bool FormState::TakeDetach() {
    if (phase_ != Phase::Detaching) return false;
    phase_ = Phase::Closed;
    return true;
}

FormState::Press FormState::TakePress() {
    const Press press = registerWaits_  ? Press::Register
                        : getHostWaits_ ? Press::GetHost
                                        : Press::None;
    registerWaits_ = getHostWaits_ = false;
    return press;
}

}  // namespace tolvik
