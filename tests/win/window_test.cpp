// The real Tolvik.exe with the stand-in library and the simulated client,
// driven from outside by messages and keys.
#include <gtest/gtest.h>

#include <vector>

#include "client/vzdapi_library.h"
#include "fakes.h"
#include "tolvik_driver.h"
#include "window/app_win32.h"

#include <commctrl.h>

namespace tolvik {
namespace {

using wintest::BinDir;
using wintest::FreshTempPath;
using wintest::ReadFile;
using wintest::SimClient;
using wintest::TolvikApp;

// The 32 by 32 pixels at the top left of `hwnd` on screen, or, with `icon`,
// those of that icon drawn on the same background.
std::vector<COLORREF> Pixels(HWND hwnd, HICON icon = nullptr) {
    RECT r;
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 32, 32, screen, r.left, r.top, SRCCOPY);
    if (icon) {
        HBRUSH background = CreateSolidBrush(GetPixel(memory, 0, 0));
        RECT all{0, 0, 32, 32};
        FillRect(memory, &all, background);
        DeleteObject(background);
        DrawIconEx(memory, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
    }
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The box shows the system's icon of that kind.
::testing::AssertionResult ShowsIcon(HWND box, LPCWSTR kind) {
    HWND iconControl = GetDlgItem(box, 0x0440);
    if (!iconControl) return ::testing::AssertionFailure() << "no icon";
    // The box may not be painted yet when it is first found.
    if (wintest::WaitFor(
            [&] { return Pixels(iconControl) == Pixels(iconControl, LoadIconW(nullptr, kind)); },
            1500))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "another icon";
}

RECT RectInParent(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct WindowTest : ::testing::Test {
    SimClient sim;
    TolvikApp app;
    void SetUp() override {
        ASSERT_TRUE(sim.running());
        ASSERT_NE(app.WaitForWindow(), nullptr);
    }
};

TEST_F(WindowTest, OpensWithTheLayoutAndStateOfTheTable) {
    HWND w = app.window();
    wchar_t caption[64];
    GetWindowTextW(w, caption, 64);
    EXPECT_STREQ(caption, L"Zarvin's Tolvik");
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 268);
    EXPECT_EQ(client.bottom, 153);
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    for (const ControlEntry& entry : kControls) {
        const PixelRect want = ControlPixels(entry, 96);
        const RECT got = RectInParent(app.Item(entry.id));
        EXPECT_EQ(got.left, want.left) << entry.name;
        EXPECT_EQ(got.top, want.top) << entry.name;
        if (entry.kind == ControlKind::Label) {  // labels grow to fit their text
            EXPECT_GE(got.right - got.left, want.width) << entry.name;
            EXPECT_LT(got.right, ControlPixels(ControlById(kTxtNumber), 96).left) << entry.name;
        } else if (entry.kind == ControlKind::ComboList) {
            EXPECT_EQ(got.right - got.left, want.width) << entry.name;
            EXPECT_NEAR(got.bottom - got.top, want.height, 2) << entry.name;
        } else {
            EXPECT_EQ(got.right - got.left, want.width) << entry.name;
            EXPECT_EQ(got.bottom - got.top, want.height) << entry.name;
        }
        if (entry.kind != ControlKind::ComboList) {
            EXPECT_EQ(app.Text(entry.id), std::string(entry.caption)) << entry.name;
        }
    }

    for (ControlId list : {kCmbLow, kCmbHigh}) {
        EXPECT_EQ(SendMessageW(app.Item(list), CB_GETCOUNT, 0, 0), 20);
        EXPECT_EQ(SendMessageW(app.Item(list), CB_GETCURSEL, 0, 0), CB_ERR);
        const LONG_PTR listStyle = GetWindowLongPtrW(app.Item(list), GWL_STYLE);
        EXPECT_EQ(listStyle & CBS_DROPDOWNLIST, CBS_DROPDOWNLIST);
        EXPECT_FALSE(listStyle & CBS_SORT);
    }
    EXPECT_TRUE(app.Checked(kOptAutoOff));
    EXPECT_TRUE(app.Checked(kOptRandomOff));
    EXPECT_EQ(app.Focus(), app.Item(kTxtNumber));
    // The two Auto options carry tooltips.
    HWND tips = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    while (tips && GetWindow(tips, GW_OWNER) != w)
        tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 2);
}

TEST_F(WindowTest, NumberBoxTakesDigitsOnly) {
    HWND box = app.Item(kTxtNumber);
    app.Type("a-.\b");
    EXPECT_EQ(app.Text(kTxtNumber), "");

    app.Type("2");
    app.Type("1");
    EXPECT_EQ(app.Text(kTxtNumber), "WRONG NUMBER");
    EXPECT_EQ(app.Selection(kTxtNumber), std::make_pair(0, 12));
    app.Type("5");
    EXPECT_EQ(app.Text(kTxtNumber), "5");

    // Backspace erases nothing, Delete does.
    app.Type("\b");
    EXPECT_EQ(app.Text(kTxtNumber), "5");
    app.Key(box, VK_HOME);
    app.Key(box, VK_DELETE);
    EXPECT_EQ(app.Text(kTxtNumber), "");

    // An arrow key selects a text that is no number again.
    app.Type("0");
    EXPECT_EQ(app.Text(kTxtNumber), "WRONG NUMBER");
    SendMessageW(box, EM_SETSEL, 12, 12);
    app.Key(box, VK_RIGHT);
    EXPECT_EQ(app.Selection(kTxtNumber), std::make_pair(0, 12));

    // Ctrl+V arrives as a control character and pastes nothing.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 3);
        memcpy(GlobalLock(mem), "99", 3);
        GlobalUnlock(mem);
        SetClipboardData(CF_TEXT, mem);
        CloseClipboard();
    }
    app.Type("7");
    PostMessageW(box, WM_CHAR, 0x16, 1);
    app.Settle();
    EXPECT_EQ(app.Text(kTxtNumber), "7");

