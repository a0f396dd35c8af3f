#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/TestData.h"
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

namespace {

// m x 10^-d as the nearest double, from its decimal text.
double Decimal(long long m, int d) {
    double v = 0;
    EXPECT_TRUE(ParseNumber(QStringLiteral("%1e-%2").arg(m).arg(d), v));
    return v;
}

// n / 10^shift rounded to a whole number with halves to even, in integers.
long long ExactHalfEven(long long n, long long shift) {
    if (n < 0) return -ExactHalfEven(-n, shift);
    long long scale = 1;
    for (long long i = 0; i < shift; ++i) scale *= 10;
    const long long q = n / scale, r = n % scale;
    if (2 * r > scale || (2 * r == scale && q % 2 == 1)) return q + 1;
    return q;
}

}  // namespace

TEST(NumberText, RoundsDecimalTiesOfTheShownValue) {
    // Knife travel and zone-table figures whose doubles lie off the decimal tie.
    EXPECT_EQ(NumText(RoundHalfEven(18 * 0.000125, 4)), "0.0022");
    EXPECT_EQ(NumText(RoundHalfEven(3066 * 0.000125, 4)), "0.3832");
    EXPECT_EQ(NumText(RoundHalfEven(2.0085, 3)), "2.008");
    EXPECT_EQ(NumText(RoundHalfEven(16.0995, 3)), "16.1");
    EXPECT_EQ(NumText(RoundHalfEven(-16.0995, 3)), "-16.1");
    EXPECT_EQ(NumText(RoundHalfEven(9.99995, 4)), "10");
    EXPECT_EQ(NumText(RoundHalfEven(0.00005, 4)), "0");
    EXPECT_EQ(NumText(RoundHalfEven(0.00015, 4)), "0.0002");
    EXPECT_EQ(NumText(RoundHalfEven(0.000051, 4)), "0.0001");
    EXPECT_EQ(NumText(RoundHalfEven(0.0000049, 4)), "0");
    EXPECT_EQ(RoundHalfEven(1e300, 4), 1e300);
    EXPECT_EQ(RoundHalfEven(123456.789, 12), 123456.789);
}

TEST(NumberText, DecimalRoundingMatchesExactDecimalsOverASweep) {
    for (long long ypos = -20000; ypos <= 20000; ++ypos) {
        // Platform travel in inches (0.000125 a half step) and millimetres.
        const long long inchMillionths = ypos * 125;
        ASSERT_EQ(RoundHalfEven(ypos * 0.000125, 4), Decimal(ExactHalfEven(inchMillionths, 2), 4))
            << ypos;
        const long long mmMillionths = ypos * 3175;
        ASSERT_EQ(RoundHalfEven(ypos * 0.000125 * 25.4, 4),
                  Decimal(ExactHalfEven(mmMillionths, 2), 4))
            << ypos;
    }
    // Every tie k.5 at the place after d decimals goes to the even neighbour.
    for (int d = 0; d <= 6; ++d) {
        for (long long k = 0; k < 20000; k += 7) {
            const double tie = Decimal(k * 10 + 5, d + 1);
            ASSERT_EQ(RoundHalfEven(tie, d), Decimal(ExactHalfEven(k * 10 + 5, 1), d))
                << k << " " << d;
            ASSERT_EQ(RoundHalfEven(-tie, d), -Decimal(ExactHalfEven(k * 10 + 5, 1), d));
        }
    }
}

TEST(NumberText, TextNearTheDoubleRangeReadsBack) {
    const double largest = std::numeric_limits<double>::max();
    for (double v : {largest, -largest, std::nextafter(largest, 0.0), 1.797693134862315e308,
                     1.79769313486231e308, std::numeric_limits<double>::denorm_min(),
                     std::numeric_limits<double>::min()}) {
        const QString text = NumText(v);
        double back = 0;
        ASSERT_TRUE(ParseNumber(text, back)) << v;
        EXPECT_EQ(NumText(back), text);
        EXPECT_FALSE(text.contains(QLatin1Char('e')));
    }
    double back = 0;
    ASSERT_TRUE(ParseNumber(NumText(largest), back));
    EXPECT_EQ(back, largest);
    EXPECT_EQ(NumText(1.79769313486231e308).size(), 309);
}

TEST(NumberText, LargestDoubleFindingReadsBack) {
    const QByteArray input = TestDataFile("findings/number-dblmax.bin");
    ASSERT_FALSE(input.isEmpty());
    double value = 0;
    ASSERT_TRUE(ParseNumber(QString::fromLatin1(input.mid(1)), value));
    double back = 0;
    ASSERT_TRUE(ParseNumber(NumText(value), back));
    EXPECT_EQ(back, value);
}
