// Stirring the seed, the draws, and the clock-seeded generator.
#include "registration/random_source.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace tolvik {

using testing::DrawOf;
using testing::FakeRandom;

TEST(RandomSource, StirDrawAndTheClockSeededGenerator) {
    // Stirring reseeds two more times than it draws; 1/512 and 3/512 give
    // exact halves (62.5, 187.5), which go to the even neighbour.
    const std::pair<double, int> stirs[] = {
        {0.0, 2}, {0.5, 16002}, {0.99999999, 32002}, {1.0 / 512, 64}, {3.0 / 512, 190}};
    for (const auto& [u, reseeds] : stirs) {
        FakeRandom random;
        random.values = {u};
        StirRandomSeed(random);
        EXPECT_EQ(random.reseeds, reseeds) << u;
    }
    // 1 to 21, with 1 and 21 half as likely as the others.
    // clang-format off
    const std::pair<double, int> draws[] = {{0.0, 1}, {0.024, 1}, {0.026, 2}, {0.074, 2},
        {0.076, 3}, {0.5, 11}, {0.974, 20}, {0.976, 21}, {0.99999999, 21}};
    // clang-format on
    FakeRandom random;
    for (const auto& [u, r] : draws) {
        random.values = {u};
        EXPECT_EQ(DrawNumber(random), r) << u;
    }
    // Draws retry until they fit; DrawBetween gives nothing when none can
    // (the last would draw 1 for ever).
    for (const auto& [low, high] : {std::pair{7, 8}, {9, 9}, {21, 40}, {-5, 1}})
        EXPECT_FALSE(DrawBetween(random, low, high)) << low << " " << high;
    random.values = {DrawOf(5), DrawOf(21), DrawOf(1), DrawOf(1), DrawOf(7)};
    EXPECT_EQ(DrawBetween(random, 20, 30), 21);  // the only fit, found after a retry
    EXPECT_EQ(DrawBetween(random, 0, 2), 1);     // the lowest draw fits too
    EXPECT_EQ(DrawOneToTwenty(random), 1);

    // The clock-seeded generator: SplitMix64 from a fixed start until the
    // first reseed, which (not the draw) moves it on.
    EXPECT_EQ(ClockSeededRandom().Next(), 0.7816475158952539);
    ClockSeededRandom a, same = a;
    a.Reseed();
    EXPECT_NE(a.Next(), same.Next());
}

}  // namespace tolvik
