// The random number source: seeding from the clock and the draws that
// registration uses. The generator sits behind RandomSource so that tests can
// count reseeds and fix the values drawn.
#pragma once

#include <cstdint>
#include <optional>

namespace tolvik {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Mixes the system clock into the generator's state.
    virtual void Reseed() = 0;
    // A value uniform in [0, 1).
    virtual double Next() = 0;
};

// A small, fast generator (splitmix64) whose reseed mixes in a
// high-resolution clock reading. A reseed costs about as much as that
// reading, so StirRandomSeed's 32002 reseeds take about a millisecond.
class ClockSeededRandom final : public RandomSource {
public:
    ClockSeededRandom();
    void Reseed() override;
    double Next() override;

private:
    std::uint64_t state_;
};

// Reseeds once, then rounded(u * 32000) + 1 more times.
void StirRandomSeed(RandomSource& random);

// rounded(u * 20 + 1): 1 to 21, with 1 and 21 half as likely as the others.
int DrawNumber(RandomSource& random);

// DrawNumber repeated until it is not 21.
int DrawOneToTwenty(RandomSource& random);

// DrawNumber repeated until low < r < high. Nothing when no number DrawNumber
// can give lies strictly between the bounds, so the repetition always ends.
std::optional<int> DrawBetween(RandomSource& random, long long low, long long high);

}  // namespace tolvik
