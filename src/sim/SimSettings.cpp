#include "sim/SimSettings.h"

#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <variant>
#include <vector>

#include "core/NumberText.h"
#include "platform/TextFile.h"

namespace {

using Field = std::variant<double SimSettings::*, int SimSettings::*, bool SimSettings::*>;

struct Entry {
    const char* name;
    Field field;
};

// The file's lines, in this order.
const Entry kEntries[] = {
    {"MirrorDiameter", &SimSettings::mirrorDiameter},
    {"RadiusOfCurvature", &SimSettings::radiusOfCurvature},
    {"ConicConstant", &SimSettings::conicConstant},
    {"EdgeHeight", &SimSettings::edgeHeight},
    {"EdgeZone", &SimSettings::edgeZone},
    {"SlitWidth", &SimSettings::slitWidth},
    {"FixedSource", &SimSettings::fixedSource},
    {"Separation", &SimSettings::separation},
    {"KnifeRight", &SimSettings::knifeRight},
    {"CentreX", &SimSettings::centreX},
    {"CentreY", &SimSettings::centreY},
    {"RadiusPixels", &SimSettings::radiusPixels},
    {"Background", &SimSettings::background},
    {"Dark", &SimSettings::dark},
    {"Peak", &SimSettings::peak},
    {"NoiseSigma", &SimSettings::noiseSigma},
    {"DriftX", &SimSettings::driftX},
    {"DriftY", &SimSettings::driftY},
    {"FrameRate", &SimSettings::frameRate},
    {"KnifeStart", &SimSettings::knifeStart},
    {"PlatformStart", &SimSettings::platformStart},
    {"KnifeTravel", &SimSettings::knifeTravel},
    {"PlatformTravel", &SimSettings::platformTravel},
    {"KnifeHighNibble", &SimSettings::knifeHighNibble},
    {"ActiveLow", &SimSettings::activeLow},
    {"KnifeReversed", &SimSettings::knifeReversed},
    {"PlatformReversed", &SimSettings::platformReversed},
};

bool Within(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

QString ValueText(const SimSettings& s, const Field& field) {
    if (auto d = std::get_if<double SimSettings::*>(&field)) return NumText(s.**d);
    if (auto i = std::get_if<int SimSettings::*>(&field)) return NumText(s.**i);
    return s.*std::get<bool SimSettings::*>(field) ? QStringLiteral("True")
                                                   : QStringLiteral("False");
}

// The value of one line into its field; a text that does not convert leaves s
// as it was.
bool ReadValue(SimSettings& s, const Field& field, const QString& text) {
    if (auto d = std::get_if<double SimSettings::*>(&field)) return ParseNumber(text, s.**d);
    if (auto i = std::get_if<int SimSettings::*>(&field)) {
        int32_t value = 0;
        if (!ParseLong(text, value)) return false;
        s.** i = value;
        return true;
    }
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        s.*std::get<bool SimSettings::*>(field) = true;
    else if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        s.*std::get<bool SimSettings::*>(field) = false;
    else
        return false;
    return true;
}

// The settings as their file text reads them back (numbers to 15 digits).
SimSettings AsWritten(const SimSettings& s) {
    SimSettings written = s;
    for (const Entry& entry : kEntries)
        if (auto d = std::get_if<double SimSettings::*>(&entry.field)) {
            double back = 0;
            if (ParseNumber(NumText(s.**d), back)) written.** d = back;
        }
    return written;
}

QString Problem(const SimSettings& s) {
    using namespace SimLimits;
    if (!Within(s.mirrorDiameter, 0.1, kMaxDiameter))
        return QStringLiteral("The mirror diameter must lie between 0.1 and %1 inches.")
            .arg(kMaxDiameter);
    if (!Within(s.conicConstant, -kMaxConic, kMaxConic))
        return QStringLiteral("The conic constant must lie between -%1 and %1.").arg(kMaxConic);
    const double a = s.mirrorDiameter / 2;
    // The sag's square root R^2 - (1 + K) r^2 must stay clear of 0 out to the
    // rim: at 0 the surface turns parallel to the axis and the slope is infinite.
    // At least a^2 keeps the rim's slope within 45 degrees.
    if (!std::isfinite(s.radiusOfCurvature) || s.radiusOfCurvature <= 0 ||
        s.radiusOfCurvature < s.mirrorDiameter ||
        s.radiusOfCurvature * s.radiusOfCurvature - (1 + s.conicConstant) * a * a < a * a)
        return QStringLiteral(
            "The radius of curvature must be at least the diameter and fit the conic "
            "constant over the whole mirror: R\u00b2 must be at least (2 + K) times the "
            "square of half the diameter, so the rim slopes less than 45 degrees.");
    if (!Within(s.edgeHeight, -kMaxEdgeHeight, kMaxEdgeHeight))
        return QStringLiteral("The turned edge must be within %1 inches.").arg(kMaxEdgeHeight);
    if (!Within(s.edgeZone, 0.01, 1))
        return QStringLiteral("The turned edge must cover between 0.01 and 1 of the radius.");
    if (!Within(s.slitWidth, 0.00001, kMaxSlitWidth))
        return QStringLiteral("The slit width must lie between 0.00001 and %1 inches.")
            .arg(kMaxSlitWidth);
    if (!Within(s.separation, 0, kMaxSeparation))
        return QStringLiteral("The separation must lie between 0 and %1 inches.")
            .arg(kMaxSeparation);
    if (!Within(s.centreX, -1000, 1000) || !Within(s.centreY, -1000, 1000))
        return QStringLiteral("The picture centre must lie between -1000 and 1000 pixels.");
    if (!Within(s.radiusPixels, 1, kMaxRadiusPixels))
        return QStringLiteral(
                   "The mirror's radius in the picture must lie between 1 and %1 "
                   "pixels.")
            .arg(kMaxRadiusPixels);
    for (int level : {s.background, s.dark, s.peak})
        if (level < 0 || level > 255)
            return QStringLiteral("Background, dark and peak levels must lie between 0 and 255.");
    if (!Within(s.noiseSigma, 0, kMaxNoise))
        return QStringLiteral("The noise must lie between 0 and %1 levels.").arg(kMaxNoise);
    if (!Within(s.driftX, -kMaxDrift, kMaxDrift) || !Within(s.driftY, -kMaxDrift, kMaxDrift))
        return QStringLiteral("The drift must lie between -%1 and %1 pixels a minute.")
            .arg(kMaxDrift);
    // A paced grab waits one frame time: below one frame a second a grab would
    // hold the program for longer than a camera ever does.
    if (!(s.frameRate == 0 || Within(s.frameRate, kMinFrameRate, kMaxFrameRate)))
        return QStringLiteral(
                   "The frame rate must be 0 (no pacing) or lie between %1 and %2 a second.")
            .arg(kMinFrameRate)
            .arg(kMaxFrameRate);
    if (!Within(s.knifeStart, -kMaxKnifeStart, kMaxKnifeStart))
        return QStringLiteral("The knife's start must lie within %1 inch of the source image.")
            .arg(kMaxKnifeStart);
    if (!Within(s.platformStart, -kMaxPlatformStart, kMaxPlatformStart))
        return QStringLiteral(
                   "The platform's start must lie within %1 inches of the centre "
                   "of curvature.")
            .arg(kMaxPlatformStart);
    if (!Within(s.knifeTravel, kMinTravel, kMaxTravel) ||
        !Within(s.platformTravel, kMinTravel, kMaxTravel))
        return QStringLiteral("The travel per half step must lie between %1 and %2 inches.")
            .arg(NumText(kMinTravel), NumText(kMaxTravel));
    return QString();
}

}  // namespace

QString SimSettingsProblem(const SimSettings& s) {
    const QString problem = Problem(s);
    if (!problem.isEmpty()) return problem;
    // A value on the edge of a limit may cross it in the file's 15 digits: the
    // file written from accepted settings must be accepted when read back.
    return Problem(AsWritten(s));
}

QStringList SimSettingsLines(const SimSettings& settings) {
    QStringList lines;
    for (const Entry& entry : kEntries)
        lines << QLatin1String(entry.name) + QLatin1Char('=') + ValueText(settings, entry.field);
    return lines;
}

bool ParseSimSettings(const QStringList& lines, SimSettings& settings) {
    QList<SimSettingsIssue> issues;
    const SimSettings read = ReadSimSettings(lines, issues);
    if (!issues.isEmpty()) return false;
    settings = read;
    return true;
}

SimSettings ReadSimSettings(const QStringList& lines, QList<SimSettingsIssue>& issues) {
    issues.clear();
    // The lines whose value converts, in file order.
    struct Value {
        int line;
        const Entry* entry;
        QString text;
    };
    std::vector<Value> values;
    SimSettings all;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty()) continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            issues.push_back({i + 1, line, QStringLiteral("it is not of the form Name=value.")});
            continue;
        }
        const QString name = line.left(eq).trimmed();
        const auto entry =
            std::find_if(std::begin(kEntries), std::end(kEntries), [&](const Entry& e) {
                return name.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0;
            });
        if (entry == std::end(kEntries)) continue;
        const QString text = line.mid(eq + 1);
        if (!ReadValue(all, entry->field, text)) {
            const bool flag = std::holds_alternative<bool SimSettings::*>(entry->field);
            issues.push_back({i + 1, line,
                              flag ? QStringLiteral("the value is not True or False.")
                                   : QStringLiteral("the value is not a number.")});
            continue;
        }
        values.push_back({i + 1, entry, text});
    }
    if (SimSettingsProblem(all).isEmpty()) return all;

    // Some values don't go together: take them one by one from the defaults, each
    // that the checks accept beside those taken so far, until no more can be
    // taken (a value may only fit once a later line is in). The last pass tries
    // each value left beside the final settings: its refusal there is the reason
    // the value was not used.
    SimSettings sound;
    std::vector<bool> taken(values.size(), false);
    std::vector<QString> why(values.size());
    for (bool more = true; more;) {
        more = false;
        for (size_t k = 0; k < values.size(); ++k) {
            if (taken[k]) continue;
            SimSettings candidate = sound;
            ReadValue(candidate, values[k].entry->field, values[k].text);
            why[k] = SimSettingsProblem(candidate);
            if (!why[k].isEmpty()) continue;
            sound = candidate;
            taken[k] = more = true;
        }
    }
    for (size_t k = 0; k < values.size(); ++k)
        if (!taken[k]) issues.push_back({values[k].line, lines[values[k].line - 1], why[k]});
    std::sort(issues.begin(), issues.end(),
              [](const SimSettingsIssue& a, const SimSettingsIssue& b) { return a.line < b.line; });
    return sound;
}

bool LoadSimSettings(const QString& path, SimSettings& settings, QStringList* report) {
    settings = SimSettings();
    if (!QFileInfo::exists(path)) return false;
    QStringList lines;
    if (!ReadTextLines(path, lines, 64 * 1024)) {
        if (report)
            *report << QStringLiteral("%1 could not be read; the simulator uses its defaults.")
                           .arg(path);
        return false;
    }
    QList<SimSettingsIssue> issues;
    settings = ReadSimSettings(lines, issues);
    if (report)
        for (const SimSettingsIssue& issue : issues)
            *report << QStringLiteral("%1, line %2 \"%3\" was not used: %4")
                           .arg(path)
                           .arg(issue.line)
                           .arg(issue.text, issue.why);
    return issues.isEmpty();
}

bool SaveSimSettings(const QString& path, const SimSettings& settings, QString* error) {
    return WriteTextLines(path, SimSettingsLines(settings), error);
}
