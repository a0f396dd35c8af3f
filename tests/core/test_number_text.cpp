#include <gtest/gtest.h>

#include "core/NumberText.h"

TEST(NumberText, WritesShortestDecimalWithoutExponentOrTrailingZeros) {
    EXPECT_EQ(NumText(0), "0");
    EXPECT_EQ(NumText(-0.0), "0");
    EXPECT_EQ(NumText(2.54), "2.54");
    EXPECT_EQ(NumText(0.1), "0.1");
    EXPECT_EQ(NumText(800 * 0.000125), "0.1");
    EXPECT_EQ(NumText(0.000125), "0.000125");
    EXPECT_EQ(NumText(0.0000125), "0.0000125");
    EXPECT_EQ(NumText(-3.5), "-3.5");
    EXPECT_EQ(NumText(96), "96");
    EXPECT_EQ(NumText(1e16), "10000000000000000");
    // Never more than 15 significant digits, also beyond the exponent form's bounds.
    EXPECT_EQ(NumText(123456789012345678.0), "123456789012346000");
    EXPECT_EQ(NumText(1e15 + 1), "1000000000000000");
    EXPECT_EQ(NumText(-1.234567890123456e-7), "-0.000000123456789012346");
    EXPECT_EQ(NumText(0.1 + 0.2), "0.3");
}

TEST(NumberText, ParsesWhatItWritesAndNothingElse) {
    double v = 0;
    for (double x : {0.0, 2.54, -3.5, 0.000125, 0.0000125, 123456.789})
        ASSERT_TRUE(ParseNumber(NumText(x), v)) << x;
    EXPECT_TRUE(ParseNumber(" 1.5e-3 ", v));
    EXPECT_DOUBLE_EQ(v, 0.0015);
    EXPECT_FALSE(ParseNumber("", v));
    EXPECT_FALSE(ParseNumber("1,5", v));
    EXPECT_FALSE(ParseNumber("abc", v));
    EXPECT_FALSE(ParseNumber("1.5x", v));
    EXPECT_FALSE(ParseNumber("nan", v));
    int32_t n = 0;
    EXPECT_TRUE(ParseLong(" -42 ", n));
    EXPECT_EQ(n, -42);
    EXPECT_FALSE(ParseLong("4.5", n));
    EXPECT_FALSE(ParseLong("99999999999", n));
}

TEST(NumberText, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundToLong(0.5), 0);
    EXPECT_EQ(RoundToLong(1.5), 2);
    EXPECT_EQ(RoundToLong(1e12), INT32_MAX);
    EXPECT_DOUBLE_EQ(RoundHalfEven(40 * 0.000125 * 25.4, 4), 0.127);
    EXPECT_DOUBLE_EQ(RoundHalfEven(0.00125, 4), 0.0012);
}
