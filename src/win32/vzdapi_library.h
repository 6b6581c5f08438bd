// The VZones client's automation library, vzdapi.dll, loaded from Tolvik's
// folder or the system folder when first needed, and reached through its five
// operations: the Windows adapter of ClientLibrary.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <stdexcept>
#include <string>

#include "client/client_library.h"

namespace tolvik {

// The library could not be found or loaded, or lacks an operation.
// message() tells the user which, and where (any folder name, whatever the
// ANSI code page); what() is its ANSI form.
class LibraryError : public std::runtime_error {
public:
    explicit LibraryError(const std::wstring& message);
    const std::wstring& message() const { return message_; }

private:
    std::wstring message_;
};

class VzdapiLibrary final : public ClientLibrary {
public:
    explicit VzdapiLibrary(std::string fileName = "vzdapi.dll");
    // The library stays loaded until the process ends: one that keeps a
    // thread or a window of its own must not lose its code under it.
    VzdapiLibrary(const VzdapiLibrary&) = delete;
    VzdapiLibrary& operator=(const VzdapiLibrary&) = delete;

    // Loads the library and looks up all five operations; throws LibraryError.
    void Load();

    void DapiStart(const std::string& appName) override;
    std::int16_t DapiIsVZThere() override;
    // Hands the library a buffer of kTranscriptLimit NULs, as it expects, and
    // takes the transcript from its result.
    std::string DapiGetText(long timeout) override;
    void DapiESP(const std::string& recipient, const std::string& message, long timeout) override;
    void DapiStop() override;

private:
    using StartFn = long(WINAPI*)(const char*);
    using IsThereFn = short(WINAPI*)();
    using GetTextFn = BSTR(WINAPI*)(char*, long, long);
    using EspFn = long(WINAPI*)(const char*, const char*, long);
    using StopFn = long(WINAPI*)();

    std::string fileName_;
    HMODULE module_ = nullptr;
    StartFn start_ = nullptr;
    IsThereFn isThere_ = nullptr;
    GetTextFn getText_ = nullptr;
    EspFn esp_ = nullptr;
    StopFn stop_ = nullptr;
};

}  // namespace tolvik
