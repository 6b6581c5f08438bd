// The real Tolvik.exe with our vzdapi.dll, beside the simulated client,
// driven from outside by clicks, keys and list picks: its window, its
// start-up and shut-down, and end to end, games announced in the client's
// chat (NULs and all, past the 32678 characters a fetch returns).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "driver.h"
#include "fakes.h"
#include "win32/app.h"
#include "win32/frm_tolvik.h"
#include "win32/vzdapi_library.h"

namespace tolvik {
namespace {

using namespace wintest;
using namespace std::string_literals;

using WindowTest = TolvikExeTest;

TEST_F(WindowTest, OpensWithTheLayoutAndStateOfTheTable) {
    RECT r;
    GetClientRect(app.window, &r);
    EXPECT_EQ(std::make_pair(r.right, r.bottom), std::make_pair(268L, 153L));
    const LONG_PTR style = GetWindowLongPtrW(app.window, GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), WS_MINIMIZEBOX);
    NONCLIENTMETRICSW metrics{};  // a label shows its whole text in the message font
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ font = SelectObject(dc, CreateFontIndirectW(&metrics.lfMessageFont));
    for (const ControlEntry& entry : kControls) {
        const PixelRect want = ControlPixels(entry, 96);
        const std::wstring caption = Wide(std::string(entry.caption));
        SIZE extent{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        GetWindowRect(app.Item(entry.id), &r);
        MapWindowPoints(nullptr, app.window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(std::make_pair(r.left, r.top), std::make_pair(LONG{want.left}, LONG{want.top}))
            << entry.name;
        const bool label = entry.kind == ControlKind::Label;  // grows to fit its text
        EXPECT_TRUE(label
                        ? r.right - r.left >= std::max<LONG>(want.width, extent.cx) && r.right < 88
                        : r.right - r.left == want.width && r.bottom - r.top == want.height)
            << entry.name;
        const std::string text = entry.kind == ControlKind::ComboList ? "" : app.Text(entry.id);
        EXPECT_EQ(text, std::string(entry.caption)) << entry.name;
    }
    DeleteObject(SelectObject(dc, font));
    DeleteDC(dc);
    EXPECT_EQ(app.Ask(kCmbHigh, CB_GETCOUNT), 20);
    EXPECT_EQ(app.Ask(kCmbLow, CB_GETCURSEL), CB_ERR);
    EXPECT_TRUE(app.Ask(kOptAutoOff, BM_GETCHECK) && app.Ask(kOptRandomOff, BM_GETCHECK));
    EXPECT_EQ(app.Focus(), app.Item(kTxtNumber));
    POINT corner{1, 1};  // the window's own background, in the system's colour
    ClientToScreen(app.window, &corner);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetPixel(screen, corner.x, corner.y), GetSysColor(COLOR_BTNFACE));
    ReleaseDC(nullptr, screen);
    for (WPARAM command : {SC_MINIMIZE, SC_RESTORE}) app.Post(ControlId(0), WM_SYSCOMMAND, command);
    EXPECT_EQ(app.Focus(), app.Item(kTxtNumber)) << "restored, the number box has the focus";
    HWND tips = nullptr;
    while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) &&
           GetWindow(tips, GW_OWNER) != app.window) {
    }
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);  // the Auto options'
    GetWindowRect(app.Item(kOptAutoOn), &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(tips); })) << "the tooltip shows";
    End([&] {
        app.Click(kOptAutoOn);
        app.Click(kCmdQuit);
    });
}

