// The controls of frmTolvik in tab order, with their captions and positions
// in twips, and the conversion of those positions to pixels at a DPI.
#pragma once

#include <array>
#include <string>
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

// The table is drawn for a message font 12 pixels high at 96 DPI (Segoe UI's
// 9 points); a larger text size grows the whole layout with the font. The
// layout is drawn at the larger of the DPI and the DPI at which the design
// font would be as high as the user's: at 96 DPI, an 18-pixel message font
// lays the window out as 144 DPI would, and an 11-pixel one as 96 DPI.
constexpr int kDesignFontHeight = 12;
// `fontHeight`: the message font's character height in pixels at `dpi`.
int LayoutDpi(int dpi, int fontHeight);

struct PixelSize {
    int width, height;
};

// The window's outer rectangle with its top left at `left`, `top`: the client
// area the layout needs at `layoutDpi` plus `frame`, the frame's thickness
// (both sides together) at the window's DPI. After a move to a monitor of
// another DPI, Windows suggests a rectangle: the size Tolvik asked for, or
// (per-monitor v1, before Windows 10 1703) the old outer size scaled, frame
// and all, too large going up and too small coming back. Only its position
// is taken. E.g. suggested 100, 50, 426 by 288 for a layout at 144 DPI in a
// frame of 22 by 54: 100, 50, 424 by 284.
PixelRect WindowPlace(int left, int top, int layoutDpi, PixelSize frame);

// What a screen reader says for a control that no caption or label names:
// each list by the bound it gives ("Low"), each option with its frame's
// caption before its own ("Auto On"); empty for the others.
std::string AccessibleName(const ControlEntry& entry);

// The entry of a control of the table; an id that is none of them is a
// programming error (std::invalid_argument).
const ControlEntry& ControlById(ControlId id);

}  // namespace tolvik
