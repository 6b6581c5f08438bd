// The real Tolvik.exe with our vzdapi.dll, beside the simulated client,
// driven from outside by clicks, keys and list picks: its window, its
// start-up and shut-down, and end to end, a few games announced in the
// client's chat (NULs and all, past the 32678 characters a fetch returns)
// and clicks while the library waits.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <thread>
#include <tuple>

#include "channel/sim_channel.h"
#include "driver.h"
#include "fakes.h"
#include "win32/app.h"
#include "win32/vzdapi_library.h"

namespace tolvik {

using namespace wintest;
using namespace std::string_literals;

// Tolvik, ended in one of the ways a user or Windows can: a clean exit, no
// library call made inside another, and DapiStop the last call, made once.
// Gives the calls from the first fetch on.
std::string ExpectACleanEnd(TolvikApp& app) {
    EXPECT_EQ(app.WaitForExit(), 0u);
    const std::string calls = ReadFile(kCallLog);
    EXPECT_EQ(calls.find("nested"), std::string::npos) << calls;
    EXPECT_EQ(calls.find("DapiStop"), calls.size() - 9) << calls;
    return calls.substr(std::min(calls.find("DapiGetText"), calls.size()));
}

// Tolvik.exe beside the simulated client, hosted in this process
// (sim.reset() is a user closing the client).
struct WindowTest : ::testing::Test {
    std::unique_ptr<vzsim::Channel> sim = vzsim::Channel::Create();
    TolvikApp app;
    void SetUp() override {
        ASSERT_NE(sim, nullptr);
        sim->AppendLine("*** Welcome to the lounge ***");
        ASSERT_NE(app.WaitForWindow(), nullptr);
    }
};

TEST_F(WindowTest, OpensWithTheLayoutOfTheTableAndTakesDigitsOnly) {
    RECT r;
    GetClientRect(app.window, &r);
    EXPECT_EQ(std::make_pair(r.right, r.bottom), std::make_pair(268L, 153L));
    const LONG_PTR style = GetWindowLongPtrW(app.window, GWL_STYLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), WS_MINIMIZEBOX);
    for (WPARAM command : {SC_MINIMIZE, SC_RESTORE}) app.Post(ControlId(0), WM_SYSCOMMAND, command);
    EXPECT_EQ(app.Focus(), app.Item(kTxtNumber)) << "restored, the number box has the focus";
    HWND tips = nullptr;  // the window's tooltip control
    do tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
    while (tips && GetWindow(tips, GW_OWNER) != app.window);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);  // the Auto options'

    // The number box takes digits only, and both boxes text of any length.
    for (ControlId box : {kTxtNumber, kTxtHost})
        EXPECT_EQ(Send(app.Item(box), EM_GETLIMITTEXT), 0x7FFFFFFE);           // any length
    for (char c : std::string("a-.\b\x16")) app.Post(kTxtNumber, WM_CHAR, c);  // \x16: Ctrl+V
    EXPECT_EQ(app.Text(kTxtNumber), "");
    app.Type("21");
    EXPECT_EQ(app.Text(kTxtNumber), "WRONG NUMBER");
    EXPECT_EQ(Send(app.Item(kTxtNumber), EM_GETSEL), MAKELRESULT(0, 12));
    // Alt+numpad codes: the character, then key releases with Alt held.
    app.Post(kTxtNumber, WM_CHAR, '0');
    app.Post(kTxtNumber, WM_SYSKEYUP, VK_NUMPAD8, 1 | (1u << 29) | (3u << 30));
    EXPECT_EQ(app.Text(kTxtNumber), "WRONG NUMBER");

    // Pasted full-width digits are not the user's digits: no number.
    sim->AppendLine("Bob: Get Ready to Play 21");
    SetWindowTextW(app.Item(kTxtNumber), L"\xFF11\xFF15");
    for (ControlId id : {kOptRandomOn, kOptRandomOff, kCmdRegister}) app.Click(id);  // no draw
    EXPECT_EQ(app.Text(kTxtNumber), "You have to enter a number here!!!!!");
    EXPECT_EQ(Send(app.Item(kTxtNumber), EM_GETSEL), MAKELRESULT(0, 36))
        << "the next digit replaces it";
}

