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

#include "channel/sim_channel.h"
#include "driver.h"
#include "fakes.h"
#include "win32/app.h"
#include "win32/frm_tolvik.h"
#include "win32/vzdapi_library.h"

namespace tolvik {
namespace {

using namespace wintest;
using namespace std::string_literals;

// Tolvik.exe beside the simulated client, hosted in this process
// (sim.reset() is a user closing the client).
struct TolvikExeTest : ::testing::Test {
    std::unique_ptr<vzsim::Channel> sim = vzsim::Channel::Create();
    TolvikApp app;
    void SetUp() override {
        ASSERT_NE(sim, nullptr);
        sim->AppendLine("*** Welcome to the lounge ***");
        ASSERT_NE(app.WaitForWindow(), nullptr);
    }
    // Ends Tolvik in one of the ways a user or Windows can: a clean exit, no
    // library call made inside another, and DapiStop the last call, made once.
    void End(const std::function<void()>& how) {
        how();
        EXPECT_EQ(app.WaitForExit(), 0u);
        const std::string calls = ReadFile(kCallLog);
        EXPECT_EQ(calls.find("nested"), std::string::npos) << calls;
        EXPECT_EQ(calls.find("DapiStop"), calls.size() - 9) << calls;
    }
};

using WindowTest = TolvikExeTest;

TEST_F(WindowTest, OpensWithTheLayoutOfTheTableAndTakesDigitsOnly) {
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
        const std::wstring caption = AnsiToWide(std::string(entry.caption));
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
    for (WPARAM command : {SC_MINIMIZE, SC_RESTORE}) app.Post(ControlId(0), WM_SYSCOMMAND, command);
    EXPECT_EQ(app.Focus(), app.Item(kTxtNumber)) << "restored, the number box has the focus";
    HWND tips = nullptr;  // the window's tooltip control
    do tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
    while (tips && GetWindow(tips, GW_OWNER) != app.window);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);  // the Auto options'

