// "Register": enter the current game now, with the typed number or a fresh
// draw from 1 to 20.
#include "registration/random_source.h"
#include "window/number_text.h"
#include "window/tolvik.h"

namespace tolvik {

void Tolvik::cmdRegister_Click() {
    if (working_) {
        registerPressed_ = true;
        return;
    }
    RunWork([this] {
        StirRandomSeed();
        RegisterNumber();
    });
}

void Tolvik::RegisterNumber() {
    StirRandomSeed();
    FindHost();
    if (unloaded_ || hostName_.empty()) return;

    if (randomMode_)
        SendDrawnNumber(DrawOneToTwenty(random_), kRegisterTimeout);
    else
        SendTypedNumber(kRegisterTimeout);
}

void Tolvik::SendDrawnNumber(int number, long timeout) {
    const std::string text = tolvik::NumberText(number);
    library_.DapiESP(hostName_, text, timeout);
    if (!unloaded_) view_.SetNumberText(text);
}

void Tolvik::SendTypedNumber(long timeout) {
    // The typed text goes out as it stands, neither reformatted nor range-checked.
    const std::string typed = view_.NumberText();
    if (NumericText(typed))
        library_.DapiESP(hostName_, typed, timeout);
    else
        view_.SetNumberText(kEnterNumberText);
}

}  // namespace tolvik
