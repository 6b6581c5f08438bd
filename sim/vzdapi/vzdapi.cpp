// Our stand-in for the VZones client's automation library. It has the real
// library's binary interface and talks to the simulated client (the practice
// room) through its shared state. Set VZSIM_CALL_LOG to a file name to have
// every call but DapiGetText appended to that file, one line each.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "channel/sim_channel.h"

namespace {

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

}  // namespace

extern "C" {

long __stdcall DapiStart(const char* appName) {
    LogCall("DapiStart " + Text(appName));
    return 1;
}

short __stdcall DapiIsVZThere(void) {
    const short there = vzsim::Channel::ClientRunning() ? 1 : 0;
    LogCall("DapiIsVZThere " + std::to_string(there));
    return there;
}

BSTR __stdcall DapiGetText(char* buffer, long bufferLength, long timeout) {
    (void)buffer;
    (void)bufferLength;
    (void)timeout;
    auto channel = vzsim::Channel::Open();
    if (!channel) return nullptr;
    const std::string text = channel->FetchTranscript();
    return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

long __stdcall DapiESP(const char* recipient, const char* message, long timeout) {
    LogCall("DapiESP " + Text(recipient) + "|" + Text(message) + "|" + std::to_string(timeout));
    auto channel = vzsim::Channel::Open();
    if (!channel) return 0;
    channel->RecordEsp(Text(recipient), Text(message), timeout);
    return 1;
}

long __stdcall DapiStop(void) {
    LogCall("DapiStop");
    return 1;
}

}  // extern "C"
