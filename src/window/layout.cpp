#include "window/layout.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tolvik {

// clang-format off
const std::array<ControlEntry, 15> kControls = {{
//   id             name            kind                    caption          left   top  width height  frame       partner
    {kTxtNumber,    "txtNumber",    ControlKind::TextBox,   "",             {1320,  540, 2595, 315}, ControlId(0), ControlId(0), ""},
    {kLblNumber,    "lblNumber",    ControlKind::Label,     "Your Number:", {  60,  540,  975, 195}, ControlId(0), ControlId(0), ""},
    {kCmdRegister,  "cmdRegister",  ControlKind::Button,    "Register",     {1620, 1920, 1155, 315}, ControlId(0), ControlId(0), ""},
    {kTxtHost,      "txtHost",      ControlKind::TextBox,   "Host.....",    {1320,  120, 2595, 315}, ControlId(0), ControlId(0), ""},
    {kLblHost,      "lblHost",      ControlKind::Label,     "Host:",        {  60,  120,  375, 195}, ControlId(0), ControlId(0), ""},
    {kFrame1,       "Frame1",       ControlKind::Frame,     "Auto",         {1080,  900, 1335, 615}, ControlId(0), ControlId(0), ""},
    {kOptAutoOn,    "optAuto(0)",   ControlKind::Option,    "On",           { 120,  240,  915, 255}, kFrame1, kOptAutoOff,
        "If you want to register automatically select this option"},
    {kOptAutoOff,   "optAuto(1)",   ControlKind::Option,    "Off",          { 720,  240,  555, 255}, kFrame1, kOptAutoOn,
        "If you don't want to autoregister then select this option"},
    {kFrmRandom,    "frmRandom",    ControlKind::Frame,     "Random",       {2460,  900, 1455, 615}, ControlId(0), ControlId(0), ""},
    {kOptRandomOn,  "optRandom(0)", ControlKind::Option,    "On",           { 180,  240, 1155, 255}, kFrmRandom, kOptRandomOff, ""},
    {kOptRandomOff, "optRandom(1)", ControlKind::Option,    "Off",          { 840,  240,  615, 255}, kFrmRandom, kOptRandomOn, ""},
    {kCmdGetHost,   "cmdGetHost",   ControlKind::Button,    "Get Host",     { 480, 1920, 1095, 315}, ControlId(0), ControlId(0), ""},
    {kCmdQuit,      "cmdQuit",      ControlKind::Button,    "Quit",         {2820, 1920, 1095, 315}, ControlId(0), ControlId(0), ""},
    {kCmbLow,       "cmbLow",       ControlKind::ComboList, "",             {1080, 1560, 1335, 315}, ControlId(0), ControlId(0), ""},
    {kCmbHigh,      "cmbHigh",      ControlKind::ComboList, "",             {2460, 1560, 1335, 315}, ControlId(0), ControlId(0), ""},
}};
// clang-format on

int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled + 720) / 1440);
}

int LayoutDpi(int dpi, int fontHeight) {
    return std::max(dpi, fontHeight * 96 / kDesignFontHeight);
}

PixelRect WindowPlace(int left, int top, int layoutDpi, PixelSize frame) {
    return {left, top, TwipsToPixels(kClientWidthTwips, layoutDpi) + frame.width,
            TwipsToPixels(kClientHeightTwips, layoutDpi) + frame.height};
}

const ControlEntry& ControlById(ControlId id) {
    for (const auto& entry : kControls)
        if (entry.id == id) return entry;
    throw std::invalid_argument("frmTolvik has no control " + std::to_string(id));
}

std::string AccessibleName(const ControlEntry& entry) {
    if (entry.id == kCmbLow) return "Low";
    if (entry.id == kCmbHigh) return "High";
    if (entry.frame == 0) return std::string();
    return std::string(ControlById(entry.frame).caption) + " " + std::string(entry.caption);
}

PixelRect ControlPixels(const ControlEntry& entry, int dpi) {
    TwipRect r = entry.twips;
    // The "On" option of a pair would reach over the "Off" option's button,
    // taking the clicks meant for it: it ends where the "Off" option starts.
    if (entry.partner != 0) {
        const TwipRect& off = ControlById(entry.partner).twips;
        if (off.left > r.left && r.left + r.width > off.left) r.width = off.left - r.left;
    }
    if (entry.frame != 0) {
        const TwipRect& frame = ControlById(entry.frame).twips;
        r.left += frame.left;
        r.top += frame.top;
    }
    // Edges are converted, not sizes, so neighbours never drift apart by rounding.
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return {left, top, TwipsToPixels(r.left + r.width, dpi) - left,
            TwipsToPixels(r.top + r.height, dpi) - top};
}

}  // namespace tolvik
