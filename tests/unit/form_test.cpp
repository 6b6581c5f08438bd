// The window's handlers against the in-memory form: start-up and shut-down,
// the switches, the number box, the range lists and host finding.
#include <gtest/gtest.h>

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

    // The number box after the user types `typed` (one key release at the end).
    std::string AfterKeyUp(const std::string& typed) {
        form.SetNumberText(typed);
        tolvik.txtNumber_KeyUp();
        return form.numberText;
    }
};

TEST_F(FormTest, StartUpFillsTheListsAndLeavesEverythingOff) {
    ASSERT_TRUE(tolvik.Form_Load());
    EXPECT_GE(random.reseeds, 2);  // the seed was stirred
    EXPECT_EQ(library.calls, (std::vector<std::string>{"DapiStart Tolvik", "DapiIsVZThere"}));
    ASSERT_EQ(form.lowItems.size(), 20u);
    EXPECT_EQ(form.lowItems.front(), "1");
    EXPECT_EQ(form.lowItems.back(), "20");
    EXPECT_EQ(form.highItems, form.lowItems);
    EXPECT_EQ(form.lowText, "");
    EXPECT_FALSE(form.timerEnabled);
    EXPECT_FALSE(tolvik.RandomMode());
    EXPECT_TRUE(form.boxes.empty());

    // Quit turns the timer off before detaching; a second close stops nothing more.
    tolvik.optAuto_Click(0);
    form.log = &library.calls;
    tolvik.cmdQuit_Click();
    tolvik.Form_Unload();
    EXPECT_EQ(library.calls.back(), "DapiStop");
    EXPECT_EQ(library.calls[library.calls.size() - 2], "timer off");
    EXPECT_EQ(std::count(library.calls.begin(), library.calls.end(), "DapiStop"), 1);
}

TEST_F(FormTest, NoClientShowsTheErrorBoxClosesAndStopsOnce) {
    library.clientThere = false;
    EXPECT_FALSE(tolvik.Form_Load());
    ASSERT_EQ(form.boxes.size(), 1u);
    EXPECT_EQ(form.boxes[0].prompt, "Failed to find a VZones Client:");
    EXPECT_EQ(form.boxes[0].title, "VZones is not there");
    EXPECT_EQ(form.boxes[0].style, 16u);
    EXPECT_TRUE(form.closed);
    EXPECT_TRUE(form.lowItems.empty());
    EXPECT_EQ(std::count(library.calls.begin(), library.calls.end(), "DapiStop"), 1);
}

TEST_F(FormTest, SwitchesKeepARunningCountdown) {
    tolvik.optAuto_Click(0);
    tolvik.optAuto_Click(0);
    EXPECT_TRUE(form.timerEnabled);
    EXPECT_EQ(form.timerStarts, 1);
    tolvik.optAuto_Click(1);
    tolvik.optAuto_Click(1);
    EXPECT_FALSE(form.timerEnabled);
    tolvik.optRandom_Click(0);
    EXPECT_TRUE(tolvik.RandomMode());
    tolvik.optRandom_Click(1);
    EXPECT_FALSE(tolvik.RandomMode());
}

TEST_F(FormTest, KeyPressLetsDigitsThroughOnly) {
    for (int key = 0; key < 256; ++key) {
        int k = key;
        tolvik.txtNumber_KeyPress(k);
        EXPECT_EQ(k, (key >= '0' && key <= '9') ? key : 0) << key;
    }
    int wide = 0x0661;  // ARABIC-INDIC DIGIT ONE is no digit here
    tolvik.txtNumber_KeyPress(wide);
    EXPECT_EQ(wide, 0);
}

