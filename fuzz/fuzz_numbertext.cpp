// The general number format: every text NumText writes reads back, writing the
// value read gives the same text, and rounding to decimal places stays within
// half a place of the value.

#include <cmath>
#include <cstring>

#include "FuzzSupport.h"
#include "core/NumberText.h"

namespace {

void CheckValue(double value, int decimals) {
    const QString text = NumText(value);
    double back = 0;
    FUZZ_CHECK(ParseNumber(text, back), "NumText's text reads back as a number");
    FUZZ_CHECK(NumText(back) == text, "the value read back writes the same text");
    FUZZ_CHECK(!text.contains(QLatin1Char('e')), "no exponent");
    if (std::isfinite(value) && value != 0)
        FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-14, "15 digits of the value");

    const double rounded = RoundHalfEven(value, decimals);
    if (std::isfinite(value)) {
        FUZZ_CHECK(std::isfinite(rounded), "a rounded finite value is finite");
        const double place = std::pow(10.0, -decimals);
        FUZZ_CHECK(std::fabs(rounded - value) <= place / 2 * (1 + 1e-9) + std::fabs(value) * 1e-14,
                   "rounding moves by at most half a place");
        FUZZ_CHECK(RoundHalfEven(rounded, decimals) == rounded, "rounding again changes nothing");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const FuzzInput in = SplitInput(bytes, size);
    const int decimals = in.control % 16;
    if (in.control & 0x80) {
        // The data as the bits of doubles.
        for (qsizetype at = 0; at + 8 <= in.data.size(); at += 8) {
            double value = 0;
            std::memcpy(&value, in.data.constData() + at, 8);
            CheckValue(value, decimals);
        }
        return 0;
    }
    // The data as text: what ParseNumber accepts writes back as a number.
    double value = 0;
    if (ParseNumber(QString::fromLatin1(in.data), value)) CheckValue(value, decimals);
    int32_t whole = 0;
    if (ParseLong(QString::fromLatin1(in.data), whole))
        FUZZ_CHECK(NumText(whole) == QString::number(whole), "whole numbers write as digits");
    return 0;
}
