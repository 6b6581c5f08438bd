// The time the form gives the automatic tick to space its resends by, behind
// an interface so that tests can set it.
#pragma once

#include <chrono>
#include <cstdint>

namespace tolvik {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a clock that never goes back.
    virtual std::int64_t Milliseconds() = 0;
};

class SteadyClock final : public Clock {
public:
    std::int64_t Milliseconds() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

}  // namespace tolvik
