// The simulated VZones client's state, shared between its processes: the chat
// transcript and the ESPs received, in named shared memory guarded by a named
// mutex. The practice room (or a test) creates it and so "is" the running
// client; our vzdapi.dll and the tests open it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vzsim {

struct Esp {
    std::string recipient;
    std::string message;
    long timeout = 0;
    std::int64_t microseconds = 0;  // Now() when the ESP arrived
};

// The transcript a DapiGetText returns holds at most this many characters.
constexpr std::size_t kGetTextLimit = 32678;
constexpr std::int32_t kNoEcho = -1;

// Microseconds on a clock shared by all processes of the machine.
std::int64_t Now();

class Channel {
public:
    ~Channel();
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    // The client's side: creates the shared state. Nothing if a client already runs.
    static std::unique_ptr<Channel> Create();
    // Everyone else's side: nothing while no client runs.
    static std::unique_ptr<Channel> Open();
    static bool ClientRunning();

    // Appends `line` and a CR LF.
    void AppendLine(const std::string& line);
    // Appends bytes as they are (NULs allowed).
    void AppendRaw(const std::string& bytes);
    // The last kGetTextLimit characters.
    std::string TranscriptTail() const;
    // The same, for the library; counted, so that a test can wait until
    // Tolvik has read the chat.
    std::string FetchTranscript();
    std::uint64_t FetchCount() const;

    void RecordEsp(const std::string& recipient, const std::string& message, long timeout);
    std::vector<Esp> Esps() const;
    std::size_t EspCount() const;

    // When the client writes the echo of an ESP: milliseconds after it
    // arrives (0, the default: at once), or never (kNoEcho), as a client
    // whose echo is late, or written in a form Tolvik does not know, does.
    void SetEchoDelay(std::int32_t milliseconds);

    // How long each library call waits on the client, dispatching the
    // caller's window messages meanwhile, as a real library may (0: none).
    void SetCallDelay(std::uint32_t milliseconds);
    std::uint32_t CallDelay() const;
    // Library calls now waiting on the client, counted by the library.
    void AddWaitingCall(int delta);
    std::uint32_t WaitingCalls() const;
    // Whether a waiting call keeps a quit message for itself, as a careless
    // modal loop does, instead of posting it again for the caller.
    void SetWaitTakesQuit(bool takes);
    bool WaitTakesQuit() const;

private:
    struct Area;
    class Lock;
    Channel(HANDLE mapping, HANDLE mutex, HANDLE alive, Area* area);

    // The shared area is the client's state, not this handle's: readers
    // write the echoes that have come due, so these work on a const handle.
    void AppendLocked(const char* data, std::size_t size) const;
    // Writes the late echoes that are due by now.
    void WriteEchoesLocked() const;
    std::string TailLocked() const;

    HANDLE mapping_;
    HANDLE mutex_;
    HANDLE alive_;  // held by the client's side only
    Area* area_;
};

}  // namespace vzsim