    // The number box takes digits only.
    for (char c : std::string("a-.\b\x16")) app.Post(kTxtNumber, WM_CHAR, c);  // \x16: Ctrl+V
    EXPECT_EQ(app.Text(kTxtNumber), "");
    app.Type("21");
    EXPECT_EQ(app.Text(kTxtNumber), "WRONG NUMBER");
    EXPECT_EQ(app.Ask(kTxtNumber, EM_GETSEL), MAKELRESULT(0, 12));
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
    // Closed while a tick's call waits in a loop that keeps the quit message.
    End([&] {
        sim->SetCallDelay(800);
        sim->SetWaitTakesQuit(true);
        app.Click(kOptAutoOn);
        ASSERT_TRUE(WaitFor([&] { return sim->WaitingCalls() > 0; }));
        app.Post(ControlId(0), WM_CLOSE, 0, 0);
    });
}

TEST_F(WindowTest, ListsTabOrderAndScreenReaderNames) {
    app.Pick(kCmbLow, 8);   // 9
    app.Pick(kCmbHigh, 4);  // 5 under Low 9: a pick reaches the rule, and High gives way
    app.Pick(kCmbLow, 18);  // 19 over High 9: Low gives way
    EXPECT_EQ(app.Text(kCmbLow) + " " + app.Text(kCmbHigh), "9 9");
    app.Post(ControlId(0), WM_TIMER, 1, 0);  // the timer's id, from elsewhere, while Auto is off
    EXPECT_EQ(sim->FetchCount(), 0u);

    // A screen reader names a box after the window just before it in z-order.
    EXPECT_EQ(GetWindow(app.Item(kTxtNumber), GW_HWNDPREV), app.Item(kLblNumber));
    EXPECT_EQ(GetWindow(app.Item(kTxtHost), GW_HWNDPREV), app.Item(kLblHost));
    for (ControlId next :
         {kCmdRegister, kTxtHost, kOptAutoOff, kOptRandomOff, kCmdGetHost, kCmdQuit, kCmbLow,
          kCmbHigh, kTxtNumber, kCmdRegister, kTxtHost, kOptAutoOff}) {
        app.Key(VK_TAB, ControlId(0));
        EXPECT_EQ(app.Focus(), app.Item(next)) << ControlById(next).name;
    }
    // The arrows stay within each pair, and pick as they go.
    for (const auto& [on, off] :
         {std::pair{kOptAutoOn, kOptAutoOff}, {kOptRandomOn, kOptRandomOff}}) {
        for (UINT key : {VK_LEFT, VK_RIGHT, VK_LEFT}) {
            app.Key(key, ControlId(0));
            EXPECT_TRUE(app.Focus() == app.Item(on) || app.Focus() == app.Item(off));
        }
        EXPECT_TRUE(app.Ask(on, BM_GETCHECK) && !app.Ask(off, BM_GETCHECK));
        app.Key(VK_TAB, ControlId(0));
    }
    End([&] {
        EXPECT_TRUE(SendMessageW(app.window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
        SendMessageW(app.window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    });
}

TEST(WindowStart, NoClientOrAMissingOrUnfitLibraryIsReportedAndEnds) {
    const bool x64 = sizeof(void*) == 8;
    const std::wstring other = BinDir() + (x64 ? L"..\\..\\win32" : L"..\\..\\win64");
    const struct {
        const wchar_t*
            folder;  // Tolvik.exe is copied there as "My Tolvik.exe", with `library` as vzdapi.dll
        std::wstring library;
        std::string says[2];
        DWORD exitCode;
    } cases[] = {
        // clang-format off
        {nullptr, L"", {"VZones is not there: Failed to find a VZones Client:", ""}, 1},
        {L"tolvik-alone", L"", {"Tolvik: Tolvik could not load", "vzdapi.dll, so it cannot call DapiStart.\n\nPut My Tolvik.exe in the folder of"}, 2},
        {L"tolvik-not-a-library", BinDir() + L"..\\CMakeCache.txt", {"Tolvik: Tolvik could not load", "vzdapi.dll, so it cannot call DapiStart.\n\nPut My Tolvik.exe in the folder of"}, 2},
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
            DeleteFileW(dll.c_str());
            ASSERT_TRUE(c.library.empty() || CopyFileW(c.library.c_str(), dll.c_str(), FALSE))
                << "build both bitnesses";
            ASSERT_TRUE(CopyFileW(exe.c_str(), (dir + L"\\My Tolvik.exe").c_str(), FALSE));
            exe = dir + L"\\My Tolvik.exe";
        }
        // Started in the test's folder, which holds a vzdapi.dll: never loaded from there.
        TolvikApp app(exe, c.folder ? BinDir().c_str() : nullptr);
        const auto box = app.WaitForMessageBox();
        for (const auto& text : c.says)
            EXPECT_NE(app.BoxText(box).find(text), std::string::npos) << app.BoxText(box);
        EXPECT_EQ(app.WaitForWindow(0), nullptr);
        app.CloseMessageBox(box);
        EXPECT_EQ(app.WaitForExit(), c.exitCode);
        EXPECT_EQ(ReadFile(kCallLog),
                  c.folder ? "" : "DapiStart Tolvik\nDapiIsVZThere 0\nDapiStop\n");
    }

    // In-process, with a user on another thread who clicks "Get Host" (or
    // not), reads the box and its icon, closes it, and then (or not) posts the
    // thread a quit message: how the run ends (-1: it threw) and the calls.
    // clang-format off
    enum { kNoClient = 1, kStartThrows = 2, kClickInStart = 4, kGetTextThrows = 8, kClick = 16, kQuit = 32 };
    // clang-format on
    struct Library : testing::FakeLibrary {  // one that may dispatch a click while it starts
        int how = 0;
        void DapiStart(const std::string& name) override {
            FakeLibrary::DapiStart(name);
            if (how & kClickInStart)
                SendMessageW(FindWindowW(kFormClassName, nullptr), WM_COMMAND, kCmdGetHost, 0);
            if (how & kStartThrows) throw LibraryError("no vzdapi.dll");
        }
    };
    const struct {  // says: the box's "title: prompt"; a box ends with DapiStop, once, last
        int how;
        std::string says;
        LPCWSTR icon;
        int result;
    } runs[] = {
        // clang-format off
        {kNoClient, "VZones is not there: Failed to find a VZones Client:", IDI_HAND, kExitNoClient},
        {kClick | kQuit, "No 21 Host found: No host found", IDI_EXCLAMATION, 0},
        {kClick | kGetTextThrows, "Tolvik: Tolvik ran into an error it cannot go on from, and closes:\n\nplanted", IDI_HAND, kExitHandlerFailed},
        // a handler fails in a call that dispatches, and the call then throws
        {kClickInStart | kGetTextThrows | kStartThrows, "Tolvik: Tolvik ran into an error it cannot go on from, and closes:\n\nplanted", IDI_HAND, -1},
        {kStartThrows, "", nullptr, -1},  // no handler after the handlers' end
        // clang-format on
    };
    const DWORD thread = GetCurrentThreadId();
    for (const auto& run : runs) {
        Library library;
        library.how = run.how;
        library.clientThere = !(run.how & kNoClient);
        library.transcript = "Get Ready to Play 21\r\n";  // on the first line: no host
        if (run.how & kGetTextThrows) library.onCall = [] { throw std::runtime_error("planted"); };
        std::string told;
        HICON icon = nullptr;
        std::thread user([&] {
            HWND window = nullptr, box = nullptr;
            WaitFor([&] { return (window = FindWindowW(kFormClassName, nullptr)) != nullptr; });
            if (run.how & kClick) PostMessageW(window, WM_COMMAND, kCmdGetHost, 0);
            // The box shown, once its thread answers (it may seem hung at first).
            if (run.says.empty() || !WaitFor([&] {
                    told = IsWindowVisible(box = FindWindowW(L"#32770", nullptr))
                               ? TolvikApp::BoxText(box)
                               : "";
                    return told.size() > told.find(": ") + 2;
                }))
                return;
            for (HWND c = nullptr; (c = FindWindowExW(box, c, L"Static", nullptr)) != nullptr;)
                if ((GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                    icon = reinterpret_cast<HICON>(Send(c, STM_GETICON));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            if (WaitFor([&] { return !IsWindow(box); }) && run.how & kQuit)
                PostThreadMessageW(thread, WM_QUIT, 0, 0);
        });
        testing::FakeRandom random;
        int result = -1;
        try {
            result = RunTolvik(GetModuleHandleW(nullptr), library, random, library.clock, "Tolvik",
                               SW_HIDE);
        } catch (const std::exception&) {
        }
        user.join();
        EXPECT_EQ(told + " " + std::to_string(result), run.says + " " + std::to_string(run.result));
        EXPECT_EQ(icon, run.icon ? LoadIconW(nullptr, run.icon) : nullptr) << run.says;
        const std::vector<std::string> calls = {"DapiStart Tolvik", "DapiStop"};
        EXPECT_EQ(library.calls, std::vector(calls.begin(), calls.end() - run.says.empty()))
            << run.says;
    }
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
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);  // dialog grey
    RECT suggested{100, 50, 600, 350}, r;
    SendMessageW(window, kWmDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ICONINFO icon{};  // the big icon, in the size Windows shows at this DPI
    BITMAP image{};
    GetIconInfo(reinterpret_cast<HICON>(Send(window, WM_GETICON, ICON_BIG)), &icon);
    GetObjectW(icon.hbmColor, sizeof image, &image);
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    EXPECT_EQ(image.bmWidth, GetSystemMetrics(SM_CXICON) * 3 / 2);
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
    EXPECT_TRUE(SendMessageW(window, kWmGetDpiScaledSize, 144, reinterpret_cast<LPARAM>(&size)));
    EXPECT_GT(size.cx, TwipsToPixels(kClientWidthTwips, 144));  // the frame around the layout
    for (int step = 0; step < 2; ++step) {
        EXPECT_EQ(GetObjectType(old), 0u) << "the old font is deleted";
        old = font();
        SendMessageW(window, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    }
}

using EndToEnd = TolvikExeTest;

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

    End([&] { app.Click(kCmdQuit); });
}

}  // namespace
}  // namespace tolvik
