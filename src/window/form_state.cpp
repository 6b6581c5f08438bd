#include "window/form_state.h"

namespace tolvik {

bool FormState::Closed() const {
    return phase_ == Phase::Closing || phase_ == Phase::Detaching || phase_ == Phase::Closed;
}

bool FormState::Busy() const {
    return phase_ != Phase::Idle && phase_ != Phase::Closed;
}

void FormState::BeginWork(Phase work) {
    phase_ = work;
    autoAfterTick_ = true;
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
