#include "notes/decimal.h"

#include <gtest/gtest.h>

#include <limits>

namespace yorimemo {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(DecimalTest, ReadsSignDigitsAndStopsAtTheFirstOtherByte) {
    EXPECT_EQ(parseDecimal("42"), 42);
    EXPECT_EQ(parseDecimal("-17"), -17);
    EXPECT_EQ(parseDecimal("+8"), 8);
    EXPECT_EQ(parseDecimal("007"), 7);
    EXPECT_EQ(parseDecimal(" \t\r\n\v\f12px"), 12);
    EXPECT_EQ(parseDecimal("3.9"), 3);
    EXPECT_EQ(parseDecimal("1 2"), 1);
}

TEST(DecimalTest, NoDigitsGivesZero) {
    EXPECT_EQ(parseDecimal(""), 0);
    EXPECT_EQ(parseDecimal("-"), 0);
    EXPECT_EQ(parseDecimal("+-1"), 0);
    EXPECT_EQ(parseDecimal("On"), 0);
    EXPECT_EQ(parseDecimal("- 5"), 0);
}

TEST(DecimalTest, SaturatesBeyondTheSigned32BitRange) {
    EXPECT_EQ(parseDecimal("2147483647"), kMax);
    EXPECT_EQ(parseDecimal("2147483648"), kMax);
    EXPECT_EQ(parseDecimal("-2147483648"), kMin);
    EXPECT_EQ(parseDecimal("-2147483649"), kMin);
    EXPECT_EQ(parseDecimal("99999999999999999999999999999999999999"), kMax);
    EXPECT_EQ(parseDecimal("-99999999999999999999999999999999999999"), kMin);
    EXPECT_EQ(parseDecimal("0000000000000000000000000000000000000012"), 12);
}

TEST(DecimalTest, WritesLikePercentD) {
    EXPECT_EQ(formatDecimal(0), "0");
    EXPECT_EQ(formatDecimal(-5), "-5");
    EXPECT_EQ(formatDecimal(300), "300");
    EXPECT_EQ(formatDecimal(kMin), "-2147483648");
    EXPECT_EQ(parseDecimal(formatDecimal(kMin)), kMin);
    EXPECT_EQ(parseDecimal(formatDecimal(kMax)), kMax);
}

}  // namespace
}  // namespace yorimemo
