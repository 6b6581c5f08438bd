// What the handlers may touch of the window: the texts of its boxes and
// lists, the number box's selection, the timer's enabled flag, message boxes
// and closing. frmTolvik implements it with real controls, tests in memory.
#pragma once

#include <cstddef>
#include <string>

namespace tolvik {

// The icon of a message box; each box has one OK button.
enum class MessageIcon { Stop, Warning };

class FormView {
public:
    virtual ~FormView() = default;

    virtual void SetHostText(const std::string& text) = 0;

    virtual std::string NumberBoxText() const = 0;
    virtual void SetNumberBoxText(const std::string& text) = 0;
    // Selects the number box's whole text.
    virtual void SelectNumberBoxText() = 0;

    // A range list's text is its picked item, or empty while nothing is picked.
    virtual void AddRangeItem(const std::string& item) = 0;  // to cmbLow, then to cmbHigh
    virtual std::string LowText() const = 0;
    virtual std::string HighText() const = 0;
    // Picks the item with this text.
    virtual void SetLowText(const std::string& text) = 0;
    virtual void SetHighText(const std::string& text) = 0;

    virtual bool TimerEnabled() const = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;

    // Modal to the application; returns when the user has closed it.
    virtual void ShowMessage(const std::string& prompt, const std::string& title,
                             MessageIcon icon) = 0;

    // Unloads the window; Form_Unload runs as part of it.
    virtual void Close() = 0;
};

}  // namespace tolvik
