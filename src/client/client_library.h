// The five operations of the VZones client's automation library, in C++ terms.
// The Windows adapter of vzdapi.dll implements this; tests give their own.
#pragma once

#include <cstdint>
#include <string>

namespace tolvik {

// The most characters of chat the library hands back.
constexpr long kTranscriptLimit = 32678;

// How long, in milliseconds, a call may wait for the client: the time-outs
// handed to DapiGetText and DapiESP, and nowhere else.
// The fetch that finds the host: for "Get Host", for "Register", and the
// first of the tick's two fetches.
constexpr long kHostFetchTimeout = 5000;
// The ESP of a "Register" press.
constexpr long kRegisterEspTimeout = 5000;
// The tick's own calls after it found the host: its second fetch and its ESP.
constexpr long kTickTimeout = 3000;

class ClientLibrary {
public:
    virtual ~ClientLibrary() = default;

    // Attaches to the library; appName is the executable's file name without
    // directory and extension.
    virtual void DapiStart(const std::string& appName) = 0;
    // 0: no client is running; anything else: a client runs.
    virtual std::int16_t DapiIsVZThere() = 0;
    // The chat transcript as ANSI bytes, NUL characters included; empty when
    // the library gives nothing. The time-out is handed over unchanged.
    virtual std::string DapiGetText(long timeout) = 0;
    // Sends `message` as an ESP to `recipient`.
    virtual void DapiESP(const std::string& recipient, const std::string& message,
                         long timeout) = 0;
    virtual void DapiStop() = 0;
};

}  // namespace tolvik
