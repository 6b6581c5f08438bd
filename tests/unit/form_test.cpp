// The window's handlers against the in-memory form: start-up and shut-down,
// the switches, the number box, the range lists and "Get Host".
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes.h"
#include "window/layout.h"
#include "window/tolvik.h"

namespace tolvik {
namespace {

using testing::FakeLibrary;
using testing::FakeRandom;
using testing::MemoryForm;

struct FormTest : ::testing::Test {
    FakeLibrary library;
    FakeRandom random;
    MemoryForm form;
    Tolvik tolvik{form, library, random, "Tolvik"};
    FormTest() {
        form.onClose = [this] { tolvik.Form_Unload(); };
    }
    int Stops() const {
        return static_cast<int>(std::count(library.calls.begin(), library.calls.end(), "DapiStop"));
    }
};

TEST_F(FormTest, StartUpAndQuit) {
    ASSERT_TRUE(tolvik.Form_Load());
    EXPECT_GE(random.reseeds, 2);  // the seed was stirred
    EXPECT_EQ(library.calls, (std::vector<std::string>{"DapiStart Tolvik", "DapiIsVZThere"}));
    ASSERT_EQ(form.items.size(), 20u);
    EXPECT_EQ(form.items.front(), "1");
    EXPECT_EQ(form.items.back(), "20");
    EXPECT_TRUE(form.boxes.empty());

    // Quit turns the timer off before detaching, once however often it closes.
    tolvik.optAuto_Click(0);
    form.log = &library.calls;
    tolvik.cmdQuit_Click();
    tolvik.Form_Unload();
    EXPECT_EQ(std::vector<std::string>(library.calls.end() - 2, library.calls.end()),
              (std::vector<std::string>{"timer off", "DapiStop"}));
    EXPECT_EQ(Stops(), 1);
}

TEST_F(FormTest, NoClientShowsTheStopBoxClosesAndStopsOnce) {
    library.clientThere = false;
    EXPECT_FALSE(tolvik.Form_Load());
    EXPECT_EQ(form.boxes,
              (std::vector<std::string>{"VZones is not there: Failed to find a VZones Client:"}));
    EXPECT_EQ(form.icons[0], MessageIcon::Stop);
    EXPECT_TRUE(form.items.empty());
    EXPECT_EQ(Stops(), 1);
}

TEST_F(FormTest, SwitchesKeepARunningCountdown) {
    tolvik.optAuto_Click(0);
    tolvik.optAuto_Click(0);
    EXPECT_TRUE(form.timerEnabled);
    EXPECT_EQ(form.timerStarts, 1);
    tolvik.optAuto_Click(1);
    tolvik.optAuto_Click(1);
    EXPECT_FALSE(form.timerEnabled);
    for (int index : {0, 1}) {
        tolvik.optRandom_Click(index);
        EXPECT_EQ(tolvik.RandomMode(), index == 0);
    }
}

TEST_F(FormTest, NumberBoxTakesDigitsAndFlagsNumbersOutsideOneToTwenty) {
    for (const char c : std::string("a-.\b\x16/:059")) {
        int key = c;
        tolvik.txtNumber_KeyPress(key);
        EXPECT_EQ(key, c >= '0' && c <= '9' ? c : 0) << int{c};
    }
    const struct {
        const char *typed, *after;
        bool selected;
    } cases[] = {
        // clang-format off
        {"1", "1", false}, {"20", "20", false}, {"20.5", "20.5", false}, {"1.5", "1.5", false},
        {"21", "WRONG NUMBER", true}, {"0", "WRONG NUMBER", true}, {"0.5", "WRONG NUMBER", true},
        {"-3", "WRONG NUMBER", true}, {"999999", "WRONG NUMBER", true}, {"", "", true},
        {"WRONG NUMBER", "WRONG NUMBER", true},
        // clang-format on
    };
    for (const auto& c : cases) {
        form.SetNumberText(c.typed);
        tolvik.txtNumber_KeyUp();
        EXPECT_EQ(form.numberText, c.after) << c.typed;
        EXPECT_EQ(form.allSelected, c.selected) << c.typed;
    }
}

TEST_F(FormTest, RangeListsNeverCross) {
    const struct {
        const char *low, *high;
        bool lowPicked;  // else High was picked
        const char *lowAfter, *highAfter;
    } cases[] = {
        {"9", "5", false, "9", "9"}, {"9", "5", true, "5", "5"},   {"9", "", true, "9", ""},
        {"", "5", false, "", "5"},   {"9", "10", true, "9", "10"}, {"10", "9", false, "10", "10"},
    };
    for (const auto& c : cases) {
        form.lowText = c.low;
        form.highText = c.high;
        c.lowPicked ? tolvik.cmbLow_Click() : tolvik.cmbHigh_Click();
        EXPECT_EQ(form.lowText, c.lowAfter) << c.low << " " << c.high;
        EXPECT_EQ(form.highText, c.highAfter) << c.low << " " << c.high;
    }
}

TEST_F(FormTest, GetHostNamesTheSpeakerOfTheLastAnnouncement) {
    const struct {
        const char* transcript;
        const char* hostText;
        bool warned;
    } cases[] = {
        // clang-format off
        {"Alice: hi", "Host.....", false},  // nothing changes, not even the five dots
        {"Bob: Get Ready to Play 21", "Host...", true},
        {"Alice: hi\r\nBob: Get Ready to Play 21", "Bob", false},
        {"Bob: Get Ready to Play 21", "Bob", true},  // the name stays
        {"x\r\nCarol: ok Get Ready to Play 21 now", "Carol", false},
        {"x\r\n: Get Ready to Play 21", "Host...", false},  // an empty name
        // clang-format on
    };
    for (const auto& c : cases) {
        const std::size_t boxes = form.boxes.size();
        library.transcript = c.transcript;
        tolvik.cmdGetHost_Click();
        EXPECT_EQ(form.hostText, c.hostText) << c.transcript;
        EXPECT_EQ(form.boxes.size(), boxes + (c.warned ? 1 : 0)) << c.transcript;
    }
    EXPECT_EQ(form.boxes.back(), "No 21 Host found: No host found");
    EXPECT_EQ(form.icons.back(), MessageIcon::Warning);
    EXPECT_EQ(library.fetchTimeouts.back(), 5000);
}

TEST(Layout, TwipsBecomePixelsAtTheWindowsDpi) {
    EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 96), 268);
    EXPECT_EQ(TwipsToPixels(kClientHeightTwips, 96), 153);
    EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 144), 402);
    const PixelRect number = ControlPixels(ControlById(kTxtNumber), 96);
    EXPECT_EQ(std::vector<int>({number.left, number.top, number.width, number.height}),
              std::vector<int>({88, 36, 173, 21}));
    // Options are placed inside their frame.
    const PixelRect off = ControlPixels(ControlById(kOptRandomOff), 144);
    EXPECT_EQ(off.left, (2460 + 840) / 10);
    EXPECT_EQ(off.top, (900 + 240) / 10);
    // The "On" option stops where "Off" starts, at any DPI.
    for (int dpi : {96, 120, 144, 192}) {
        const PixelRect on = ControlPixels(ControlById(kOptAutoOn), dpi);
        EXPECT_EQ(on.left + on.width, ControlPixels(ControlById(kOptAutoOff), dpi).left) << dpi;
    }
    EXPECT_EQ(AppNameFromPath("C:\\Games\\VZ\\Tolvik.exe"), "Tolvik");
    EXPECT_EQ(AppNameFromPath("my.tolvik.EXE"), "my.tolvik");
}

}  // namespace
}  // namespace tolvik
