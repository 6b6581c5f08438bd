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
constexpr long kFindHostTimeout = 5000;  // fetching the chat for "Get Host"
constexpr long kRegisterTimeout = 5000;  // the ESP of a "Register" press
constexpr long kTickTimeout = 3000;      // both calls of the automatic tick

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
