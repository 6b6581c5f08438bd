// Drives Tolvik.exe from outside, as a user would: the exe in a process of
// its own beside the simulated client, hosted here; clicks, keys and list
// picks posted to its controls; texts read back as Tolvik converts them.
#pragma once

#include <windows.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "win32/ansi_text.h"
#include "win32/frm_tolvik.h"
#include "win32/library_folders.h"
#include "window/layout.h"

namespace tolvik::wintest {

// The test executable's folder, with a trailing backslash.
inline std::wstring BinDir() {
    const std::wstring exe = ExecutablePath();
    return exe.substr(0, exe.find_last_of(L'\\') + 1);
}

inline std::wstring TempPath(const std::wstring& name) {
    wchar_t dir[MAX_PATH];
    return std::wstring(dir, GetTempPathW(MAX_PATH, dir)) + name;
}

inline std::string ReadFile(const std::wstring& path) {
    std::stringstream s;
    s << std::ifstream(WideToAnsi(path), std::ios::binary).rdbuf();
    return s.str();
}

inline bool WaitFor(const std::function<bool()>& done, DWORD ms = 5000) {
    for (const ULONGLONG end = GetTickCount64() + ms; !done(); Sleep(5))
        if (GetTickCount64() > end) return false;
    return true;
}

// SendMessage that gives up on a hung window.
inline LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

inline std::string WindowText(HWND hwnd) {
    wchar_t text[1024] = {};
    const auto n = Send(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return WideToAnsi(std::wstring(text, static_cast<std::size_t>(n)));
}

// Where the stand-in library in Tolvik.exe logs its calls.
inline const std::wstring kCallLog = TempPath(L"tolvik-calls.log");

// Tolvik.exe in a process of its own, ended when this goes; its call log
// is made empty first.
class TolvikApp {
public:
    // `folder`: the current folder it starts in; `show`: how it is asked to
    // show its window (-1: as Windows shows it by default).
    explicit TolvikApp(std::wstring exe = BinDir() + L"Tolvik.exe", const wchar_t* folder = nullptr,
                       int show = -1) {
        DeleteFileW(kCallLog.c_str());
        SetEnvironmentVariableW(L"VZSIM_CALL_LOG", kCallLog.c_str());
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = show < 0 ? 0 : STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(show < 0 ? 0 : show);
        if (!CreateProcessW(exe.c_str(), exe.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                            &startup, &info_))
            info_ = {};
    }
    ~TolvikApp() {  // quits as a user does
        if (IsWindow(window)) PostMessageW(window, WM_CLOSE, 0, 0);
        if (WaitForExit(5000) == STILL_ACTIVE) TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
    DWORD WaitForExit(DWORD ms = 10000) {  // the exit code, or STILL_ACTIVE
        DWORD code = STILL_ACTIVE;
        if (info_.hProcess && WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0)
            GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    // A visible top-level window of its one thread, or null.
    HWND FindWindowOfClass(const wchar_t* className) const {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr)) != nullptr;)
            if (GetWindowThreadProcessId(w, nullptr) == info_.dwThreadId && IsWindowVisible(w))
                return w;
        return nullptr;
    }
    HWND WaitForWindow() {  // once visible, or null
        WaitFor([&] { return (window = FindWindowOfClass(kFormClassName)) != nullptr; });
        if (window) Settle();
        return window;
    }
    HWND Item(ControlId id) const { return GetDlgItem(window, id); }
    std::string Text(ControlId id) const { return WindowText(Item(id)); }
    GUITHREADINFO Gui() const {  // its thread's focus and active window
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info;
    }
    HWND Focus() const { return Gui().hwndFocus; }

    void Settle() const {  // lets the window handle what was posted to it
        // A sent message is handled before the next posted one: three round
        // trips cover a posted key, the WM_CHAR it is translated into, and one more.
        for (int i = 0; i < 3; ++i, Sleep(5)) Send(window, WM_NULL);
    }
    void Post(ControlId id, UINT msg, WPARAM wParam, LPARAM lParam = 1) {  // id 0: the window
        PostMessageW(id == 0 ? window : Item(id), msg, wParam, lParam);
        Settle();
    }
    void Click(ControlId id) { Post(id, BM_CLICK, 0, 0); }
    void Key(UINT vk, ControlId id = kTxtNumber) {  // down and up; id 0: the focus
        HWND target = id == 0 ? Focus() : Item(id);
        const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(target, WM_KEYDOWN, vk, 1 | scan);
        Settle();
        PostMessageW(target, WM_KEYUP, vk, 1 | scan | (3u << 30));
        Settle();
    }
    void Type(const std::string& digits) {
        for (char c : digits) Key(static_cast<UINT>(c));
    }

    static std::string BoxText(HWND box) {  // "title: prompt"
        return WindowText(box) + ": " + WindowText(GetDlgItem(box, 0xFFFF));
    }
    HWND window = nullptr;

private:
    PROCESS_INFORMATION info_{};
};

}  // namespace tolvik::wintest
