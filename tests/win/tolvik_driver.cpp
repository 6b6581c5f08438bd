#include "tolvik_driver.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace tolvik::wintest {
namespace {

struct Search {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid) return TRUE;
    wchar_t text[256] = {};
    if (search->className) {
        GetClassNameW(hwnd, text, 256);
        if (wcscmp(text, search->className) != 0) return TRUE;
    }
    if (search->title) {
        GetWindowTextW(hwnd, text, 256);
        if (wcscmp(text, search->title) != 0) return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &copied);
    return std::wstring(text, copied);
}

}  // namespace

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::wstring FreshTempPath(const std::wstring& name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + name;
    DeleteFileW(path.c_str());
    return path;
}

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        Sleep(5);
    }
    return true;
}

TolvikApp::TolvikApp(const std::wstring& exe, const std::wstring& extraEnv)
    : process_(exe, extraEnv) {}

TolvikApp::~TolvikApp() {
    // Quit the way a user does, so the library is detached.
    if (window_ && IsWindow(window_)) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        process_.Wait(5000);
    }
}

HWND TolvikApp::FindMainWindow() const {
    Search search{process_.Id(), L"frmTolvik", nullptr, nullptr};
    EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TolvikApp::WaitForWindow(DWORD ms) {
    WaitFor(
        [&] {
            HWND w = FindMainWindow();
            if (w && IsWindowVisible(w)) window_ = w;
            return window_ != nullptr;
        },
        ms);
    if (window_) Settle();
    return window_;
}

std::string TolvikApp::Text(ControlId id) const {
    const std::wstring w = WindowText(Item(id));
    std::string text;
    for (wchar_t c : w) text += static_cast<char>(c);
    return text;
}

std::pair<int, int> TolvikApp::Selection(ControlId id) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(Item(id), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    return {LOWORD(result), HIWORD(result)};
}

bool TolvikApp::Checked(ControlId id) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(Item(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    return result == BST_CHECKED;
}

HWND TolvikApp::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info);
    return info.hwndFocus;
}

void TolvikApp::Settle() const {
    // A sent message is handled each time the window's thread comes back to
    // its message loop, before the next posted message. Three round trips
    // cover a posted key, the WM_CHAR it is translated into, and one more.
    for (int i = 0; i < 3; ++i) {
        Sleep(5);
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }
}

void TolvikApp::Click(ControlId id) {
    PostMessageW(Item(id), BM_CLICK, 0, 0);
    Settle();
}

void TolvikApp::Key(HWND target, UINT vk) {
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    Settle();
    PostMessageW(target, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
    Settle();
}

void TolvikApp::Type(const std::string& keys) {
    for (char c : keys) {
        UINT vk = static_cast<UINT>(std::toupper(static_cast<unsigned char>(c)));
        if (c == '-') vk = VK_OEM_MINUS;
        if (c == '.') vk = VK_OEM_PERIOD;
        if (c == '\b') vk = VK_BACK;
        Key(Item(kTxtNumber), vk);
    }
}

void TolvikApp::Pick(ControlId list, int index) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(Item(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                        2000, &ignored);
    // Setting the pick does not notify; the user's pick does.
    PostMessageW(window_, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(list)));
    Settle();
}

MessageBoxInfo TolvikApp::WaitForMessageBox(DWORD ms) const {
    MessageBoxInfo box;
    WaitFor(
        [&] {
            Search search{process_.Id(), L"#32770", nullptr, nullptr};
            EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&search));
            box.hwnd = search.found && IsWindowVisible(search.found) ? search.found : nullptr;
            return box.hwnd != nullptr;
        },
        ms);
    if (!box.hwnd) return box;
    box.title = WindowText(box.hwnd);
    box.prompt = WindowText(GetDlgItem(box.hwnd, 0xFFFF));
    return box;
}

void TolvikApp::CloseMessageBox(const MessageBoxInfo& box) const {
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.hwnd, IDOK)));
    WaitFor([&] { return !IsWindow(box.hwnd); }, 5000);
}

}  // namespace tolvik::wintest
