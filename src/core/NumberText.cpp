#include "core/NumberText.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// The shortest plain decimal text that reads back as exactly this value.
QString ExactText(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

QString FifteenDigitText(double value) {
    QString text = QString::number(value, 'g', 15);
    if (!text.contains(QLatin1Char('e'))) return text;

    // Exponent form: the same 15 significant digits, written as a plain decimal.
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    QString digits = scientific.left(e);
    digits.remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0'))) digits.chop(1);
    const int point = scientific.mid(e + 1).toInt() + 1;  // digits before the point
    if (point <= 0)
        text = QStringLiteral("0.") + QString(-point, QLatin1Char('0')) + digits;
    else if (point >= digits.size())
        text = digits + QString(point - digits.size(), QLatin1Char('0'));
    else
        text = digits.left(point) + QLatin1Char('.') + digits.mid(point);
    return value < 0 ? QLatin1Char('-') + text : text;
}

}  // namespace

QString NumText(double value) {
    if (value == 0.0 || !std::isfinite(value)) return QStringLiteral("0");
    const QString text = FifteenDigitText(value);
    // Within a 15-digit step of the double range's end the 15 digits round up
    // past the largest double, and the text would read back as no number.
    double back = 0;
    if (ParseNumber(text, back)) return text;
    return ExactText(value);
}

bool ParseNumber(const QString& text, double& value) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!pattern.match(text).hasMatch()) return false;
    bool ok = false;
    const double parsed = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool ParseLong(const QString& text, int32_t& value) {
    static const QRegularExpression pattern(QStringLiteral("^\\s*[+-]?\\d+\\s*$"));
    if (!pattern.match(text).hasMatch()) return false;
    bool ok = false;
    const qlonglong parsed = text.trimmed().toLongLong(&ok);
    if (!ok || parsed < std::numeric_limits<int32_t>::min() ||
        parsed > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

double RoundHalfEven(double value) {
    const double down = std::floor(value);
    const double diff = value - down;
    if (diff > 0.5) return down + 1.0;
    if (diff < 0.5) return down;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

double RoundHalfEven(double value, int decimals) {
    if (!std::isfinite(value) || value == 0.0) return value;
    // The decimal value as the number text shows it: 15 significant digits
    // d0.d1...d14 times 10^exponent. Scaling by 10^decimals in binary would turn
    // a decimal tie such as 18 x 0.000125 = 0.00225 into 22.500000000000004.
    constexpr int kDigits = 15;
    char text[64];
    const auto printed = std::to_chars(text, text + sizeof text, std::fabs(value),
                                       std::chars_format::scientific, kDigits - 1);
    char digits[kDigits];
    digits[0] = text[0];
    std::memcpy(digits + 1, text + 2, kDigits - 1);
    int exponent = 0;
    std::from_chars(text + kDigits + 2 + (text[kDigits + 2] == '+'), printed.ptr, exponent);

    // Digits at places 10^-decimals and above are kept; one more place in front
    // takes a carry.
    const long keep = long(exponent) + decimals + 1;
    if (keep >= kDigits) return value;  // nothing beyond the kept places
    if (keep < 0) return 0.0;           // below half of the last kept place
    char kept[kDigits + 1];
    kept[0] = '0';
    std::memcpy(kept + 1, digits, std::size_t(keep));
    const char next = digits[keep];
    bool restNonZero = false;
    for (long i = keep + 1; i < kDigits; ++i) restNonZero = restNonZero || digits[i] != '0';
    const bool lastOdd = (kept[keep] - '0') % 2 == 1;
    if (next > '5' || (next == '5' && (restNonZero || lastOdd))) {
        long i = keep;
        while (i > 0 && kept[i] == '9') kept[i--] = '0';
        ++kept[i];
    }
    // kept x 10^-decimals, read as the nearest double.
    char exact[64];
    std::memcpy(exact, kept, std::size_t(keep) + 1);
    const auto end = std::to_chars(exact + keep + 2, exact + sizeof exact, -decimals).ptr;
    exact[keep + 1] = 'e';
    double magnitude = 0;
    std::from_chars(exact, end, magnitude);
    return value < 0 && magnitude != 0 ? -magnitude : magnitude;
}

int32_t RoundToLong(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (rounded > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(rounded);
}