TEST_F(WindowTest, NumberBoxTakesDigitsOnly) {
    for (char c : std::string("a-.\b\x16")) app.Post(kTxtNumber, WM_CHAR, c);  // \x16: Ctrl+V
    EXPECT_EQ(app.Text(kTxtNumber), "");
    app.Type("21");
    EXPECT_EQ(app.Text(kTxtNumber), "WRONG NUMBER");
    EXPECT_EQ(app.Ask(kTxtNumber, EM_GETSEL), MAKELRESULT(0, 12));
    app.Type("5");
    app.Key(VK_HOME);
    app.Key(VK_DELETE);  // Delete does erase
    EXPECT_EQ(app.Text(kTxtNumber), "");
    // Alt+numpad codes: the character, then key releases with Alt held.
    app.Post(kTxtNumber, WM_CHAR, '0');
    app.Post(kTxtNumber, WM_SYSKEYUP, VK_NUMPAD8, 1 | (1u << 29) | (3u << 30));
    EXPECT_EQ(app.Text(kTxtNumber), "WRONG NUMBER");

    // Pasted full-width digits are not the user's digits: no number.
    sim->AppendLine("Bob: Get Ready to Play 21");
    SetWindowTextW(app.Item(kTxtNumber), L"\xFF11\xFF15");
    for (ControlId id : {kOptRandomOn, kOptRandomOff}) app.Click(id);  // Off again: no draw
    app.Key(VK_RIGHT);
    EXPECT_EQ(app.Ask(kTxtNumber, EM_GETSEL), MAKELRESULT(0, 2));
    app.Click(kCmdRegister);
    EXPECT_EQ(app.Text(kTxtNumber), "You have to enter a number here!!!!!");
    EXPECT_EQ(sim->EspCount(), 0u);
    const std::string name(40, 'x');  // the host box takes a long name typed in
    SetWindowTextW(app.Item(kTxtHost), L"");
    for (char c : name) app.Post(kTxtHost, WM_CHAR, static_cast<WPARAM>(c));
    EXPECT_EQ(app.Text(kTxtHost), name);
    // Closed while a tick's call waits in a loop that keeps the quit message.
    End([&] {
        sim->SetCallDelay(800);
        sim->SetWaitTakesQuit(true);
        app.Click(kOptAutoOn);
        ASSERT_TRUE(WaitFor([&] { return sim->WaitingCalls() > 0; }));
        app.Post(ControlId(0), WM_CLOSE, 0, 0);
    });
}

