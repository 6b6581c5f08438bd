#include "registration/random_source.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace tolvik {
namespace {

std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t ClockTicks() {
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

// Rounds to the nearest whole number, halves to the even neighbour.
int Rounded(double value) {
    return static_cast<int>(std::nearbyint(value));
}

constexpr int kLowestDraw = 1;
constexpr int kHighestDraw = 21;

}  // namespace

ClockSeededRandom::ClockSeededRandom() : state_(0x5DEECE66DULL) {}

void ClockSeededRandom::Reseed() {
    std::uint64_t mix = state_ ^ ClockTicks();
    state_ = SplitMix(mix);
}

double ClockSeededRandom::Next() {
    return static_cast<double>(SplitMix(state_) >> 11) * 0x1.0p-53;
}

void StirRandomSeed(RandomSource& random) {
    random.Reseed();
    const int n = Rounded(random.Next() * 32000);
    for (int i = 0; i <= n; ++i) random.Reseed();
}

int DrawNumber(RandomSource& random) {
    return Rounded(random.Next() * 20 + 1);
}

int DrawOneToTwenty(RandomSource& random) {
    for (;;) {
        const int r = DrawNumber(random);
        if (r >= 1 && r <= 20) return r;
    }
}

std::optional<int> DrawBetween(RandomSource& random, long long low, long long high) {
    const long long first = std::max<long long>(low + 1, kLowestDraw);
    const long long last = std::min<long long>(high - 1, kHighestDraw);
    if (first > last) return std::nullopt;
    for (;;) {
        const int r = DrawNumber(random);
        if (r > low && r < high) return r;
    }
}

}  // namespace tolvik
