// Drives a running Tolvik.exe from outside, as a user would: clicks, keys
// and list picks posted to its controls, texts and focus read back.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "sim_process.h"
#include "window/layout.h"

namespace tolvik::wintest {

// A file's bytes, empty if there is none.
std::string ReadFile(const std::wstring& path);
// `name` in the temporary folder, deleted first.
std::wstring FreshTempPath(const std::wstring& name);

// Waits up to `ms` for `done`, checking every few milliseconds.
bool WaitFor(const std::function<bool()>& done, DWORD ms = 5000);

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::wstring title, prompt;
};

class TolvikApp {
public:
    explicit TolvikApp(const std::wstring& exe = BinDir() + L"Tolvik.exe",
                       const std::wstring& extraEnv = L"");
    ~TolvikApp();

    // The main window once it is visible, or null.
    HWND WaitForWindow(DWORD ms = 10000);
    // The main window, visible or not.
    HWND FindMainWindow() const;
    HWND Item(ControlId id) const { return GetDlgItem(window_, id); }
    HWND window() const { return window_; }

    std::string Text(ControlId id) const;
    std::pair<int, int> Selection(ControlId id) const;  // start, end
    bool Checked(ControlId id) const;
    HWND Focus() const;

    void Click(ControlId id);
    // One key: down, then up, each handled before the next is posted.
    void Key(HWND target, UINT vk);
    void Type(const std::string& digitsAndLetters);  // into the number box
    void Pick(ControlId list, int index);
    // Lets the window handle what was posted to it.
    void Settle() const;

    // A message box of Tolvik's, once one shows.
    MessageBoxInfo WaitForMessageBox(DWORD ms = 5000) const;
    void CloseMessageBox(const MessageBoxInfo& box) const;

    // The exit code once the process ends, or STILL_ACTIVE.
    DWORD WaitForExit(DWORD ms = 10000) { return process_.Wait(ms); }
    DWORD ProcessId() const { return process_.Id(); }

private:
    Process process_;
    HWND window_ = nullptr;
};

}  // namespace tolvik::wintest
