#include "channel/sim_channel.h"

#include <algorithm>
#include <cstring>

#include "client/client_library.h"

// The stand-in hands back as much as the real library promises Tolvik.
static_assert(vzsim::kGetTextLimit == static_cast<std::size_t>(tolvik::kTranscriptLimit));

namespace vzsim {
namespace {

const wchar_t kMappingName[] = L"Local\\TolvikPracticeRoom.State";
const wchar_t kMutexName[] = L"Local\\TolvikPracticeRoom.Lock";
const wchar_t kAliveName[] = L"Local\\TolvikPracticeRoom.Alive";

constexpr std::uint32_t kMagic = 0x54565A34;  // "TVZ4"; changes with the layout of Area
// Room for several full transcripts; when it fills, the oldest half goes.
constexpr std::size_t kCapacity = 256 * 1024;
constexpr std::size_t kMaxEsps = 4096;
constexpr std::size_t kNameSize = 128;
constexpr std::size_t kMaxLateEchoes = 64;  // more at once are written at once

}  // namespace

struct Channel::Area {
    std::uint32_t magic;
    std::uint32_t callDelay;  // milliseconds
    std::uint32_t waitingCalls;
    std::uint32_t waitTakesQuit;
    std::uint64_t transcriptLength;
    std::uint64_t espCount;    // all ever received; the last kMaxEsps are kept
    std::uint64_t fetchCount;  // DapiGetText calls answered
    std::int32_t echoDelay;    // milliseconds, or kNoEcho
    std::uint32_t lateEchoCount;
    struct LateEcho {
        std::int64_t due;  // Now()
        char line[2 * kNameSize + 16];
    } lateEchoes[kMaxLateEchoes];
    struct Record {
        char recipient[kNameSize];
        char message[kNameSize];
        std::int32_t timeout;
        std::int64_t microseconds;
    } esps[kMaxEsps];
    char transcript[kCapacity];
};

class Channel::Lock {
public:
    explicit Lock(HANDLE mutex) : mutex_(mutex) { WaitForSingleObject(mutex_, INFINITE); }
    ~Lock() { ReleaseMutex(mutex_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    HANDLE mutex_;
};

std::int64_t Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<std::int64_t>(count.QuadPart * 1000000.0 / frequency.QuadPart);
}

Channel::Channel(HANDLE mapping, HANDLE mutex, HANDLE alive, Area* area)
    : mapping_(mapping), mutex_(mutex), alive_(alive), area_(area) {}

Channel::~Channel() {
    UnmapViewOfFile(area_);
    CloseHandle(mapping_);
    CloseHandle(mutex_);
    if (alive_) CloseHandle(alive_);
}

bool Channel::ClientRunning() {
    HANDLE alive = OpenMutexW(SYNCHRONIZE, FALSE, kAliveName);
    if (!alive) return false;
    CloseHandle(alive);
    return true;
}

std::unique_ptr<Channel> Channel::Create() {
    HANDLE alive = CreateMutexW(nullptr, FALSE, kAliveName);
    if (!alive) return nullptr;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(alive);
        return nullptr;
    }
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(Area), kMappingName);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    void* view =
        mapping ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Area)) : nullptr;
    if (!view || !mutex) {
        if (view) UnmapViewOfFile(view);
        if (mapping) CloseHandle(mapping);
        if (mutex) CloseHandle(mutex);
        CloseHandle(alive);
        return nullptr;
    }
    std::unique_ptr<Channel> channel(new Channel(mapping, mutex, alive, static_cast<Area*>(view)));
    Lock lock(mutex);
    std::memset(channel->area_, 0, sizeof(Area));
    channel->area_->magic = kMagic;
    return channel;
}

std::unique_ptr<Channel> Channel::Open() {
    if (!ClientRunning()) return nullptr;
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kMappingName);
    if (!mapping) return nullptr;
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kMutexName);
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(Area));
    if (!view || !mutex || static_cast<Area*>(view)->magic != kMagic) {
        if (view) UnmapViewOfFile(view);
        if (mutex) CloseHandle(mutex);
        CloseHandle(mapping);
        return nullptr;
    }
    return std::unique_ptr<Channel>(new Channel(mapping, mutex, nullptr, static_cast<Area*>(view)));
}

void Channel::AppendLocked(const char* data, std::size_t size) const {
    Area& a = *area_;
    if (size > kCapacity) {
        data += size - kCapacity;
        size = kCapacity;
    }
    if (a.transcriptLength + size > kCapacity) {
        // Keep the newest half (or less, to make room), starting at a line.
        std::size_t keep = std::min<std::size_t>(kCapacity / 2, kCapacity - size);
        keep = std::min<std::size_t>(keep, a.transcriptLength);
        std::size_t from = a.transcriptLength - keep;
        const char* text = a.transcript;
        const void* lineStart = std::memchr(text + from, '\n', keep);
        if (lineStart)
            from = static_cast<std::size_t>(static_cast<const char*>(lineStart) - text) + 1;
        std::memmove(a.transcript, a.transcript + from, a.transcriptLength - from);
        a.transcriptLength -= from;
    }
    std::memcpy(a.transcript + a.transcriptLength, data, size);
    a.transcriptLength += size;
}

