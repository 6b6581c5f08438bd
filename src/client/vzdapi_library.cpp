#include "client/vzdapi_library.h"

#include <oleauto.h>

#include <utility>

namespace tolvik {
namespace {

template <class Fn>
void Resolve(HMODULE module, const std::string& fileName, const char* name, Fn& fn) {
    FARPROC proc = GetProcAddress(module, name);
    if (!proc)
        throw LibraryError("The VZones automation library " + fileName +
                           " was found, but it has no operation " + name +
                           ".\n\nIt may be a different version of " + fileName +
                           " from the one Tolvik needs.");
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

}  // namespace

VzdapiLibrary::VzdapiLibrary(std::string fileName) : fileName_(std::move(fileName)) {}

VzdapiLibrary::~VzdapiLibrary() {
    if (module_) FreeLibrary(module_);
}

void VzdapiLibrary::Load() {
    if (module_) return;
    HMODULE module = LoadLibraryA(fileName_.c_str());
    if (!module)
        throw LibraryError("Tolvik could not load the VZones automation library " + fileName_ +
                           ", so it cannot call DapiStart.\n\nPut Tolvik.exe in the folder of " +
                           fileName_ + " (the VZones client's folder) and start it again.");
    try {
        Resolve(module, fileName_, "DapiStart", start_);
        Resolve(module, fileName_, "DapiIsVZThere", isThere_);
        Resolve(module, fileName_, "DapiGetText", getText_);
        Resolve(module, fileName_, "DapiESP", esp_);
        Resolve(module, fileName_, "DapiStop", stop_);
    } catch (...) {
        FreeLibrary(module);
        throw;
    }
    module_ = module;
}

void VzdapiLibrary::DapiStart(const std::string& appName) {
    Load();
    start_(appName.c_str());
}

std::int16_t VzdapiLibrary::DapiIsVZThere() {
    Load();
    return isThere_();
}

std::string VzdapiLibrary::DapiGetText(std::string& buffer, long timeout) {
    Load();
    BSTR result = getText_(buffer.data(), static_cast<long>(buffer.size()), timeout);
    if (!result) return std::string();
    // The BSTR's bytes are ANSI text, NULs included.
    std::string text(reinterpret_cast<const char*>(result), SysStringByteLen(result));
    SysFreeString(result);
    return text;
}

void VzdapiLibrary::DapiESP(const std::string& recipient, const std::string& message,
                            long timeout) {
    Load();
    esp_(recipient.c_str(), message.c_str(), timeout);
}

void VzdapiLibrary::DapiStop() {
    if (module_) stop_();
}

}  // namespace tolvik