    // Alt+numpad codes: the character, then key releases with Alt held.
    SetWindowTextW(box, L"");
    PostMessageW(box, WM_CHAR, '0', 1);
    PostMessageW(box, WM_SYSKEYUP, VK_NUMPAD8, 1 | (1u << 29) | (1u << 30) | (1u << 31));
    app.Settle();
    EXPECT_EQ(app.Text(kTxtNumber), "WRONG NUMBER");
}

TEST_F(WindowTest, ForeignDigitsAreNoNumber) {
    // Pasted full-width digits are not the user's digits: no number, so the
    // box is selected and "Register" asks for one.
    sim.channel().AppendLine("Bob: Get Ready to Play 21");
    HWND box = app.Item(kTxtNumber);
    SetWindowTextW(box, L"\xFF11\xFF15");
    app.Key(box, VK_RIGHT);
    EXPECT_EQ(app.Selection(kTxtNumber), std::make_pair(0, 2));
    app.Click(kCmdRegister);
    EXPECT_EQ(app.Text(kTxtNumber), "You have to enter a number here!!!!!");
    EXPECT_EQ(sim.channel().EspCount(), 0u);
}

TEST_F(WindowTest, RangeListsNeverCross) {
    app.Pick(kCmbLow, 8);  // 9, High unpicked: nothing changes
    EXPECT_EQ(app.Text(kCmbLow), "9");
    EXPECT_EQ(app.Text(kCmbHigh), "");
    app.Pick(kCmbHigh, 4);  // 5 under Low 9: High gives way
    EXPECT_EQ(app.Text(kCmbHigh), "9");
    app.Pick(kCmbHigh, 9);  // 10
    app.Pick(kCmbLow, 8);   // 9 < 10 as numbers
    EXPECT_EQ(app.Text(kCmbLow), "9");
    EXPECT_EQ(app.Text(kCmbHigh), "10");
    app.Pick(kCmbLow, 19);  // 20 over High 10: Low gives way
    EXPECT_EQ(app.Text(kCmbLow), "10");
}

TEST_F(WindowTest, TabFollowsTheTableAndArrowsMoveBetweenOptions) {
    // A screen reader names a box after the window just before it in z-order.
    EXPECT_EQ(GetWindow(app.Item(kTxtNumber), GW_HWNDPREV), app.Item(kLblNumber));
    EXPECT_EQ(GetWindow(app.Item(kTxtHost), GW_HWNDPREV), app.Item(kLblHost));

    const ControlId order[] = {kCmdRegister, kTxtHost, kOptAutoOff, kOptRandomOff, kCmdGetHost,
                               kCmdQuit,     kCmbLow,  kCmbHigh,    kTxtNumber};
    for (ControlId next : order) {
        app.Key(app.Focus(), VK_TAB);
        EXPECT_EQ(app.Focus(), app.Item(next)) << ControlById(next).name;
    }
    // Into the Auto pair, then Left picks "On".
    for (int i = 0; i < 3; ++i) app.Key(app.Focus(), VK_TAB);
    ASSERT_EQ(app.Focus(), app.Item(kOptAutoOff));
    app.Key(app.Focus(), VK_LEFT);
    EXPECT_EQ(app.Focus(), app.Item(kOptAutoOn));
    EXPECT_TRUE(app.Checked(kOptAutoOn));
    EXPECT_FALSE(app.Checked(kOptAutoOff));
}

TEST_F(WindowTest, GetHostNamesTheHostOrWarns) {
    sim.channel().Clear();
    sim.channel().AppendLine("Bob: Get Ready to Play 21");
    PostMessageW(app.Item(kCmdGetHost), BM_CLICK, 0, 0);
    const auto box = app.WaitForMessageBox();
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.title, L"No 21 Host found");
    EXPECT_EQ(box.prompt, L"No host found");
    EXPECT_TRUE(ShowsIcon(box.hwnd, IDI_EXCLAMATION));
    EXPECT_FALSE(ShowsIcon(box.hwnd, IDI_HAND));
    app.CloseMessageBox(box);
    app.Settle();
    EXPECT_EQ(app.Text(kTxtHost), "Host...");

