// The controls of frmTolvik in tab order, with their captions and positions
// in twips, and the conversion of those positions to pixels at a DPI.
#pragma once

#include <array>
#include <string_view>

namespace tolvik {

enum class ControlKind { Label, TextBox, Frame, Option, ComboList, Button };

enum ControlId : int {
    kTxtNumber = 101,
    kLblNumber,
    kCmdRegister,
    kTxtHost,
    kLblHost,
    kFrame1,
    kOptAutoOn,
    kOptAutoOff,
    kFrmRandom,
    kOptRandomOn,
    kOptRandomOff,
    kCmdGetHost,
    kCmdQuit,
    kCmbLow,
    kCmbHigh,
};

struct TwipRect {
    int left, top, width, height;
};

struct ControlEntry {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    std::string_view caption;  // caption or initial text
    TwipRect twips;            // relative to the frame for options, else to the client area
    ControlId frame;           // the frame holding an option button, else 0
    ControlId partner;         // the other option button of its pair, else 0
    std::string_view tooltip;
};

// In tab order: the first control takes the focus when the window shows.
extern const std::array<ControlEntry, 15> kControls;

constexpr int kClientWidthTwips = 4020;
constexpr int kClientHeightTwips = 2295;
constexpr std::string_view kCaption = "Zarvin's Tolvik";

struct PixelRect {
    int left, top, width, height;
};

// 1440 twips make an inch; rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);

// The control's rectangle in the window's client area, in pixels. Options
// of a pair never overlap.
PixelRect ControlPixels(const ControlEntry& entry, int dpi);

// The entry of a control of the table; an id that is none of them is a
// programming error (std::invalid_argument).
const ControlEntry& ControlById(ControlId id);

}  // namespace tolvik
