// The window's handlers against the in-memory form: start-up and shut-down,
// the switches, the number box and the range lists; the layout arithmetic.
#include <gtest/gtest.h>

#include "fakes.h"
#include "window/layout.h"

namespace tolvik {
namespace {

using testing::Rig;
using Strings = std::vector<std::string>;

TEST(Form, StartsAndDetachesOnce) {
    Rig rig;
    rig.form.log = &rig.library.calls;
    ASSERT_TRUE(rig.tolvik.Form_Load());
    EXPECT_GE(rig.random.reseeds, 2);  // the seed was stirred
    EXPECT_EQ(rig.form.items,
              Strings({"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "10",
                       "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"}));
    // The switches keep a running countdown; Quit stops the timer, then detaches.
    for (int index : {0, 0, 1, 1, 0}) rig.tolvik.optAuto_Click(index);
    rig.tolvik.cmdQuit_Click();
    rig.tolvik.Form_Unload();
    EXPECT_EQ(rig.library.calls, Strings({"DapiStart Tolvik", "timer on", "timer off", "timer on",
                                          "timer off", "DapiStop"}));
    EXPECT_TRUE(rig.form.boxes.empty());

    Rig none;
    none.library.clientThere = false;
    EXPECT_FALSE(none.tolvik.Form_Load());
    EXPECT_EQ(none.form.boxes, Strings({"VZones is not there: Failed to find a VZones Client:"}));
    EXPECT_EQ(none.form.icons, std::vector<MessageIcon>({MessageIcon::Stop}));
    EXPECT_TRUE(none.form.items.empty());
    EXPECT_EQ(none.library.calls, Strings({"DapiStart Tolvik", "DapiStop"}));
}

TEST(Form, NumberBoxAndRangeLists) {
    Rig rig;
    for (const char c : std::string("a-.\b\x16/:059")) {
        int key = c;
        rig.tolvik.txtNumber_KeyPress(key);
        EXPECT_EQ(key, c >= '0' && c <= '9' ? c : 0) << int{c};
    }
    // Typed -> the box after, and whether its text is selected.
    const std::pair<const char*, const char*> typed[] = {
        // clang-format off
        {"1", "1"}, {"20", "20"}, {"20.5", "20.5"}, {"1.5", "1.5"}, {"", ", selected"},
        {"21", "WRONG NUMBER, selected"}, {"0.5", "WRONG NUMBER, selected"},
        {"-3", "WRONG NUMBER, selected"}, {"999999", "WRONG NUMBER, selected"},
        {"WRONG NUMBER", "WRONG NUMBER, selected"},
        // clang-format on
    };
    for (const auto& [text, after] : typed) {
        rig.form.SetNumberText(text);
        rig.tolvik.txtNumber_KeyUp();
        EXPECT_EQ(rig.form.numberText + (rig.form.allSelected ? ", selected" : ""), after);
    }

    // Low, High, which was picked -> Low and High after: they never cross.
    const char* const lists[][4] = {
        {"9", "5", "high", "9 9"}, {"9", "5", "low", "5 5"},   {"9", "", "low", "9 "},
        {"", "5", "high", " 5"},   {"9", "10", "low", "9 10"}, {"10", "9", "high", "10 10"},
    };
    for (const auto& c : lists) {
        rig.form.lowText = c[0];
        rig.form.highText = c[1];
        c[2] == std::string("low") ? rig.tolvik.cmbLow_Click() : rig.tolvik.cmbHigh_Click();
        EXPECT_EQ(rig.form.lowText + " " + rig.form.highText, c[3]);
    }
}

TEST(Layout, TwipsBecomePixelsAtTheWindowsDpi) {
    EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 144), 402);
    const PixelRect number = ControlPixels(ControlById(kTxtNumber), 96);
    EXPECT_EQ(std::vector<int>({number.left, number.top, number.width, number.height}),
              std::vector<int>({88, 36, 173, 21}));
    // Options sit inside their frame; "On" stops where "Off" starts, at any DPI.
    const PixelRect off = ControlPixels(ControlById(kOptRandomOff), 144);
    EXPECT_EQ(std::make_pair(off.left, off.top),
              std::make_pair((2460 + 840) / 10, (900 + 240) / 10));
    for (int dpi : {96, 120, 144, 192}) {
        const PixelRect on = ControlPixels(ControlById(kOptAutoOn), dpi);
        EXPECT_EQ(on.left + on.width, ControlPixels(ControlById(kOptAutoOff), dpi).left) << dpi;
    }
    EXPECT_EQ(AppNameFromPath("C:\\Games\\VZ\\Tolvik.exe"), "Tolvik");
    EXPECT_EQ(AppNameFromPath("my.tolvik.EXE"), "my.tolvik");
}

}  // namespace
}  // namespace tolvik
