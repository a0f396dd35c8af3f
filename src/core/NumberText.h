#pragma once

#include <QString>
#include <cstdint>

// The program's one number format and its one rounding rule.
//
// NumText writes the general number format: the shortest decimal text with up to
// 15 significant digits, '.' as the decimal point, no exponent, no trailing zeros,
// '-' for negatives and "0" for zero. ParseNumber reads what NumText writes (plain
// decimal with sign, point and exponent; nothing else).

//
// When the 15 digits of a value next to the end of the double range round past
// the largest double, NumText writes the shortest plain decimal that reads back
// as exactly that value instead: every text it writes reads back as a number.
QString NumText(double value);

// Reads a number written in the general format. Leading and trailing blanks are
// allowed; anything else that is not part of a decimal number fails.
bool ParseNumber(const QString& text, double& value);

// Reads a whole number (optional sign, digits, surrounding blanks). Fails on
// anything else and on values outside the 32-bit range.
bool ParseLong(const QString& text, int32_t& value);

// Halves to the even neighbour: RoundHalfEven(2.5) == 2, RoundHalfEven(3.5) == 4.
double RoundHalfEven(double value);

// Rounded to d decimal places, halves to even, on the decimal value as the number
// text shows it (15 significant digits): 18 x 0.000125 is the tie 0.00225 and
// gives 0.0022, although its double lies a little above 0.00225. Values with no
// digits beyond the 15 at those places are returned unchanged.
double RoundHalfEven(double value, int decimals);

// Rounded to a 32-bit whole number, halves to even; saturates at the 32-bit bounds.
int32_t RoundToLong(double value);
