#include "registration/random_source.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "fakes.h"

namespace tolvik {
namespace {

using testing::DrawOf;
using testing::FakeRandom;

TEST(RandomSource, StirReseedsTwoMoreTimesThanItDraws) {
    // 1/512 and 3/512 give exact halves (62.5, 187.5), which go to the even neighbour.
    const std::pair<double, int> cases[] = {
        {0.0, 2}, {0.5, 16002}, {0.99999999, 32002}, {1.0 / 512, 64}, {3.0 / 512, 190}};
    for (const auto& [u, reseeds] : cases) {
        FakeRandom random;
        random.values = {u};
        StirRandomSeed(random);
        EXPECT_EQ(random.reseeds, reseeds) << u;
    }
}

TEST(RandomSource, DrawsKeepTheirShapeAndBounds) {
    // A seeded reference generator, so the statistics are repeatable.
    struct Seeded : RandomSource {
        std::mt19937_64 engine{21};
        void Reseed() override {}
        double Next() override { return std::uniform_real_distribution<double>(0, 1)(engine); }
    } random;
    std::map<int, int> plain, between, oneToTwenty;
    const int draws = 200000;
    for (int i = 0; i < draws; ++i) {
        ++plain[DrawNumber(random)];
        if (i % 10 == 0) ++between[*DrawBetween(random, 3, 6)];
        if (i % 10 == 0) ++oneToTwenty[DrawOneToTwenty(random)];
    }
    // 1 to 21, with 1 and 21 half as likely as the others.
    ASSERT_EQ(plain.size(), 21u);
    const double inner = draws / 20.0;
    for (const auto& [r, n] : plain)
        EXPECT_NEAR(n, r == 1 || r == 21 ? inner / 2 : inner, inner * 0.04) << r;
    EXPECT_EQ(between.size(), 2u);  // 4 and 5
    EXPECT_EQ(between.begin()->first, 4);
    EXPECT_EQ(oneToTwenty.size(), 20u);
    EXPECT_EQ(oneToTwenty.rbegin()->first, 20);
}

TEST(RandomSource, DrawBetweenGivesNothingWhenNoNumberFits) {
    FakeRandom random;  // would draw 1 for ever
    for (const auto& [low, high] : {std::pair{7, 8}, {9, 9}, {21, 40}, {-5, 1}})
        EXPECT_FALSE(DrawBetween(random, low, high)) << low << " " << high;
    random.values = {DrawOf(5), DrawOf(21)};
    EXPECT_EQ(DrawBetween(random, 20, 30), 21);  // the only fit, found after a retry
    random.values = {DrawOf(1)};
    EXPECT_EQ(DrawBetween(random, 0, 2), 1);  // the lowest draw fits too
}

TEST(RandomSource, ClockSeededGeneratorMovesOnEachReseed) {
    ClockSeededRandom a;
    const double first = a.Next();
    a.Reseed();
    EXPECT_NE(a.Next(), first);
    for (int i = 0; i < 1000; ++i) {
        const double u = a.Next();
        ASSERT_TRUE(u >= 0.0 && u < 1.0);
    }
}

}  // namespace
}  // namespace tolvik
