#include "win32/vzdapi_library.h"

#include <oleauto.h>

#include <cstdio>
#include <memory>
#include <utility>

#include "win32/ansi_text.h"
#include "win32/library_folders.h"

namespace tolvik {
namespace {

constexpr int kOwnBits = sizeof(void*) == 8 ? 64 : 32;

// 32 or 64 for a Windows library built for x86 or x64, 0 for anything else.
int LibraryBits(const std::wstring& path) {
    FILE* f = path.empty() ? nullptr : _wfopen(path.c_str(), L"rb");
    if (!f) return 0;
    IMAGE_DOS_HEADER dos{};
    DWORD signature = 0;
    IMAGE_FILE_HEADER header{};
    const bool read =
        std::fread(&dos, sizeof dos, 1, f) == 1 && dos.e_magic == IMAGE_DOS_SIGNATURE &&
        std::fseek(f, dos.e_lfanew, SEEK_SET) == 0 &&
        std::fread(&signature, sizeof signature, 1, f) == 1 && signature == IMAGE_NT_SIGNATURE &&
        std::fread(&header, sizeof header, 1, f) == 1;
    std::fclose(f);
    if (!read) return 0;
    if (header.Machine == IMAGE_FILE_MACHINE_I386) return 32;
    if (header.Machine == IMAGE_FILE_MACHINE_AMD64) return 64;
    return 0;
}

// The library's full path in the first of LibraryFolders that holds a file
// of that name (not a folder), or empty.
std::wstring FoundLibrary(const std::string& fileName) {
    const std::wstring name(fileName.begin(), fileName.end());
    for (const std::wstring& folder : LibraryFolders()) {
        const DWORD attributes = GetFileAttributesW((folder + name).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return folder + name;
    }
    return std::wstring();
}

// The file name of the exe that runs, as the user sees it in the folder.
std::string ExeFileName() {
    const std::wstring path = ExecutablePath();
    return WideToAnsi(path.substr(path.find_last_of(L"\\/") + 1));
}

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

void VzdapiLibrary::Load() {
    if (module_) return;
    // By its full path, so that no search can reach the folders of PATH.
    const std::wstring path = FoundLibrary(fileName_);
    HMODULE module = path.empty() ? nullptr : LoadLibraryW(path.c_str());
    if (!module) {
        // A library of the other bitness fails to load.
        const int bits = LibraryBits(path);
        if (bits != 0 && bits != kOwnBits)
            throw LibraryError("Tolvik found the VZones automation library " + fileName_ +
                               ", but it is a " + std::to_string(bits) +
                               "-bit library and this Tolvik is the " + std::to_string(kOwnBits) +
                               "-bit one, so it cannot call DapiStart.\n\nUse " +
                               (bits == 32 ? "Tolvik.exe, the 32-bit Tolvik,"
                                           : "Tolvik-x64.exe, the 64-bit Tolvik,") +
                               " in the same folder instead.");
    }
    if (!module)
        throw LibraryError("Tolvik could not load the VZones automation library " + fileName_ +
                           ", so it cannot call DapiStart.\n\nPut " + ExeFileName() +
                           " in the folder of " + fileName_ +
                           " (the VZones client's folder) and start it again.");
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

std::string VzdapiLibrary::DapiGetText(long timeout) {
    Load();
    std::string buffer(static_cast<std::size_t>(kTranscriptLimit), '\0');
    // Ours to free, on every path.
    const std::unique_ptr<OLECHAR, decltype(&SysFreeString)> result(
        getText_(buffer.data(), static_cast<long>(buffer.size()), timeout), &SysFreeString);
    if (!result) return std::string();
    // The BSTR's bytes are ANSI text, NULs included.
    return std::string(reinterpret_cast<const char*>(result.get()), SysStringByteLen(result.get()));
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
