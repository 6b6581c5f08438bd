// Seeded sessions of Auto against a client as it can behave, checked against
// what Tolvik promises (fuzz/chat_session.h, which the fuzzer also drives).
#include <gtest/gtest.h>

#include <random>

#include "chat_session.h"

namespace tolvik {
namespace {

TEST(Session, EveryGameGetsOneNumberFromTheTickAndClicksDuringACallCountOnce) {
    std::mt19937 rng(20261207);
    int esps = 0;
    for (int session = 0; session < 100; ++session) {
        std::vector<std::uint8_t> bytes(600);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(rng() % 4 == 0 ? rng() % 40 : rng());
        esps += testing::PlayChat(bytes.data(), bytes.size());  // throws a broken promise
    }
    EXPECT_GT(esps, 200);
}

}  // namespace
}  // namespace tolvik