    sim.channel().AppendLine("Carol: ok Get Ready to Play 21 now");
    app.Click(kCmdGetHost);
    EXPECT_EQ(app.Text(kTxtHost), "Carol");
}

TEST(WindowStart, VersionRecordIconAndManifest) {
    const std::wstring exe = BinDir() + L"Tolvik.exe";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, data.data()));
    const std::pair<const wchar_t*, const wchar_t*> fields[] = {
        {L"FileVersion", L"1.00.1000"}, {L"ProductVersion", L"1.00.1000"},
        {L"ProductName", L"Tolvik"},    {L"FileDescription", L"Tolvik for easy regging"},
        {L"InternalName", L"Tolvik"},   {L"OriginalFilename", L"Tolvik.exe"}};
    for (const auto& [name, value] : fields) {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(
            VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
            << std::string(key.begin(), key.end());
        EXPECT_STREQ(text, value);
    }

    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(manifest, nullptr);
    const std::string xml(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                          SizeofResource(module, manifest));
    EXPECT_NE(xml.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    FreeLibrary(module);
}

TEST(WindowStart, WithoutAClientOnlyTheErrorBoxShows) {
    ASSERT_FALSE(vzsim::Channel::ClientRunning());
    const std::wstring log = FreshTempPath(L"tolvik-noclient.log");
    TolvikApp app(BinDir() + L"Tolvik.exe", L"VZSIM_CALL_LOG=" + log);
    const auto box = app.WaitForMessageBox(10000);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.title, L"VZones is not there");
    EXPECT_EQ(box.prompt, L"Failed to find a VZones Client:");
    EXPECT_TRUE(ShowsIcon(box.hwnd, IDI_HAND));
    EXPECT_FALSE(ShowsIcon(box.hwnd, IDI_EXCLAMATION));
    HWND main = app.FindMainWindow();
    EXPECT_TRUE(main == nullptr || !IsWindowVisible(main));
    app.CloseMessageBox(box);
    EXPECT_EQ(app.WaitForExit(), 1u);
    EXPECT_EQ(ReadFile(log), "DapiStart Tolvik\nDapiIsVZThere 0\nDapiStop\n");
}

