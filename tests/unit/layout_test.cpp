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

}  // namespace tolvik