TEST_F(FormTest, KeyUpFlagsNumbersOutsideOneToTwenty) {
    for (const char* ok : {"1", "20", "7", "20.5", "1.5", "07"}) EXPECT_EQ(AfterKeyUp(ok), ok);
    for (const char* wrong : {"0", "21", "999999", "0.5", "-3", "20.50000000000000000001",
                              "99999999999999999999999999999999999999"}) {
        EXPECT_EQ(AfterKeyUp(wrong), "WRONG NUMBER") << wrong;
        EXPECT_EQ(form.selStart, 0u);
        EXPECT_EQ(form.selLength, 12u);
    }
    // Not numeric: selected whole, left as it is.
    EXPECT_EQ(AfterKeyUp("WRONG NUMBER"), "WRONG NUMBER");
    EXPECT_EQ(form.selLength, 12u);
    EXPECT_EQ(AfterKeyUp(""), "");
    EXPECT_EQ(form.selLength, 0u);
}

TEST_F(FormTest, RangeListsNeverCrossAndCompareAsNumbers) {
    form.highText = "5";
    form.lowText = "9";
    tolvik.cmbLow_Click();
    EXPECT_EQ(form.lowText, "5");

    form.lowText = "9";
    form.highText = "5";
    tolvik.cmbHigh_Click();
    EXPECT_EQ(form.highText, "9");

    form.highText = "10";
    form.lowText = "9";
    tolvik.cmbLow_Click();
    tolvik.cmbHigh_Click();
    EXPECT_EQ(form.lowText, "9");
    EXPECT_EQ(form.highText, "10");

    form.highText = "";
    form.lowText = "20";
    tolvik.cmbLow_Click();
    tolvik.cmbHigh_Click();
    EXPECT_EQ(form.lowText, "20");
    EXPECT_EQ(form.highText, "");
}

TEST_F(FormTest, GetHostShowsTheLastAnnouncementsSpeaker) {
    library.transcript = "Alice: hi\r\nBob: Get Ready to Play 21";
    tolvik.cmdGetHost_Click();
    EXPECT_EQ(tolvik.HostName(), "Bob");
    EXPECT_EQ(form.hostText, "Bob");
    EXPECT_EQ(library.fetchTimeouts.back(), 5000);
    EXPECT_TRUE(form.boxes.empty());
}

TEST_F(FormTest, GetHostWithoutAnnouncementChangesNothing) {
    for (const char* text :
         {"", "Alice: hi\r\nBob: get ready to play 21", "Alice: hi\r\nBob Get Ready to Play 21"}) {
        library.transcript = text;
        tolvik.cmdGetHost_Click();
        EXPECT_EQ(form.hostText, "Host.....");
        EXPECT_EQ(tolvik.HostName(), "");
        EXPECT_TRUE(form.boxes.empty());
    }
}

TEST_F(FormTest, AnnouncementOnTheFirstLineWarnsAndKeepsTheName) {
    library.transcript = "Bob: Get Ready to Play 21";
    tolvik.cmdGetHost_Click();
    ASSERT_EQ(form.boxes.size(), 1u);
    EXPECT_EQ(form.boxes[0].prompt, "No host found");
    EXPECT_EQ(form.boxes[0].title, "No 21 Host found");
    EXPECT_EQ(form.boxes[0].style, 48u);
    EXPECT_EQ(form.hostText, "Host...");

    library.transcript = "x\r\nCarol: Get Ready to Play 21";
    tolvik.cmdGetHost_Click();
    library.transcript = "Bob: Get Ready to Play 21";
    tolvik.cmdGetHost_Click();
    EXPECT_EQ(form.boxes.size(), 2u);
    EXPECT_EQ(tolvik.HostName(), "Carol");
    EXPECT_EQ(form.hostText, "Carol");

    // An empty speaker name shows the placeholder too.
    library.transcript = "x\r\n: Get Ready to Play 21";
    tolvik.cmdGetHost_Click();
    EXPECT_EQ(form.hostText, "Host...");
}

TEST(Layout, TwipsBecomePixelsAtTheWindowsDpi) {
    EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 96), 268);
    EXPECT_EQ(TwipsToPixels(kClientHeightTwips, 96), 153);
    EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 144), 402);
    const PixelRect number = ControlPixels(ControlById(kTxtNumber), 96);
    EXPECT_EQ(number.left, 88);
    EXPECT_EQ(number.top, 36);
    EXPECT_EQ(number.width, 173);
    EXPECT_EQ(number.height, 21);
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
