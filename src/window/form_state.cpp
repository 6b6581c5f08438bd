#include "window/form_state.h"

namespace tolvik {

bool FormState::WorkGoesOn() const {
    return phase_ == Phase::StartingUp || phase_ == Phase::Pressing || phase_ == Phase::Ticking;
}

bool FormState::Begin(Phase work) {
    if (phase_ != Phase::Idle) return false;
    phase_ = work;
    return true;
}

bool FormState::BeginPress(Press press) {
    if (Begin(Phase::Pressing)) return true;
    if (phase_ == Phase::Pressing || Ticking())
        (press == Press::Register ? registerWaits_ : getHostWaits_) = true;
    return false;
}

void FormState::ChooseAutoDuringTick(bool on) {
    if (Ticking()) phase_ = on ? Phase::Ticking : Phase::TickingOff;
}

bool FormState::EndWork() {
    if (phase_ == Phase::Closing) {
        phase_ = Phase::Closed;
        return true;
    }
    if (phase_ != Phase::Closed) phase_ = Phase::Idle;
    return false;
}

bool FormState::Close() {
    if (Unloaded()) return false;
    registerWaits_ = getHostWaits_ = false;  // nothing runs after the close
    const bool idle = phase_ == Phase::Idle;
    phase_ = idle ? Phase::Closed : Phase::Closing;
    return idle;
}

std::optional<FormState::Press> FormState::PopPress() {
    std::optional<Press> press;
    if (registerWaits_)
        press = Press::Register;
    else if (getHostWaits_)
        press = Press::GetHost;
    registerWaits_ = getHostWaits_ = false;
    return press;
}

}  // namespace tolvik
