#include "sim_process.h"

#include <vector>

namespace tolvik::wintest {

std::wstring BinDir() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

Process::Process(const std::wstring& exe, const std::wstring& extraEnv, const std::wstring& args) {
    std::vector<wchar_t> env;
    if (!extraEnv.empty()) {
        wchar_t* block = GetEnvironmentStringsW();
        for (const wchar_t* p = block; *p; p += wcslen(p) + 1)
            env.insert(env.end(), p, p + wcslen(p) + 1);
        FreeEnvironmentStringsW(block);
        env.insert(env.end(), extraEnv.begin(), extraEnv.end());
        env.push_back(0);
        env.push_back(0);
    }
    std::wstring command = L"\"" + exe + L"\"" + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, env.empty() ? nullptr : env.data(), nullptr,
                        &startup, &info_))
        info_ = {};
}

Process::~Process() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

DWORD Process::Wait(DWORD ms) {
    if (!info_.hProcess) return STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

SimClient::SimClient() {
    process_ = std::make_unique<Process>(BinDir() + L"vzsim.exe", L"", L" --windowless");
    for (int i = 0; i < 500 && !channel_; ++i) {
        channel_ = vzsim::Channel::Open();
        if (!channel_) Sleep(10);
    }
}

void SimClient::Stop() {
    if (channel_) channel_->RequestQuit();
    if (process_) process_->Wait(5000);
    channel_.reset();
}

SimClient::~SimClient() {
    Stop();
}

}  // namespace tolvik::wintest
