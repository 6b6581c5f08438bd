// Typed texts and their whole values.
#include "registration/number_text.h"

#include <gtest/gtest.h>

namespace tolvik {

TEST(NumberRules, WholeValuesRoundHalfToEvenAndSaturate) {
    const std::string huge(1000, '9');
    const std::pair<std::string, std::optional<long long>> cases[] = {
        // clang-format off
        {"12", 12}, {" 12 ", 12}, {"\t7\t", 7}, {"+5", 5}, {"-0", 0}, {"07", 7}, {"20.5", 20},
        {"21.5", 22}, {"0.5", 0}, {"1.5", 2}, {"2.5", 2}, {"-2.5", -2}, {"-3", -3}, {".5", 0},
        {"5.", 5}, {".7", 1}, {"20.6", 21}, {"-.5", 0}, {"19.49999", 19},
        {"20.50000000000000000001", 21}, {"20.50000000000000000000", 20},
        {huge, kWholeValueLimit}, {"-" + huge + ".5", -kWholeValueLimit},
        {"18446744073709551617", kWholeValueLimit}, {"1000000000000000005", kWholeValueLimit},
        {"000000000000000000000000000000015", 15}, {"999999999999999999", 999999999999999999},
        {"", {}}, {" ", {}}, {".", {}}, {"+", {}}, {"-", {}}, {"1.2.3", {}}, {"--1", {}},
        {"1e5", {}}, {"1,000", {}}, {"0x1A", {}}, {"1 2", {}}, {"+-1", {}}, {"12a", {}},
        {"WRONG NUMBER", {}}, {"\t", {}},
        // clang-format on
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(WholeValue(text), value) << text;
    // A view of blanks is no number, whatever follows it.
    EXPECT_FALSE(WholeValue(std::string_view("    ").substr(0, 3)));
}

}  // namespace tolvik