// Started beside the client without activation, Tolvik stays behind it, and
// the number box has the focus once the user activates Tolvik. Ended while a
// tick's first call waits in a library's loop: closed (a loop that keeps any
// quit message), a quit message posted to its thread from outside, or a
// logoff. Closed, the window hides but stays until Tolvik has let go, and a
// logoff meanwhile, like one that ends it, is asked to wait. No call follows
// the waiting one but DapiStop.
TEST(WindowBesideTheClient, StartsBehindItAndEndsWithNoCallAfterTheWaitingOne) {
    HWND client = CreateWindowExW(0, L"STATIC", L"client", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                  nullptr, nullptr, nullptr, nullptr);
    enum How { kClose, kQuit, kLogoff };
    for (const How how : {kClose, kQuit, kLogoff}) {
        SCOPED_TRACE(how);
        const auto sim = vzsim::Channel::Create();
        sim->AppendLine("*** Welcome to the lounge ***");
        sim->AppendLine("Bob: Get Ready to Play 21");
        SetForegroundWindow(client);
        TolvikApp app(BinDir() + L"Tolvik.exe", nullptr, SW_SHOWNOACTIVATE);
        ASSERT_NE(app.WaitForWindow(), nullptr);
        EXPECT_EQ(std::pair(GetForegroundWindow(), app.Gui().hwndActive),
                  std::pair(client, HWND{}));
        SetForegroundWindow(app.window);
        app.Settle();
        EXPECT_EQ(app.Focus(), app.Item(kTxtNumber));
        app.Type("7");
        sim->SetCallDelay(800);
        sim->SetWaitTakesQuit(how == kClose);
        app.Click(kOptAutoOn);
        ASSERT_TRUE(WaitFor([&] { return sim->WaitingCalls() > 0; }));
        if (how == kClose) Send(app.window, WM_CLOSE);
        if (how == kQuit)
            PostThreadMessageW(GetWindowThreadProcessId(app.window, nullptr), WM_QUIT, 0, 0);
        for (int asked = 0; how != kQuit && asked < 2; ++asked) {  // again once cancelled
            EXPECT_EQ(Send(app.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
            Send(app.window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
        }
        EXPECT_TRUE(IsWindow(app.window) && IsWindowVisible(app.window) == (how != kClose));
        EXPECT_EQ(ExpectACleanEnd(app), "DapiGetText 5000\nDapiStop\n");
    }
    DestroyWindow(client);
}

TEST_F(WindowTest, ListsTabOrderAndScreenReaderNames) {
    app.Post(ControlId(0), WM_TIMER, 1, 0);  // the timer's id, from elsewhere, while Auto is off
    EXPECT_EQ(sim->FetchCount(), 0u);

    // A screen reader names a box after the window just before it in z-order.
    EXPECT_EQ(GetWindow(app.Item(kTxtNumber), GW_HWNDPREV), app.Item(kLblNumber));
    EXPECT_EQ(GetWindow(app.Item(kTxtHost), GW_HWNDPREV), app.Item(kLblHost));
    // Tab goes round, to the picked option of each pair; the arrows pick within
    // a pair. In the lists, Low picks 2, then High 1, and High gives way.
    const std::pair<UINT, ControlId> keys[] = {
        // clang-format off
        {VK_TAB, kCmdRegister}, {VK_TAB, kTxtHost}, {VK_TAB, kOptAutoOff}, {VK_RIGHT, kOptAutoOn},
        {VK_LEFT, kOptAutoOff}, {VK_RIGHT, kOptAutoOn}, {VK_TAB, kOptRandomOff}, {VK_LEFT, kOptRandomOn},
        {VK_TAB, kCmdGetHost}, {VK_TAB, kCmdQuit}, {VK_TAB, kCmbLow}, {VK_DOWN, kCmbLow},
        {VK_DOWN, kCmbLow}, {VK_TAB, kCmbHigh}, {VK_DOWN, kCmbHigh}, {VK_TAB, kTxtNumber},
        {VK_TAB, kCmdRegister}, {VK_TAB, kTxtHost}, {VK_TAB, kOptAutoOn}, {VK_TAB, kOptRandomOn},
        // clang-format on
    };
    for (const auto& [key, next] : keys) {
        app.Key(key, ControlId(0));
        EXPECT_EQ(app.Focus(), app.Item(next)) << ControlById(next).name;
    }
    // With Auto and Random on, a tick shows the one number Low and High leave.
    sim->AppendLine("Bob: Get Ready to Play 21");
    EXPECT_TRUE(WaitFor([&] { return app.Text(kTxtNumber) == "2"; })) << app.Text(kTxtNumber);
    // Low picked over High gives way.
    Send(app.Item(kCmbLow), CB_SETCURSEL, 18);
    app.Post(ControlId(0), WM_COMMAND, MAKEWPARAM(kCmbLow, CBN_SELCHANGE),
             reinterpret_cast<LPARAM>(app.Item(kCmbLow)));
    EXPECT_EQ(app.Text(kCmbLow), "2");
    // Logoff, agreed to: no tick starts until the session ends.
    EXPECT_TRUE(SendMessageW(app.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    const auto fetches = sim->FetchCount();
    app.Post(ControlId(0), WM_TIMER, 1, 0);
    EXPECT_EQ(sim->FetchCount(), fetches);
    SendMessageW(app.window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    ExpectACleanEnd(app);
}

TEST(WindowStart, NoClientOrAMissingOrUnfitLibraryIsReportedAndEnds) {
    const bool x64 = sizeof(void*) == 8;
    const std::wstring bin = BinDir(), other = bin + (x64 ? L"..\\..\\win32" : L"..\\..\\win64");
    // Tolvik.exe is copied to `folder` as "My Tolvik.v2.EXE", `library` as vzdapi.dll; the
    // name it starts the library with is the file's, without folder or extension.
    // clang-format off
    // A library found is named with its folder (`found` stands for both).
    const std::string found = "Tolvik: Tolvik found the VZones automation library vzdapi.dll in ",
                      notLoaded = ", but Windows could not load it, so Tolvik cannot call DapiStart.\n\nWindows says: ";
    const struct { const wchar_t* folder; std::wstring library; std::string says[3]; DWORD exitCode; } cases[] = {
        {L"tolvik.no-client", bin + L"vzdapi.dll", {"VZones is not there: Failed to find a VZones Client:", ""}, 1},
        {L"tolvik-alone", L"", {"Tolvik: Tolvik could not find", "vzdapi.dll, so it cannot call DapiStart.\n\nPut My Tolvik.v2.EXE in the folder of"}, 2},
        {L"tolvik-not-a-library", bin + L"..\\CMakeCache.txt", {found, notLoaded, "(error 193)"}, 2},
        {L"tolvik-needs-absent", bin + L"needs-absent\\vzdapi.dll", {found, notLoaded, "(error 126)"}, 2},
        {L"tolvik-lacking", bin + L"lacking\\vzdapi.dll", {found, ", but it has no operation DapiESP"}, 2},
        {L"tolvik-other-bits", other + L"\\bin\\vzdapi.dll", {found, x64
            ? "a 32-bit library and this Tolvik is the 64-bit one, so it cannot call DapiStart.\n\nUse Tolvik.exe, the 32-bit Tolvik,"
            : "a 64-bit library and this Tolvik is the 32-bit one, so it cannot call DapiStart.\n\nUse Tolvik-x64.exe, the 64-bit Tolvik,"}, 2},
    };
    // clang-format on
    for (const auto& c : cases) {
        const std::wstring dir = TempPath(c.folder), exe = dir + L"\\My Tolvik.v2.EXE",
                           dll = dir + L"\\vzdapi.dll";
        CreateDirectoryW(dir.c_str(), nullptr);
        DeleteFileW(dll.c_str());
        ASSERT_TRUE(c.library.empty() || CopyFileW(c.library.c_str(), dll.c_str(), FALSE))
            << "build both bitnesses";
        ASSERT_TRUE(CopyFileW((bin + L"Tolvik.exe").c_str(), exe.c_str(), FALSE));
        // Started in the test's folder, which holds a vzdapi.dll: never loaded from there.
        TolvikApp app(exe, bin.c_str());
        HWND box = nullptr;
        WaitFor([&] { return (box = app.FindWindowOfClass(L"#32770")) != nullptr; }, 10000);
        for (const auto& text : c.says) {
            const std::string said = text == found ? found + WideToAnsi(dir) + "\\" : text;
            EXPECT_NE(app.BoxText(box).find(said), std::string::npos) << app.BoxText(box);
        }
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "a taskbar button of its own";
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(app.WaitForExit(), c.exitCode);
        EXPECT_EQ(ReadFile(kCallLog),
                  c.exitCode == 1 ? "DapiStart My Tolvik.v2\nDapiIsVZThere 0\nDapiStop\n" : "");
    }

    // In-process, over a library that has a click on "Get Host" handled once
    // the window's loop runs (and, while its call waits, Quit clicked, or a
    // quit message posted and the session ended, which leaves two quit
    // messages waiting), with a user on another thread who reads the box and
    // its icon, closes Tolvik under it (or not), closes it, and then (or not)
    // posts the thread a quit message: how the run ends (-1: it threw), the
    // calls, and no quit message left behind for whatever runs next.
    // clang-format off
    enum { kStartThrows = 1, kEndInCall = 2, kGetTextThrows = 4, kClick = 8, kQuit = 16, kCloseInBox = 32, kQuitInCall = 64 };
    // clang-format on
    struct Library : testing::FakeLibrary {
        int how = 0;
        void DapiStart(const std::string& name) override {
            FakeLibrary::DapiStart(name);
            if (how & kClick)
                PostMessageW(FindWindowW(kFormClassName, nullptr), WM_COMMAND, kCmdGetHost, 0);
            if (how & kStartThrows) throw LibraryError(L"no vzdapi.dll");
        }
    };
    // says: the box's "icon title: prompt", after "owned " when the window, shown,
    // owns it (before, it has a taskbar button); a box ends with DapiStop, once, last.
    // clang-format off
    const std::string failed = "Stop Tolvik: Tolvik ran into an error it cannot go on from, and closes:\n\nplanted";
    const struct { int how; std::string says; int result; } runs[] = {
        {kClick | kQuit, "owned Warning No 21 Host found: No host found", 0},
        {kClick | kCloseInBox, "owned Warning No 21 Host found: No host found, shown under it", 0},
        {kClick | kGetTextThrows, "owned " + failed, kExitHandlerFailed},
        {kClick | kEndInCall | kGetTextThrows, failed, kExitHandlerFailed},  // the box stays
        {kClick | kQuitInCall | kGetTextThrows, failed, kExitHandlerFailed},  // then the window goes
        {kClick | kEndInCall, "", 0},  // both quit messages taken, and no box
        {kStartThrows, "", -1},        // no handler after the handlers' end
    };
    // clang-format on
    const DWORD thread = GetCurrentThreadId();
    const auto stop = reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_HAND));
    for (const auto& run : runs) {
        Library library;
        library.how = run.how;
        library.transcript = "Get Ready to Play 21\r\n";  // on the first line: no host
        library.onCall = [how = run.how] {
            if (how & kQuitInCall)
                SendMessageW(FindWindowW(kFormClassName, nullptr), WM_COMMAND, kCmdQuit, 0);
            if (how & kEndInCall) {
                PostThreadMessageW(GetCurrentThreadId(), WM_QUIT, 0, 0);
                SendMessageW(FindWindowW(kFormClassName, nullptr), WM_ENDSESSION, TRUE, 0);
            }
            if (how & kGetTextThrows) throw std::runtime_error("planted");
        };
        std::string told;
        std::thread user([&] {
            HWND box = nullptr;  // once its thread answers (it may seem hung at first)
            const auto shown = [&] {
                told = TolvikApp::BoxText(box = FindWindowW(L"#32770", nullptr));
                return told.size() > told.find(": ") + 2;
            };
            if (run.says.empty() || !WaitFor(shown)) return;
            for (HWND c = nullptr; (c = FindWindowExW(box, c, L"Static", nullptr)) != nullptr;)
                if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                    told = (Send(c, STM_GETICON) == stop ? "Stop " : "Warning ") + told;
            told = (GetWindow(box, GW_OWNER) ? "owned " : "") + told;
            if (run.how & kCloseInBox) {  // while the press that shows the box waits on it
                Send(GetWindow(box, GW_OWNER), WM_CLOSE);
                told += IsWindowVisible(GetWindow(box, GW_OWNER)) ? ", shown under it" : ", hidden";
            }
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            if (WaitFor([&] { return !IsWindow(box); }) && run.how & kQuit)
                PostThreadMessageW(thread, WM_QUIT, 0, 0);
        });
        testing::FakeRandom random;
        int result = -1;
        try {
            result = RunTolvik(GetModuleHandleW(nullptr), library, random, library.clock, "Tolvik",
                               SW_SHOWNOACTIVATE);
        } catch (const std::exception&) {
        }
        user.join();
        MSG left;
        EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a quit left";
        EXPECT_EQ(told + " " + std::to_string(result), run.says + " " + std::to_string(run.result));
        const std::vector<std::string> calls = {"DapiStart Tolvik", "DapiStop"};
        EXPECT_EQ(library.calls, std::vector(calls.begin(), calls.end() - (run.result < 0)))
            << run.says;
    }
}

// Every caption fits its control and the font every box and button, every
// control lies in the window, and no two overlap but a frame and its options;
// at `tableDpi`, each stands where the table puts it with its caption (a
// label may grow to fit its text).
void ExpectTheLayoutHoldsItsText(HWND window, const char* when, int tableDpi = 0) {
    HDC dc = GetDC(window);
    SelectObject(dc, reinterpret_cast<HFONT>(Send(GetDlgItem(window, kTxtNumber), WM_GETFONT)));
    TEXTMETRICW font{};
    GetTextMetricsW(dc, &font);
    std::vector<RECT> placed;
    RECT client, r, inside;
    GetClientRect(window, &client);
    for (const ControlEntry& e : kControls) {
        HWND control = GetDlgItem(window, e.id);
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        GetClientRect(control, &inside);
        const PixelRect want = ControlPixels(e, tableDpi);
        // A label may grow; a list's closed height follows borders that Wine
        // does not scale; an option's text follows its circle.
        const bool label = e.kind == ControlKind::Label, option = e.kind == ControlKind::Option;
        const bool tall = label || (e.kind == ControlKind::ComboList && tableDpi != 96);
        if (tableDpi) {
            EXPECT_EQ(
                std::tuple(r.left, r.top, label ? want.width : r.right - r.left,
                           tall ? want.height : r.bottom - r.top, WindowText(control)),
                std::tuple(want.left, want.top, want.width, want.height, std::string(e.caption)))
                << e.name << when;
        }
        SIZE text{};
        GetTextExtentPoint32A(dc, e.caption.data(), static_cast<int>(e.caption.size()), &text);
        const bool boxed =
            option || e.kind == ControlKind::TextBox || e.kind == ControlKind::Button;
        const int margins = option ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : label ? 0 : 8;
        EXPECT_LE(text.cx + margins, inside.right) << e.name << when;
        EXPECT_LE(boxed ? font.tmHeight : 0, inside.bottom) << e.name << when;
        EXPECT_TRUE(UnionRect(&inside, &client, &r) && EqualRect(&inside, &client))
            << e.name << when;
        for (std::size_t i = 0; i < placed.size(); ++i)
            EXPECT_TRUE(e.frame == kControls[i].id || !IntersectRect(&inside, &r, &placed[i]))
                << e.name << " on " << kControls[i].name << when;
        placed.push_back(r);
    }
    ReleaseDC(window, dc);
}

// In-process: moved to a monitor of 144 DPI, the window takes the place and
// size Windows suggests, from the size it asked, and lays its controls out
// for 144 DPI; a new Windows text size then brings a new font at that DPI.
// Old fonts are deleted.
TEST(WindowDpi, AMoveBetweenMonitorsAndANewTextSizeLayItOutAgain) {
    FrmTolvik form(GetModuleHandleW(nullptr));
    ASSERT_TRUE(form.Create());
    HWND window = form.hwnd();
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);  // dialog grey
    ExpectTheLayoutHoldsItsText(window, " at 96 DPI", 96);  // at the normal size, as the table
    SIZE size{};
    EXPECT_TRUE(SendMessageW(window, kWmGetDpiScaledSize, 144, reinterpret_cast<LPARAM>(&size)));
    // Per-monitor v1 suggests the old size scaled: only its place is taken.
    RECT suggested{100, 50, 100 + size.cx * 9 / 8, 50 + size.cy * 7 / 8}, r;
    const std::tuple<UINT, WPARAM, LPARAM> changes[] = {
        {kWmDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested)},
        {WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0}};
    for (const auto& [msg, wParam, lParam] : changes) {
        const auto old =
            reinterpret_cast<HGDIOBJ>(Send(GetDlgItem(window, kTxtNumber), WM_GETFONT));
        SendMessageW(window, msg, wParam, lParam);
        EXPECT_EQ(GetObjectType(old), 0u) << "the old font is deleted";
    }
    GetWindowRect(window, &r);
    EXPECT_EQ(std::tuple(r.left, r.top, r.right, r.bottom),
              std::tuple(100L, 50L, 100 + size.cx, 50 + size.cy));
    ICONINFO icon{};  // the big icon, in the size Windows shows at this DPI
    BITMAP image{};
    GetIconInfo(reinterpret_cast<HICON>(Send(window, WM_GETICON, ICON_BIG)), &icon);
    GetObjectW(icon.hbmColor, sizeof image, &image);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    EXPECT_EQ(image.bmWidth, GetSystemMetrics(SM_CXICON) * 3 / 2);
    ExpectTheLayoutHoldsItsText(window, " at 144 DPI", 144);

    // A text size 1.5 times larger (Windows' "Make text bigger"), in the test's
    // prefix until the end (no assertion stops short of it): the layout grows.
    NONCLIENTMETRICSW normal{}, larger{};
    normal.cbSize = sizeof normal;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof normal, &normal, 0);
    larger = normal;
    larger.lfMessageFont.lfHeight = normal.lfMessageFont.lfHeight * 3 / 2;
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof larger, &larger, 0);
    ShowWindow(window, SW_SHOWMINNOACTIVE);  // told while minimized, laid out for its restoring
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    ExpectTheLayoutHoldsItsText(window, ", larger text at 144 DPI");
    SendMessageW(window, kWmDpiChanged, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    ExpectTheLayoutHoldsItsText(window, ", larger text");
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof normal, &normal, 0);
}

