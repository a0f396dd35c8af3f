#include "mirror/MirrorProfile.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>
#include <limits>

#include "core/NumberText.h"
#include "mirror/MirrorName.h"
#include "mirror/ResultPaths.h"
#include "mirror/ZoneGeometry.h"
#include "platform/TextFile.h"

namespace {

constexpr int kProfileLines = 7;
constexpr qint64 kMaxProfileBytes = 64 * 1024;

const char* const kLineNames[kProfileLines + 1] = {
    "",
    "name",
    "mirror diameter",
    "radius of curvature",
    "conic constant",
    "obstruction diameter",
    "number of zones",
    "number of the next test",
};

QString LineLabel(int line) {
    return QStringLiteral("Line %1 (%2)").arg(line).arg(QLatin1String(kLineNames[line]));
}

QString Quoted(const QString& text) {
    const int shown = 20;
    return QLatin1Char('"') +
           (text.size() > shown ? text.left(shown) + QStringLiteral("...") : text) +
           QLatin1Char('"');
}

// A numeric line: absent lines give 0, present ones must be numbers.
bool TakeNumber(const QStringList& lines, int line, double& value, QString& reason) {
    value = 0;
    if (line > lines.size()) return true;
    const QString& text = lines[line - 1];
    if (!ParseNumber(text, value)) {
        reason = LineLabel(line) + QStringLiteral(" is not a number: ") + Quoted(text) +
                 QLatin1Char('.');
        return false;
    }
    return true;
}

// A whole-number line, nearest value with halves to even, within the test
// numbers a profile may hold.
bool TakeWhole(const QStringList& lines, int line, int32_t& value, QString& reason) {
    double number = 0;
    if (!TakeNumber(lines, line, number, reason)) return false;
    const double rounded = RoundHalfEven(number);
    if (!(rounded >= kMinTestNumber && rounded <= kMaxTestNumber)) {
        reason = LineLabel(line) + QStringLiteral(" is out of range: ") + Quoted(lines[line - 1]) +
                 QLatin1Char('.');
        return false;
    }
    value = static_cast<int32_t>(rounded);
    return true;
}

}  // namespace

ProfileLoad ParseMirrorProfile(const QStringList& lines) {
    ProfileLoad load;
    QStringList used = lines;
    while (used.size() > kProfileLines && used.last().trimmed().isEmpty()) used.removeLast();
    if (used.isEmpty()) {
        load.reason = QStringLiteral("The profile file is empty.");
        return load;
    }
    if (used.size() > kProfileLines) {
        load.reason =
            QStringLiteral("The profile file has %1 lines; a profile has seven.").arg(used.size());
        return load;
    }

    MirrorProfile& p = load.profile;
    p.WorkFile = used[0];
    const QString nameProblem = ProfileNameProblem(p.WorkFile);
    if (!nameProblem.isEmpty()) {
        load.reason = LineLabel(1) + QStringLiteral(": ") + nameProblem;
        return load;
    }
    if (!TakeNumber(used, 2, p.MirDiam, load.reason) || !TakeNumber(used, 3, p.Roc, load.reason) ||
        !TakeNumber(used, 4, p.CC, load.reason) || !TakeNumber(used, 5, p.Obst, load.reason) ||
        !TakeWhole(used, 6, p.NZ, load.reason) || !TakeWhole(used, 7, p.WorkNum, load.reason))
        return load;

    // The values must give a zone table for either light source: a fixed one
    // doubles the perfect readings, which may overflow where the single ones
    // do not.
    for (const bool fixedSource : {false, true}) {
        const ZoneTableResult zones = BuildZoneTable(p.MirDiam, p.Obst, p.Roc, p.NZ, fixedSource);
        if (!zones.ok) {
            load.reason = zones.reason;
            return load;
        }
    }
    load.ok = true;
    return load;
}

ProfileLoad ReadMirrorProfile(const QString& name) {
    ProfileLoad load;
    const QString problem = ProfileNameProblem(name);
    if (!problem.isEmpty()) {
        load.reason = problem;
        return load;
    }
    const QString path = MirrorProfilePath(name);
    if (!QFileInfo(path).isFile()) {
        load.reason = QStringLiteral("There is no profile file mirrors/%1.ini.").arg(name);
        return load;
    }
    QStringList lines;
    if (!ReadTextLines(path, lines, kMaxProfileBytes)) {
        load.reason = QStringLiteral("The profile file mirrors/%1.ini cannot be read.").arg(name);
        return load;
    }
    return ParseMirrorProfile(lines);
}

void StoreProfile(TestState& state, const MirrorProfile& profile) {
    state.WorkFile = profile.WorkFile;
    state.MirDiam = profile.MirDiam;
    state.Roc = profile.Roc;
    state.CC = profile.CC;
    state.Obst = profile.Obst;
    state.NZ = profile.NZ;
    state.WorkNum = profile.WorkNum;
}

MirrorProfile ProfileOfState(const TestState& state) {
    MirrorProfile profile;
    profile.WorkFile = state.WorkFile;
    profile.MirDiam = state.MirDiam;
    profile.Roc = state.Roc;
    profile.CC = state.CC;
    profile.Obst = state.Obst;
    profile.NZ = state.NZ;
    profile.WorkNum = state.WorkNum;
    return profile;
}

QStringList MirrorProfileLines(const TestState& state) {
    return {state.WorkFile,      NumText(state.MirDiam), NumText(state.Roc),    NumText(state.CC),
            NumText(state.Obst), NumText(state.NZ),      NumText(state.WorkNum)};
}

bool WriteMirrorProfile(const QString& name, const QStringList& lines, QString* error) {
    const QString problem = ProfileNameProblem(name);
    if (!problem.isEmpty()) {
        if (error) *error = problem;
        return false;
    }
    QDir().mkpath(MirrorsFolder());
    return WriteTextLines(MirrorProfilePath(name), lines, error);
}

QString ProfileNotSavedText(const QString& name, const QString& error) {
    const QString path = MirrorProfilePath(name);
    return QStringLiteral("The mirror profile could not be saved as:\r\n%1\r\n%2")
        .arg(path.isEmpty() ? name : path, error);
}

bool MirrorProfileExists(const QString& name) {
    const QString path = MirrorProfilePath(name);
    return !path.isEmpty() && QFileInfo::exists(path);
}