TEST_F(WindowTest, ListsTabOrderScreenReaderNamesAndAFirstLineGame) {
    app.Pick(kCmbLow, 8);   // 9
    app.Pick(kCmbHigh, 4);  // 5 under Low 9: High gives way
    EXPECT_EQ(app.Text(kCmbHigh), "9");
    app.Pick(kCmbLow, 9);  // 10 over High 9: Low gives way
    EXPECT_EQ(app.Text(kCmbLow), "9");
    app.Pick(kCmbHigh, 9);  // 10
    app.Pick(kCmbLow, 8);   // 9 < 10 as numbers
    EXPECT_EQ(app.Text(kCmbLow) + " " + app.Text(kCmbHigh), "9 10");

    // A screen reader names a box after the window just before it in z-order.
    EXPECT_EQ(GetWindow(app.Item(kTxtNumber), GW_HWNDPREV), app.Item(kLblNumber));
    EXPECT_EQ(GetWindow(app.Item(kTxtHost), GW_HWNDPREV), app.Item(kLblHost));
    for (ControlId next :
         {kCmdRegister, kTxtHost, kOptAutoOff, kOptRandomOff, kCmdGetHost, kCmdQuit, kCmbLow,
          kCmbHigh, kTxtNumber, kCmdRegister, kTxtHost, kOptAutoOff}) {
        app.Key(VK_TAB, ControlId(0));
        EXPECT_EQ(app.Focus(), app.Item(next)) << ControlById(next).name;
    }
    // The arrows stay within each pair; Tab then lands on its picked option.
    for (const auto& [on, off] :
         {std::pair{kOptAutoOn, kOptAutoOff}, {kOptRandomOn, kOptRandomOff}}) {
        for (UINT key : {VK_LEFT, VK_RIGHT, VK_LEFT}) {
            app.Key(key, ControlId(0));
            EXPECT_TRUE(app.Focus() == app.Item(on) || app.Focus() == app.Item(off));
        }
        EXPECT_TRUE(app.Ask(on, BM_GETCHECK) && !app.Ask(off, BM_GETCHECK));
        app.Key(VK_TAB, ControlId(0));
    }
    for (ControlId next : {kCmdQuit, kCmbLow, kCmbHigh, kTxtNumber, kCmdRegister, kTxtHost,
                           kOptAutoOn, kOptRandomOn}) {
        app.Key(VK_TAB, ControlId(0));
        EXPECT_EQ(app.Focus(), app.Item(next)) << ControlById(next).name;
    }

    sim->Clear();
    sim->AppendLine("Bob: Get Ready to Play 21");
    PostMessageW(app.Item(kCmdGetHost), BM_CLICK, 0, 0);
    const auto box = app.WaitForMessageBox();
    EXPECT_EQ(app.BoxText(box), "No 21 Host found: No host found");
    app.CloseMessageBox(box);
    app.Settle();
    EXPECT_EQ(app.Text(kTxtHost), "Host...");
    End([&] {
        EXPECT_TRUE(SendMessageW(app.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
        SendMessageW(app.window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    });
}

TEST(WindowStart, NoClientOrAMissingOrUnfitLibraryIsReportedAndEnds) {
    const bool x64 = sizeof(void*) == 8;
    const std::wstring other = BinDir() + (x64 ? L"..\\..\\win32" : L"..\\..\\win64");
    const struct {
        const wchar_t* folder;  // Tolvik.exe is copied there, with `library` as vzdapi.dll
        std::wstring library;
        std::string says[2];
        DWORD exitCode;
    } cases[] = {
        // clang-format off
        {nullptr, L"", {"VZones is not there: Failed to find a VZones Client:", ""}, 1},
        {L"tolvik-alone", L"", {"Tolvik: Tolvik could not load", "vzdapi.dll, so it cannot call DapiStart"}, 2},
        {L"tolvik-lacking", BinDir() + L"lacking\\vzdapi.dll", {"Tolvik: ", "vzdapi.dll was found, but it has no operation DapiESP"}, 2},
        {L"tolvik-other-bits", other + L"\\bin\\vzdapi.dll", {"Tolvik: Tolvik found", x64
            ? "a 32-bit library and this Tolvik is the 64-bit one, so it cannot call DapiStart.\n\nUse Tolvik.exe, the 32-bit Tolvik,"
            : "a 64-bit library and this Tolvik is the 32-bit one, so it cannot call DapiStart.\n\nUse Tolvik-x64.exe, the 64-bit Tolvik,"}, 2},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::wstring exe = BinDir() + L"Tolvik.exe";
        if (c.folder) {
            const std::wstring dir = TempPath(c.folder), dll = dir + L"\\vzdapi.dll";
            CreateDirectoryW(dir.c_str(), nullptr);
            ASSERT_TRUE(CopyFileW(exe.c_str(), (dir + L"\\Tolvik.exe").c_str(), FALSE));
            DeleteFileW(dll.c_str());
            if (!c.library.empty()) {
                ASSERT_TRUE(CopyFileW(c.library.c_str(), dll.c_str(), FALSE))
                    << "build both bitnesses";
            }
            exe = dir + L"\\Tolvik.exe";
        }
        // Started in the test's folder, which holds a vzdapi.dll: never loaded from there.
        TolvikApp app(exe, c.folder ? BinDir().c_str() : nullptr);
        const auto box = app.WaitForMessageBox();
        for (const auto& text : c.says)
            EXPECT_NE(app.BoxText(box).find(text), std::string::npos) << app.BoxText(box);
        EXPECT_EQ(app.WaitForWindow(0), nullptr);
        app.CloseMessageBox(box);
        EXPECT_EQ(app.WaitForExit(), c.exitCode);
        EXPECT_EQ(ReadFile(CallLog()),
                  c.folder ? "" : "DapiStart Tolvik\nDapiIsVZThere 0\nDapiStop\n");
    }

    // In-process: the window never runs a handler after the handlers' end.
    struct Missing : testing::FakeLibrary {
        void DapiStart(const std::string&) override { throw LibraryError("no vzdapi.dll"); }
    } library;
    testing::FakeRandom random;
    EXPECT_THROW(RunTolvik(GetModuleHandleW(nullptr), library, random, "Tolvik", SW_HIDE),
                 LibraryError);
    EXPECT_TRUE(library.calls.empty()) << "Form_Unload ran on dead handlers";
}

// In-process: moved to a monitor of 144 DPI, the window takes the place
// Windows suggests as given and lays its controls out for 144 DPI; a new
// Windows text size brings a new font. Old fonts are deleted.
TEST(WindowDpi, AMoveBetweenMonitorsAndANewTextSizeLayItOutAgain) {
    FrmTolvik form(GetModuleHandleW(nullptr));
    ASSERT_TRUE(form.Create());
    HWND window = form.hwnd();
    const auto font = [&] {
        return reinterpret_cast<HGDIOBJ>(Send(GetDlgItem(window, kTxtNumber), WM_GETFONT));
    };
    HGDIOBJ old = font();
    const auto iconWidth = [&] {  // of the big icon, as Windows shows it at this DPI
        ICONINFO info{};
        GetIconInfo(reinterpret_cast<HICON>(Send(window, WM_GETICON, ICON_BIG)), &info);
        BITMAP image{};
        GetObjectW(info.hbmColor, sizeof image, &image);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return image.bmWidth;
    };
    EXPECT_EQ(iconWidth(), GetSystemMetrics(SM_CXICON));
    RECT suggested{100, 50, 600, 350}, r;
    SendMessageW(window, 0x02E0, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(iconWidth(), GetSystemMetrics(SM_CXICON) * 3 / 2);
    GetWindowRect(window, &r);
    EXPECT_TRUE(EqualRect(&r, &suggested));
    for (const ControlEntry& entry : kControls) {
        GetWindowRect(GetDlgItem(window, entry.id), &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        const PixelRect want = ControlPixels(entry, 144);
        EXPECT_EQ(std::make_pair(r.left, r.top), std::make_pair(LONG{want.left}, LONG{want.top}))
            << entry.name;
    }
    SIZE size{};
    EXPECT_TRUE(SendMessageW(window, 0x02E4, 144, reinterpret_cast<LPARAM>(&size)));
    EXPECT_GT(size.cx, TwipsToPixels(kClientWidthTwips, 144));  // the frame around the layout
    for (int step = 0; step < 2; ++step) {
        EXPECT_EQ(GetObjectType(old), 0u) << "the old font is deleted";
        old = font();
        SendMessageW(window, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    }
}

using EndToEnd = TolvikExeTest;

TEST_F(EndToEnd, FiftyGamesInARollingTranscriptGetOneNumberEach) {
    const auto esps = [&] { return sim->EspCount(); };
    app.Type("7");
    app.Click(kOptAutoOn);
    const char* hosts[] = {"Bob", "Carol", "Carol", "Dave the Great", "B\xF6rk"};
    std::vector<double> latencies;
    for (int game = 0; game < 50; ++game) {
        if (game == 25) {  // from here on drawn strictly between 3 and 7
            app.Click(kOptRandomOn);
            app.Pick(kCmbLow, 2);
            app.Pick(kCmbHigh, 6);
        }
        // Lines that announce no game a player could be sent a number for: an
        // emote, the user's own ESP, and chat past what a fetch returns,
        // which cuts the announcement's line.
        const std::string odd[] = {
            "Carol waves. Get Ready to Play 21 :)\r\n",
            "ESP TO Bob: is it Get Ready to Play 21 time?\r\n",
            "Jim: Get Ready to Play 21\r\n" + std::string(vzsim::kGetTextLimit - 25, '\n')};
        if (game % 10 == 5) {
            sim->AppendRaw(odd[game / 10 % 3]);
            Sleep(1600);
            ASSERT_EQ(esps(), std::size_t(game)) << odd[game / 10 % 3];
        }
        for (int line = 0; line < 12; ++line)
            sim->AppendLine("Chatter" + std::to_string(line) +
                            ": what a night in the lounge, who is up for another round?");
        const std::string host = hosts[game % 5];
        // Announce at a different point of the tick's interval each time.
        Sleep(static_cast<DWORD>(game * 149 % 750));
        const std::int64_t announced = vzsim::Now();
        sim->AppendRaw(host + ": Get Ready\0 to Play 21\r\n"s);  // a NUL passes the BSTR
        ASSERT_TRUE(WaitFor([&] { return esps() > std::size_t(game); }, 3000)) << "game " << game;
        const auto esp = sim->Esps().back();
        EXPECT_EQ(esp.recipient + "|" + std::to_string(esp.timeout), host + "|3000");
        const bool drawn = esp.message >= "4" && esp.message <= "6" && esp.message.size() == 1;
        EXPECT_TRUE(game < 25 ? esp.message == "7" : drawn) << esp.message;
        latencies.push_back((esp.microseconds - announced) / 1000.0);
    }
    Sleep(2500);
    EXPECT_EQ(esps(), 50u);
    EXPECT_EQ(app.Text(kTxtHost), "B\xF6rk");
    EXPECT_EQ(app.Text(kTxtNumber), sim->Esps().back().message);
    EXPECT_GT(sim->Transcript().size(), vzsim::kGetTextLimit);

    std::sort(latencies.begin(), latencies.end());
    std::printf(
        "latency from announcement to ESP over 50 games (ms): min %.0f, median %.0f, "
        "90th percentile %.0f, max %.0f\n",
        latencies.front(), latencies[25], latencies[45], latencies.back());
    // One interval, plus one tick's work and the scheduling slack of Wine.
    EXPECT_LT(latencies.back(), 750 + 150);

    // The client closes: ticks and presses find nothing, and Tolvik runs on.
    sim.reset();
    Sleep(2000);
    app.Click(kCmdGetHost);
    app.Click(kCmdRegister);
    EXPECT_EQ(app.Text(kTxtHost), "B\xF6rk");
    End([&] { app.Click(kCmdQuit); });
}

// Clients as they can be: one that writes no echo gets the ESP again, spaced
// out; one whose echo comes late gets it once; one whose calls wait while
// dispatching Tolvik's messages gets clicks in the middle of a call, also
// while DapiStop waits.
TEST_F(EndToEnd, DifficultClientsGetOneNumberOrSpacedOutResendsAndClicksNeverNest) {
    app.Type("12");
    app.Click(kOptAutoOn);
    sim->SetEchoDelay(vzsim::kNoEcho);
    sim->AppendLine("Bob: Get Ready to Play 21");
    ASSERT_TRUE(WaitFor([&] { return sim->EspCount() == 1; }, 2000));
    Sleep(7000);  // the first resend after 3 s, the next not before 9 s
    auto esps = sim->Esps();
    ASSERT_EQ(esps.size(), 2u);
    EXPECT_GE(esps[1].microseconds - esps[0].microseconds, 3000000);

    sim->SetEchoDelay(1500);
    sim->AppendLine("Carol: Get Ready to Play 21");
    Sleep(5000);
    esps = sim->Esps();
    ASSERT_EQ(esps.size(), 3u);
    EXPECT_EQ(esps[2].recipient, "Carol");

    // While a tick's call waits: two presses of Register count once, after
    // the tick, and Auto "Off" stands.
    sim->SetCallDelay(800);
    ASSERT_TRUE(WaitFor([&] { return sim->WaitingCalls() > 0; }));
    for (ControlId id : {kCmdRegister, kCmdRegister, kOptAutoOff}) app.Click(id);
    ASSERT_TRUE(WaitFor([&] { return sim->EspCount() == 4; }, 10000));
    const auto fetches = sim->FetchCount();
    Sleep(2500);
    EXPECT_EQ(sim->FetchCount(), fetches) << "Auto Off must stand after the tick";
    EXPECT_EQ(sim->EspCount(), 4u);
    EXPECT_EQ(sim->Esps().back().timeout, 5000);
    End([&] {
        PostMessageW(app.Item(kCmdQuit), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return sim->WaitingCalls() > 0; }));  // DapiStop's
        app.Click(kCmdRegister);
        app.Click(kCmdGetHost);
    });
}

}  // namespace
}  // namespace tolvik