using EndToEnd = WindowTest;

// Through the real library's interface: announcements with a NUL in them,
// and a chat past what a fetch returns, whose window cuts the line of an
// announcement so that its speaker is unknown. (What clicks made during a
// call do is the handlers' logic, checked natively; that a waiting library
// dispatches them at all, the window's suite checks with a close.)
TEST_F(EndToEnd, GamesThroughTheLibraryGetOneNumberEach) {
    app.Type("7");
    app.Click(kOptAutoOn);
    const std::string hosts[] = {"Bob", "Carol", "B\xF6rk"};
    for (std::size_t game = 0; game < 3; ++game) {
        sim->AppendRaw(hosts[game] + ": Get Ready\0 to Play 21\r\n"s);
        ASSERT_TRUE(WaitFor([&] { return sim->EspCount() > game; }, 3000)) << hosts[game];
        const auto esp = sim->Esps().back();
        EXPECT_EQ(esp.recipient + "|" + esp.message + "|" + std::to_string(esp.timeout),
                  hosts[game] + "|7|3000");
        if (game > 0) continue;
        const std::string filler(vzsim::kGetTextLimit - 27, '\n');  // leaves "m: Get Ready..."
        sim->AppendRaw("Jim: Get Ready to Play 21\r\n" + filler + "\r\n");
        const auto fetches = sim->FetchCount();  // two ticks read it, and sent nothing
        ASSERT_TRUE(WaitFor([&] { return sim->FetchCount() >= fetches + 4; }));
        ASSERT_EQ(sim->EspCount(), 1u) << "to a speaker cut off";
    }
    EXPECT_EQ(app.Text(kTxtHost), "B\xF6rk");
    app.Click(kCmdQuit);
    ExpectACleanEnd(app);
}

}  // namespace tolvik
