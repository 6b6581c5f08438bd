// The five operations of the VZones client's automation library, in C++ terms.
// The Windows loader of vzdapi.dll implements this; tests give their own.
#pragma once

#include <cstdint>
#include <string>

namespace tolvik {

class ClientLibrary {
public:
    virtual ~ClientLibrary() = default;

    // Attaches to the library; appName is the executable's file name without
    // directory and extension.
    virtual void DapiStart(const std::string& appName) = 0;
    // 0: no client is running; anything else: a client runs.
    virtual std::int16_t DapiIsVZThere() = 0;
    // The chat transcript as ANSI bytes, NUL characters included. `buffer` is
    // handed to the library as it is and its size is the length passed.
    virtual std::string DapiGetText(std::string& buffer, long timeout) = 0;
    // Sends `message` as an ESP to `recipient`.
    virtual void DapiESP(const std::string& recipient, const std::string& message,
                         long timeout) = 0;
    virtual void DapiStop() = 0;
};

}  // namespace tolvik
