#include "registration/random_source.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "fakes.h"

namespace tolvik {
namespace {

// A seeded reference generator, so the statistics below are repeatable.
class FixedSeedRandom : public RandomSource {
public:
    void Reseed() override {}
    double Next() override { return dist_(engine_); }

private:
    std::mt19937_64 engine_{21};
    std::uniform_real_distribution<double> dist_{0.0, 1.0};
};

TEST(RandomSource, StirReseedsTwoMoreTimesThanItDraws) {
    // 1/512 and 3/512 give exact halves (62.5, 187.5), which go to the even neighbour.
    const std::pair<double, int> cases[] = {
        {0.0, 2}, {0.5, 16002}, {0.99999999, 32002}, {1.0 / 512, 64}, {3.0 / 512, 190}};
    for (const auto& [u, reseeds] : cases) {
        testing::FakeRandom random;
        random.values = {u};
        StirRandomSeed(random);
        EXPECT_EQ(random.reseeds, reseeds) << u;
    }
}

TEST(RandomSource, DrawNumberEndsHalfAsOften) {
    FixedSeedRandom random;
    std::map<int, int> counts;
    const int draws = 400000;
    for (int i = 0; i < draws; ++i) ++counts[DrawNumber(random)];
    ASSERT_EQ(counts.begin()->first, 1);
    ASSERT_EQ(counts.rbegin()->first, 21);
    const double inner = draws / 20.0;
    for (int r = 2; r <= 20; ++r) EXPECT_NEAR(counts[r], inner, inner * 0.03) << r;
    EXPECT_NEAR(counts[1], inner / 2, inner * 0.03);
    EXPECT_NEAR(counts[21], inner / 2, inner * 0.03);
}

TEST(RandomSource, DrawsStayInsideTheirBounds) {
    FixedSeedRandom random;
    std::map<int, int> between, oneToTwenty;
    for (int i = 0; i < 20000; ++i) {
        ++between[*DrawBetween(random, 3, 6)];
        ++oneToTwenty[DrawOneToTwenty(random)];
    }
    EXPECT_EQ(between.size(), 2u);
    EXPECT_GT(between[4], 0);
    EXPECT_GT(between[5], 0);
    EXPECT_EQ(oneToTwenty.begin()->first, 1);
    EXPECT_EQ(oneToTwenty.rbegin()->first, 20);
    for (int i = 0; i < 2000; ++i) {
        const int r = *DrawBetween(random, 1, 20);
        EXPECT_TRUE(r >= 2 && r <= 19) << r;
    }
}

TEST(RandomSource, DrawBetweenGivesNothingWhenNoNumberFits) {
    testing::FakeRandom random;  // would draw 1 for ever
    EXPECT_FALSE(DrawBetween(random, 7, 8));
    EXPECT_FALSE(DrawBetween(random, 9, 9));
    EXPECT_FALSE(DrawBetween(random, 21, 40));
    EXPECT_FALSE(DrawBetween(random, -5, 1));
    random.values = {testing::DrawOf(5), testing::DrawOf(21)};
    EXPECT_EQ(DrawBetween(random, 20, 30), 21);  // the only fit, found after a retry
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
