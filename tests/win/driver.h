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

// A process of its own, ended when this goes; extraEnv is "NAME=value".
class Process {
public:
    Process(const std::wstring& exe, const std::wstring& extraEnv, const std::wstring& args = L"");
    ~Process();
    DWORD Wait(DWORD ms);  // the exit code, or STILL_ACTIVE
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

struct SimClient {
    SimClient();
    ~SimClient() { Stop(); }
    vzsim::Channel& channel() { return *channel_; }
    bool running() const { return channel_ != nullptr; }
    void Stop();  // as a user closing the client
    std::unique_ptr<Process> process;
    std::unique_ptr<vzsim::Channel> channel_;
};

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string text;  // "title: prompt"
};

class TolvikApp {
public:
    explicit TolvikApp(const std::wstring& extraEnv = L"",
                       const std::wstring& exe = BinDir() + L"Tolvik.exe")
        : process_(exe, extraEnv) {}
    ~TolvikApp();  // quits as a user does

    HWND WaitForWindow(DWORD ms = 10000);  // once visible, or null
    HWND Item(ControlId id) const { return GetDlgItem(window, id); }
    LRESULT Ask(ControlId id, UINT msg) const;  // a message sent to the control
    std::string Text(ControlId id) const;
    HWND Focus() const;

    void Click(ControlId id);
    void Post(ControlId id, UINT msg, WPARAM wParam, LPARAM lParam = 1);  // then Settle
    void Key(UINT vk, ControlId id = kTxtNumber);                         // down and up
    void Type(const std::string& digits);                                 // into the number box
    void Pick(ControlId list, int index);
    void Settle() const;  // lets the window handle what was posted to it

    MessageBoxInfo WaitForMessageBox(DWORD ms = 10000) const;  // hwnd null if none
    void CloseMessageBox(const MessageBoxInfo& box) const;
    DWORD WaitForExit(DWORD ms = 10000) { return process_.Wait(ms); }

    HWND window = nullptr;

private:
    HWND FindTopLevel(const wchar_t* className) const;  // visible, of this process
    Process process_;
};

}  // namespace tolvik::wintest
