// The number box takes digits only and flags numbers outside 1 to 20; the
// range lists never cross.
#include "window/number_text.h"
#include "window/tolvik.h"

namespace tolvik {

void Tolvik::txtNumber_KeyPress(int& keyAscii) {
    if (keyAscii < '0' || keyAscii > '9') keyAscii = 0;
}

void Tolvik::txtNumber_KeyUp() {
    const std::string text = view_.NumberText();
    const auto value = WholeValue(text);
    if (value) {
        if (*value > 20 || *value < 1) {
            view_.SetNumberText(kWrongNumberText);
            view_.SelectAllNumberText();
        }
        return;
    }
    view_.SelectAllNumberText();
}

void Tolvik::cmbHigh_Click() {
    const std::string low = view_.LowText();
    const std::string high = view_.HighText();
    if (low.empty() || high.empty()) return;
    if (WholeValue(high) < WholeValue(low)) view_.SetHighText(low);
}

void Tolvik::cmbLow_Click() {
    const std::string low = view_.LowText();
    const std::string high = view_.HighText();
    if (low.empty() || high.empty()) return;
    if (WholeValue(low) > WholeValue(high)) view_.SetLowText(high);
}

}  // namespace tolvik
