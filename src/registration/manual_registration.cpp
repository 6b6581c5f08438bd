// "Register": enter the current game now, with the typed number or a fresh
// draw from 1 to 20.
#include "registration/random_source.h"
#include "window/number_text.h"
#include "window/tolvik.h"

namespace tolvik {

void Tolvik::cmdRegister_Click() {
    StirRandomSeed();
    RegisterNumber();
}

void Tolvik::RegisterNumber() {
    StirRandomSeed();
    FindHost();
    if (hostName_.empty()) return;

    if (randomMode_) {
        const std::string number = tolvik::NumberText(DrawOneToTwenty(random_));
        library_.DapiESP(hostName_, number, kRegisterTimeout);
        view_.SetNumberText(number);
        return;
    }
    const std::string typed = view_.NumberText();
    if (NumericText(typed))
        library_.DapiESP(hostName_, typed, kRegisterTimeout);
    else
        view_.SetNumberText(kEnterNumberText);
}

}  // namespace tolvik