TEST(WindowStart, QuitCloseAndLogoffDetachOnce) {
    SimClient sim;
    const std::function<void(TolvikApp&)> endings[] = {
        [](TolvikApp& app) { app.Click(kCmdQuit); },
        [](TolvikApp& app) { PostMessageW(app.window(), WM_CLOSE, 0, 0); },
        [](TolvikApp& app) {
            EXPECT_TRUE(SendMessageW(app.window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
            SendMessageW(app.window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        },
    };
    for (const auto& end : endings) {
        const std::wstring log = FreshTempPath(L"tolvik-quit.log");
        TolvikApp app(BinDir() + L"Tolvik.exe", L"VZSIM_CALL_LOG=" + log);
        ASSERT_NE(app.WaitForWindow(), nullptr);
        app.Click(kOptAutoOn);
        app.Click(kOptAutoOff);
        end(app);
        EXPECT_EQ(app.WaitForExit(), 0u);
        EXPECT_EQ(ReadFile(log), "DapiStart Tolvik\nDapiIsVZThere 1\nDapiStop\n");
    }
}

TEST(WindowStart, ALibraryErrorAtStartUpCallsNoHandlerAfterward) {
    struct Missing : testing::FakeLibrary {
        void DapiStart(const std::string&) override { throw LibraryError("no vzdapi.dll"); }
    } library;
    testing::FakeRandom random;
    EXPECT_THROW(RunTolvik(GetModuleHandleW(nullptr), library, random, "Tolvik", SW_HIDE),
                 LibraryError);
    // Form_Unload run by the window on the handlers after their end would stop.
    EXPECT_TRUE(library.calls.empty());
}

TEST(WindowStart, AMissingOrUnfitLibraryIsReportedAndEnds) {
    const bool x64 = sizeof(void*) == 8;
    const std::wstring otherBuild = BinDir() + (x64 ? L"..\\..\\win32" : L"..\\..\\win64");
    const struct {
        const wchar_t* folder;
        std::wstring library;  // put beside Tolvik.exe as vzdapi.dll
        std::wstring says[2];
    } cases[] = {
        {L"tolvik-alone", L"", {L"vzdapi.dll", L"DapiStart"}},
        {L"tolvik-lacking", BinDir() + L"lacking\\vzdapi.dll", {L"vzdapi.dll", L"DapiESP"}},
        {L"tolvik-other-bits",
         otherBuild + L"\\bin\\vzdapi.dll",
         {x64 ? L"a 32-bit library" : L"a 64-bit library",
          x64 ? L"Use Tolvik.exe" : L"Use Tolvik-x64.exe"}},
    };
    for (const auto& c : cases) {
        const std::wstring dir = FreshTempPath(c.folder);
        CreateDirectoryW(dir.c_str(), nullptr);
        const std::wstring exe = dir + L"\\Tolvik.exe", dll = dir + L"\\vzdapi.dll";
        ASSERT_TRUE(CopyFileW((BinDir() + L"Tolvik.exe").c_str(), exe.c_str(), FALSE));
        DeleteFileW(dll.c_str());
        if (!c.library.empty()) {
            ASSERT_TRUE(CopyFileW(c.library.c_str(), dll.c_str(), FALSE)) << "build both bitnesses";
        }
        TolvikApp app(exe);
        const auto box = app.WaitForMessageBox(10000);
        ASSERT_NE(box.hwnd, nullptr);
        EXPECT_EQ(box.title, L"Tolvik");
        for (const auto& text : c.says)
            EXPECT_NE(box.prompt.find(text), std::wstring::npos)
                << std::string(text.begin(), text.end());
        app.CloseMessageBox(box);
        EXPECT_EQ(app.WaitForExit(), 2u);
        DeleteFileW(exe.c_str());
        DeleteFileW(dll.c_str());
    }
}

}  // namespace
}  // namespace tolvik
