// The control table in pixels at any DPI.
#include "window/layout.h"

#include <gtest/gtest.h>

namespace tolvik {

TEST(Layout, TwipsToPixelsAtAnyDpi) {
    EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 144), 402);
    EXPECT_EQ(TwipsToPixels(10 * 1440, 150), 1500);  // ten inches
    const PixelRect number = ControlPixels(ControlById(kTxtNumber), 96);
    EXPECT_EQ(std::vector<int>({number.left, number.top, number.width, number.height}),
              std::vector<int>({88, 36, 173, 21}));
    // Options sit inside their frame; "On" stops where "Off" starts, at any DPI.
    const PixelRect off = ControlPixels(ControlById(kOptRandomOff), 144);
    EXPECT_EQ(std::make_pair(off.left, off.top), std::make_pair(330, 114));  // 144 DPI
    for (int dpi : {96, 120, 144, 192}) {
        const PixelRect on = ControlPixels(ControlById(kOptAutoOn), dpi);
        EXPECT_EQ(on.left + on.width, ControlPixels(ControlById(kOptAutoOff), dpi).left) << dpi;
    }
}

TEST(Layout, FollowsTheTextSizeTheMonitorAndIsNamedForScreenReaders) {
    // A DPI and the message font's height there -> the DPI the table is drawn at.
    const int sizes[][3] = {
        {96, 12, 96}, {96, 11, 96}, {96, 18, 144}, {120, 15, 120}, {144, 27, 216}};
    for (const auto& s : sizes) EXPECT_EQ(LayoutDpi(s[0], s[1]), s[2]) << s[0] << " DPI, " << s[1];
    // Moved from 96 to 144 DPI, per-monitor v1 suggests the old 284 by 192 scaled
    // to 426 by 288: of that, the place; the size is the layout's and the frame's.
    const PixelRect moved = WindowPlace(100, 50, 144, {22, 54});
    EXPECT_EQ(std::vector({moved.left, moved.top, moved.width, moved.height}),
              std::vector({100, 50, 424, 284}));
    std::string names;
    for (const ControlEntry& entry : kControls) names += AccessibleName(entry) + "|";
    EXPECT_EQ(names, "||||||Auto On|Auto Off||Random On|Random Off|||Low|High|");
}

}  // namespace tolvik
