// Starts programs of the build beside the test (the simulated client,
// Tolvik.exe) as processes of their own, and ends them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "channel/sim_channel.h"

namespace tolvik::wintest {

// The folder of the running test executable, with a trailing backslash.
std::wstring BinDir();

class Process {
public:
    // Starts `exe` (a path); extraEnv ("NAME=value") is added to the environment.
    Process(const std::wstring& exe, const std::wstring& extraEnv = L"",
            const std::wstring& args = L"");
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    // The exit code, or STILL_ACTIVE when it did not end within `ms`.
    DWORD Wait(DWORD ms);
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

// The simulated client in a process of its own, with a channel to it.
class SimClient {
public:
    SimClient();
    ~SimClient();
    vzsim::Channel& channel() { return *channel_; }
    // Closes the client, as a user closing it would.
    void Stop();
    bool running() const { return channel_ != nullptr; }

private:
    std::unique_ptr<Process> process_;
    std::unique_ptr<vzsim::Channel> channel_;
};

}  // namespace tolvik::wintest