void Channel::AppendLine(const std::string& line) {
    const std::string withBreak = line + "\r\n";
    Lock lock(mutex_);
    WriteEchoesLocked();
    AppendLocked(withBreak.data(), withBreak.size());
}

void Channel::AppendRaw(const std::string& bytes) {
    Lock lock(mutex_);
    WriteEchoesLocked();
    AppendLocked(bytes.data(), bytes.size());
}

std::string Channel::TailLocked() const {
    WriteEchoesLocked();
    const std::size_t length = area_->transcriptLength;
    const std::size_t size = std::min(length, kGetTextLimit);
    return std::string(area_->transcript + (length - size), size);
}

std::string Channel::FetchTranscript() {
    Lock lock(mutex_);
    ++area_->fetchCount;
    return TailLocked();
}

std::uint64_t Channel::FetchCount() const {
    Lock lock(mutex_);
    return area_->fetchCount;
}

std::string Channel::TranscriptTail() const {
    Lock lock(mutex_);
    return TailLocked();
}

void Channel::RecordEsp(const std::string& recipient, const std::string& message, long timeout) {
    Lock lock(mutex_);
    auto& record = area_->esps[area_->espCount % kMaxEsps];
    std::memset(&record, 0, sizeof record);
    std::memcpy(record.recipient, recipient.data(), std::min(recipient.size(), kNameSize - 1));
    std::memcpy(record.message, message.data(), std::min(message.size(), kNameSize - 1));
    record.timeout = static_cast<std::int32_t>(timeout);
    record.microseconds = Now();
    ++area_->espCount;
    if (recipient.empty() || area_->echoDelay == kNoEcho) return;
    const std::string echo = "ESP TO " + recipient + ": " + message + "\r\n";
    Area::LateEcho* late = &area_->lateEchoes[area_->lateEchoCount];
    if (area_->echoDelay == 0 || area_->lateEchoCount == kMaxLateEchoes ||
        echo.size() >= sizeof late->line) {
        WriteEchoesLocked();
        AppendLocked(echo.data(), echo.size());
        return;
    }
    late->due = record.microseconds + std::int64_t{area_->echoDelay} * 1000;
    std::memcpy(late->line, echo.c_str(), echo.size() + 1);
    ++area_->lateEchoCount;
}

void Channel::WriteEchoesLocked() const {
    Area& a = *area_;
    const std::int64_t now = Now();
    std::uint32_t written = 0;
    while (written < a.lateEchoCount && a.lateEchoes[written].due <= now) {
        const char* line = a.lateEchoes[written++].line;
        AppendLocked(line, std::strlen(line));
    }
    std::memmove(a.lateEchoes, a.lateEchoes + written,
                 (a.lateEchoCount - written) * sizeof(Area::LateEcho));
    a.lateEchoCount -= written;
}

void Channel::SetEchoDelay(std::int32_t milliseconds) {
    Lock lock(mutex_);
    area_->echoDelay = milliseconds;
}

std::vector<Esp> Channel::Esps() const {
    Lock lock(mutex_);
    std::vector<Esp> esps;
    const std::uint64_t count = area_->espCount;
    const std::uint64_t first = count > kMaxEsps ? count - kMaxEsps : 0;
    for (std::uint64_t i = first; i < count; ++i) {
        const auto& r = area_->esps[i % kMaxEsps];
        esps.push_back({r.recipient, r.message, r.timeout, r.microseconds});
    }
    return esps;
}

std::size_t Channel::EspCount() const {
    Lock lock(mutex_);
    return static_cast<std::size_t>(area_->espCount);
}

void Channel::SetCallDelay(std::uint32_t milliseconds) {
    Lock lock(mutex_);
    area_->callDelay = milliseconds;
}

std::uint32_t Channel::CallDelay() const {
    Lock lock(mutex_);
    return area_->callDelay;
}

void Channel::AddWaitingCall(int delta) {
    Lock lock(mutex_);
    area_->waitingCalls += static_cast<std::uint32_t>(delta);
}

void Channel::SetWaitTakesQuit(bool takes) {
    Lock lock(mutex_);
    area_->waitTakesQuit = takes ? 1 : 0;
}

bool Channel::WaitTakesQuit() const {
    Lock lock(mutex_);
    return area_->waitTakesQuit != 0;
}

std::uint32_t Channel::WaitingCalls() const {
    Lock lock(mutex_);
    return area_->waitingCalls;
}

}  // namespace vzsim
