#include "mirror/ZoneGeometry.h"

#include <cmath>

#include "core/NumberText.h"
#include "mirror/ResultPaths.h"
#include "platform/TextFile.h"

namespace {

// The program has always used this 15-digit value of pi; the obstruction's area
// fraction (and so every zone edge) depends on it in the last digits.
constexpr double kPi = 3.14159265358979;

constexpr int kMaxPreviousLines = 51;

const QString kCrLfText = QStringLiteral("\r\n");

bool AllFinite(const ZoneTable& table) {
    for (int i = 1; i <= table.zones; ++i)
        if (!std::isfinite(table.inner[i]) || !std::isfinite(table.outer[i]) ||
            !std::isfinite(table.radius[i]))
            return false;
    return true;
}

}  // namespace

ZoneTableResult BuildZoneTable(double mirDiam, double obst, double roc, int32_t zones,
                               bool fixedSource) {
    ZoneTableResult result;
    if (zones < 1 || zones > kMaxZones) {
        result.reason = QStringLiteral("The number of zones is %1; it must be from 1 to %2.")
                            .arg(zones)
                            .arg(kMaxZones);
        return result;
    }
    if (mirDiam == 0) {
        result.reason = QStringLiteral("The mirror diameter is 0.");
        return result;
    }
    if (roc == 0) {
        result.reason = QStringLiteral("The radius of curvature is 0.");
        return result;
    }

    // Area fraction of the obstruction, held in single precision.
    const float r0 =
        static_cast<float>((kPi * std::pow(obst / 2, 2)) / (kPi * std::pow(mirDiam / 2, 2)));
    ZoneTable& table = result.table;
    table.zones = zones;
    for (int i = 1; i <= zones; ++i) {
        const double inner = std::pow(r0 + double(i - 1) / zones * (1 - double(r0)), 0.5);
        const double outer = std::pow(r0 + double(i) / zones * (1 - double(r0)), 0.5);
        table.inner[i] = inner;
        table.outer[i] = outer;
        // Mean and half-width are held in single precision.
        const float mean = static_cast<float>((outer + inner) / 2);
        const float half = static_cast<float>((outer - inner) / 2);
        table.radius[i] = std::pow(std::pow(double(half), 2) / 2 + std::pow(double(mean), 2), 0.5);
    }
    if (!std::isfinite(r0) || !AllFinite(table)) {
        result.table = ZoneTable();
        result.reason = QStringLiteral("The mirror diameter or obstruction is too large.");
        return result;
    }

    const int factor = fixedSource ? 2 : 1;
    const double semi = mirDiam / 2;
    const double h1 = semi * table.radius[1];
    QString text = kCrLfText + QStringLiteral("Use Zone data below for manual data reduction");
    text += kCrLfText + QStringLiteral("Zone\tInner\tOuter\tRadius\tPerf#") + kCrLfText;
    for (int i = 1; i <= zones; ++i) {
        const double h = semi * table.radius[i];
        // Taken to 3 decimals before the light-source factor.
        const double perfect = RoundHalfEven(h * h / (2 * roc) - h1 * h1 / (2 * roc), 3) * factor;
        if (!std::isfinite(perfect)) {
            result.table = ZoneTable();
            result.reason = QStringLiteral("The mirror is too large for its radius of curvature.");
            return result;
        }
        text += QString::number(i) + QLatin1Char('\t') + ZoneTableNumber(semi * table.inner[i]) +
                QLatin1Char('\t') + ZoneTableNumber(semi * table.outer[i]) + QLatin1Char('\t') +
                ZoneTableNumber(h) + QLatin1Char('\t') + NumText(perfect) + kCrLfText;
    }
    text += kCrLfText;
    text +=
        fixedSource
            ? QStringLiteral("Pefect Numbers are for a FIXED light Source and Parabolic Mirror!")
            : QStringLiteral("Pefect Numbers are for a MOVING light Source and Parabolic Mirror!");
    table.text = text;
    result.ok = true;
    return result;
}

QString ZoneTableNumber(double value) {
    // The text is cut before the rounding, so 123.4567 becomes 123.456.
    const QString cut = NumText(value).left(7);
    double number = 0;
    if (!ParseNumber(cut, number)) number = 0;
    return NumText(RoundHalfEven(number, 3));
}

QString CutPreviousReading(const QString& line) {
    QString text = line;
    const int length = int(text.size());
    // Positions are counted from 1 over the current (shortened) text; a match at
    // position j keeps the tail from the blank before the "=".
    for (int j = 1; j <= length; ++j) {
        if (text.mid(j - 1, 2) == QLatin1String("= ") && j >= 2) text = text.mid(j - 2);
    }
    return text;
}

QString PreviousReadingsText(const QStringList& fileLines, int64_t previousTest) {
    QStringList kept;
    for (const QString& line : fileLines) {
        if (line.isEmpty()) continue;
        kept.append(line);
        if (kept.size() == kMaxPreviousLines) break;
    }
    QString text = QStringLiteral("Previous Zone Readings from Test #") +
                   QString::number(previousTest) + QLatin1Char(':') + kCrLfText;
    for (int k = 1; k < kept.size(); ++k)
        text += QStringLiteral("Old Zone ") + QString::number(k) + CutPreviousReading(kept[k]) +
                kCrLfText;
    return text;
}

QString ReadPreviousReadings(const TestState& state) {
    const int64_t previous = int64_t(state.WorkNum) - 1;
    if (previous < INT32_MIN) return QString();
    const QString path =
        TextResultFilePath(state.textpath, state.WorkFile, static_cast<int32_t>(previous));
    if (path.isEmpty()) return QString();
    QStringList lines;
    if (!ReadTextLines(path, lines)) return QString();
    return PreviousReadingsText(lines, previous);
}

ZoneCalcResult ComputeZones(TestState& state, bool fixedSource) {
    ZoneCalcResult result;
    const ZoneTableResult built =
        BuildZoneTable(state.MirDiam, state.Obst, state.Roc, state.NZ, fixedSource);
    if (!built.ok) {
        result.reason = built.reason;
        return result;
    }
    const ZoneTable& table = built.table;
    for (int i = 1; i <= table.zones; ++i) {
        state.ZoneInner[i] = table.inner[i];
        state.ZoneOuter[i] = table.outer[i];
        state.ZoneRadius[i] = table.radius[i];
    }
    result.text2 = ReadPreviousReadings(state) + table.text;
    result.ok = true;
    return result;
}
