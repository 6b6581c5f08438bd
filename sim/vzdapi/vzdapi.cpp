// Our stand-in for the VZones client's automation library. It has the real
// library's binary interface and talks to the simulated client (the practice
// room) through its shared state. Set VZSIM_CALL_LOG to a file name to have
// every call appended to that file, one line each, when it returns; a call
// made while another is still waiting is logged as "nested" when it starts.
//
// When the client asks for it (Channel::SetCallDelay), each call that reaches
// the client first waits that long while dispatching the caller's window
// messages, as a real library waiting in a modal loop does.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "channel/sim_channel.h"

namespace {

int callsInProgress = 0;

void LogCall(const std::string& line) {
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("VZSIM_CALL_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    if (FILE* f = std::fopen(path, "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

std::string Text(const char* s) {
    return s ? s : "";
}

// One call from start to return.
class Call {
public:
    explicit Call(const char* name) {
        if (callsInProgress++ > 0) LogCall(std::string("nested ") + name);
    }
    ~Call() { --callsInProgress; }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;
};

// Waits the client's call delay, handing the caller's messages to their
// windows meanwhile. A quit message is left for the caller's own loop, unless
// the client asks for a careless loop that keeps it.
void WaitOnClient(vzsim::Channel& channel) {
    const DWORD delay = channel.CallDelay();
    if (delay == 0) return;
    channel.AddWaitingCall(1);
    struct Done {
        vzsim::Channel& channel;
        ~Done() { channel.AddWaitingCall(-1); }
    } done{channel};
    const ULONGLONG end = GetTickCount64() + delay;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                if (!channel.WaitTakesQuit()) PostQuitMessage(static_cast<int>(msg.wParam));
                Sleep(static_cast<DWORD>(end > GetTickCount64() ? end - GetTickCount64() : 0));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

}  // namespace

extern "C" {

long __stdcall DapiStart(const char* appName) {
    Call call("DapiStart");
    LogCall("DapiStart " + Text(appName));
    return 1;
}

short __stdcall DapiIsVZThere(void) {
    Call call("DapiIsVZThere");
    const short there = vzsim::Channel::ClientRunning() ? 1 : 0;
    LogCall("DapiIsVZThere " + std::to_string(there));
    return there;
}

BSTR __stdcall DapiGetText(char* buffer, long bufferLength, long timeout) {
    (void)buffer;
    (void)bufferLength;
    Call call("DapiGetText");
    auto channel = vzsim::Channel::Open();
    if (channel) WaitOnClient(*channel);
    LogCall("DapiGetText " + std::to_string(timeout));
    if (!channel) return nullptr;
    const std::string text = channel->FetchTranscript();
    return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

long __stdcall DapiESP(const char* recipient, const char* message, long timeout) {
    Call call("DapiESP");
    auto channel = vzsim::Channel::Open();
    if (channel) WaitOnClient(*channel);
    LogCall("DapiESP " + Text(recipient) + "|" + Text(message) + "|" + std::to_string(timeout));
    if (!channel) return 0;
    channel->RecordEsp(Text(recipient), Text(message), timeout);
    return 1;
}

long __stdcall DapiStop(void) {
    Call call("DapiStop");
    auto channel = vzsim::Channel::Open();
    if (channel) WaitOnClient(*channel);
    LogCall("DapiStop");
    return 1;
}

}  // extern "C"
