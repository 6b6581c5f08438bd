#include "driver.h"

#include <fstream>
#include <sstream>

#include "win32/ansi_text.h"

namespace tolvik::wintest {

std::wstring BinDir() {
    wchar_t path[MAX_PATH];
    std::wstring dir(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

std::wstring FreshTempPath(const std::wstring& name) {
    wchar_t dir[MAX_PATH];
    const std::wstring path = std::wstring(dir, GetTempPathW(MAX_PATH, dir)) + name;
    DeleteFileW(path.c_str());
    return path;
}

std::string ReadFile(const std::wstring& path) {
    std::stringstream s;
    s << std::ifstream(Narrow(path), std::ios::binary).rdbuf();
    return s.str();
}

bool WaitFor(const std::function<bool()>& done, DWORD ms) {
    for (const ULONGLONG end = GetTickCount64() + ms; !done(); Sleep(5))
        if (GetTickCount64() > end) return false;
    return true;
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

std::string WindowText(HWND hwnd) {
    wchar_t text[1024] = {};
    const auto n = Send(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Narrow(std::wstring(text, static_cast<std::size_t>(n)));
}

Process::Process(const std::wstring& exe, const std::wstring& env, const std::wstring& args) {
    // The child inherits the variable, which is taken back at once.
    const std::wstring name = env.substr(0, env.find(L'='));
    if (!env.empty()) SetEnvironmentVariableW(name.c_str(), env.substr(name.size() + 1).c_str());
    std::wstring command = L"\"" + exe + L"\"" + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info_))
        info_ = {};
    if (!env.empty()) SetEnvironmentVariableW(name.c_str(), nullptr);
}

Process::~Process() {
    if (!info_.hProcess) return;
    if (Wait(0) == STILL_ACTIVE) TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

DWORD Process::Wait(DWORD ms) {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess && WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0)
        GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

HWND Process::FindWindowOfClass(const wchar_t* className) const {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr)) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == info_.dwProcessId && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

void SimClient::Stop() {
    if (channel_) channel_->RequestQuit();
    process.Wait(5000);
    channel_.reset();
}

TolvikApp::~TolvikApp() {
    if (window && IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
    process_.Wait(5000);
}

HWND TolvikApp::WaitForWindow(DWORD ms) {
    WaitFor([&] { return (window = process_.FindWindowOfClass(L"frmTolvik")) != nullptr; }, ms);
    if (window) Settle();
    return window;
}

HWND TolvikApp::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void TolvikApp::Settle() const {
    // A sent message is handled before the next posted one: three round trips
    // cover a posted key, the WM_CHAR it is translated into, and one more.
    for (int i = 0; i < 3; ++i, Sleep(5)) Send(window, WM_NULL);
}

void TolvikApp::Post(ControlId id, UINT msg, WPARAM wParam, LPARAM lParam) {
    PostMessageW(id == 0 ? window : Item(id), msg, wParam, lParam);
    Settle();
}

void TolvikApp::Key(UINT vk, ControlId id) {
    HWND target = id == 0 ? Focus() : Item(id);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, vk, 1 | scan);
    Settle();
    PostMessageW(target, WM_KEYUP, vk, 1 | scan | (3u << 30));
    Settle();
}

void TolvikApp::Pick(ControlId list, int index) {
    Send(Item(list), CB_SETCURSEL, static_cast<WPARAM>(index));
    // Setting the pick does not notify; the user's pick does.
    Post(ControlId(0), WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(Item(list)));
}

MessageBoxInfo TolvikApp::WaitForMessageBox(DWORD ms) const {
    MessageBoxInfo box;
    if (WaitFor([&] { return (box.hwnd = process_.FindWindowOfClass(L"#32770")) != nullptr; }, ms))
        box.text = WindowText(box.hwnd) + ": " + WindowText(GetDlgItem(box.hwnd, 0xFFFF));
    return box;
}

void TolvikApp::CloseMessageBox(const MessageBoxInfo& box) const {
    PostMessageW(box.hwnd, WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(GetDlgItem(box.hwnd, IDOK)));
    WaitFor([&] { return !IsWindow(box.hwnd); });
}

}  // namespace tolvik::wintest
