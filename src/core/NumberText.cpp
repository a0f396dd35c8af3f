#include "core/NumberText.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

QString NumText(double value) {
    if (value == 0.0 || !std::isfinite(value)) return QStringLiteral("0");
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
    const double scale = std::pow(10.0, decimals);
    return RoundHalfEven(value * scale) / scale;
}

int32_t RoundToLong(double value) {
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (rounded > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(rounded);
}
