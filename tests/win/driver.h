// Drives the real programs from outside, as a user would: the simulated
// client and Tolvik.exe in processes of their own; clicks, keys and list
// picks posted to Tolvik's controls; texts read back as Tolvik converts them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "channel/sim_channel.h"
#include "window/layout.h"

namespace tolvik::wintest {

std::wstring BinDir();  // the test executable's folder, with a trailing backslash
std::wstring FreshTempPath(const std::wstring& name);  // in the temporary folder, deleted
std::string ReadFile(const std::wstring& path);
bool WaitFor(const std::function<bool()>& done, DWORD ms = 5000);
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);  // gives up when hung
std::string WindowText(HWND hwnd);

// A process of its own, ended when this goes; env is "NAME=value" or empty.
class Process {
public:
    Process(const std::wstring& exe, const std::wstring& env, const std::wstring& args = L"");
    ~Process();
    DWORD Wait(DWORD ms);                                    // the exit code, or STILL_ACTIVE
    HWND FindWindowOfClass(const wchar_t* className) const;  // visible, top-level

private:
    PROCESS_INFORMATION info_{};
};

struct SimClient {
    Process process{BinDir() + L"vzsim.exe", L"", L" --windowless"};
    std::unique_ptr<vzsim::Channel> channel_;
    SimClient() {
        WaitFor([&] { return (channel_ = vzsim::Channel::Open()) != nullptr; });
    }
    ~SimClient() { Stop(); }
    vzsim::Channel& channel() { return *channel_; }
    void Stop();  // as a user closing the client
};

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string text;  // "title: prompt"
};

class TolvikApp {
public:
    explicit TolvikApp(const std::wstring& env = L"",
                       const std::wstring& exe = BinDir() + L"Tolvik.exe")
        : process_(exe, env) {}
    ~TolvikApp();  // quits as a user does

    HWND WaitForWindow(DWORD ms = 10000);  // once visible, or null
    HWND Item(ControlId id) const { return GetDlgItem(window, id); }
    LRESULT Ask(ControlId id, UINT msg) const { return Send(Item(id), msg); }
    std::string Text(ControlId id) const { return WindowText(Item(id)); }
    HWND Focus() const;

    void Post(ControlId id, UINT msg, WPARAM wParam, LPARAM lParam = 1);  // 0: the window
    void Click(ControlId id) { Post(id, BM_CLICK, 0, 0); }
    void Key(UINT vk, ControlId id = kTxtNumber);  // down and up; 0: the focus
    void Type(const std::string& digits) {
        for (char c : digits) Key(static_cast<UINT>(c));
    }
    void Pick(ControlId list, int index);
    void Settle() const;  // lets the window handle what was posted to it

    MessageBoxInfo WaitForMessageBox(DWORD ms = 10000) const;  // hwnd null if none
    void CloseMessageBox(const MessageBoxInfo& box) const;
    DWORD WaitForExit(DWORD ms = 10000) { return process_.Wait(ms); }

    HWND window = nullptr;

private:
    Process process_;
};

}  // namespace tolvik::wintest
