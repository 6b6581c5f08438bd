#include "win32/vzdapi_library.h"

#include <oleauto.h>

#include <cstdio>
#include <cwchar>
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
std::wstring FoundLibrary(const std::wstring& name) {
    for (const std::wstring& folder : LibraryFolders()) {
        const DWORD attributes = GetFileAttributesW((folder + name).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
            return folder + name;
    }
    return std::wstring();
}

// The file name of the exe that runs, as the user sees it in the folder.
std::wstring ExeFileName() {
    const std::wstring path = ExecutablePath();
    return path.substr(path.find_last_of(L"\\/") + 1);
}

// What Windows says of an error, with the file it names in place of "%1".
std::wstring SystemMessage(DWORD error, const std::wstring& file) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", text ? length : 0);
    LocalFree(text);
    while (!message.empty() && std::wcschr(L" \r\n", message.back())) message.pop_back();
    for (auto at = message.find(L"%1"); at != std::wstring::npos;
         at = message.find(L"%1", at + file.size()))
        message.replace(at, 2, file);
    const std::wstring code = L"error " + std::to_wstring(error);
    return message.empty() ? code : message + L" (" + code + L")";
}

// No box of Windows' own (a disk missing, a file damaged) while a library
// loads: Tolvik tells the user itself.
class QuietErrors {
public:
    QuietErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_); }
    ~QuietErrors() { SetThreadErrorMode(old_, nullptr); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    DWORD old_ = 0;
};

template <class Fn>
void Resolve(HMODULE module, const std::wstring& found, const char* name, Fn& fn) {
    FARPROC proc = GetProcAddress(module, name);
    if (!proc)
        throw LibraryError(found + L", but it has no operation " + AnsiToWide(name) +
                           L".\n\nIt may be a different version from the one Tolvik needs.");
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

}  // namespace

LibraryError::LibraryError(const std::wstring& message)
    : std::runtime_error(WideToAnsi(message)), message_(message) {}

VzdapiLibrary::VzdapiLibrary(std::string fileName) : fileName_(std::move(fileName)) {}

void VzdapiLibrary::Load() {
    if (module_) return;
    const std::wstring name = AnsiToWide(fileName_);
    // By its full path, so that no search can reach the folders of PATH.
    const std::wstring path = FoundLibrary(name);
    if (path.empty())
        throw LibraryError(L"Tolvik could not find the VZones automation library " + name +
                           L", so it cannot call DapiStart.\n\nPut " + ExeFileName() +
                           L" in the folder of " + name +
                           L" (the VZones client's folder) and start it again.");
    const std::wstring found = L"Tolvik found the VZones automation library " + name + L" in " +
                               path.substr(0, path.size() - name.size());
    HMODULE module = nullptr;
    DWORD error = 0;
    {
        const QuietErrors quiet;
        module = LoadLibraryW(path.c_str());
        error = GetLastError();
    }
    if (!module) {
        // A library of the other bitness fails to load.
        const int bits = LibraryBits(path);
        if (bits != 0 && bits != kOwnBits)
            throw LibraryError(found + L", but it is a " + std::to_wstring(bits) +
                               L"-bit library and this Tolvik is the " + std::to_wstring(kOwnBits) +
                               L"-bit one, so it cannot call DapiStart.\n\nUse " +
                               (bits == 32 ? L"Tolvik.exe, the 32-bit Tolvik,"
                                           : L"Tolvik-x64.exe, the 64-bit Tolvik,") +
                               L" in the same folder instead.");
        throw LibraryError(found + L", but Windows could not load it, so Tolvik cannot call " +
                           L"DapiStart.\n\nWindows says: " + SystemMessage(error, path) +
                           L"\n\nA library it needs may be missing, or the file may be damaged; " +
                           L"installing the VZones client again may mend it.");
    }
    try {
        Resolve(module, found, "DapiStart", start_);
        Resolve(module, found, "DapiIsVZThere", isThere_);
        Resolve(module, found, "DapiGetText", getText_);
        Resolve(module, found, "DapiESP", esp_);
        Resolve(module, found, "DapiStop", stop_);
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
