#include "app/Settings.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <utility>
#include <vector>

#include "autotest/MoveSizes.h"
#include "core/NumberText.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace {

QString BoolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}
QString LongText(int32_t value) {
    return NumText(value);
}

// "True" or "False", in any letter case, with surrounding blanks allowed.
bool ReadBool(const QString& text, bool& value) {
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    return false;
}

bool ReadLongIn(const QString& text, int32_t low, int32_t high, int32_t& value) {
    int32_t v = 0;
    if (!ParseLong(text, v)) return false;
    value = std::clamp(v, low, high);
    return true;
}

// A step size must be a positive distance (every move count and position
// display divides by it) that a tester's drive makes. Why a number is refused
// goes to why.
bool ReadStepSize(const QString& text, double& value, const QString& name, QString& why) {
    double v = 0;
    if (!ParseNumber(text, v) || !(v > 0)) return false;
    why = HalfStepProblem(name, v);
    if (!why.isEmpty()) return false;
    value = v;
    return true;
}

// A move of the automated test: a whole number no longer than a tester travels.
bool ReadMove(const QString& text, int32_t& value, const QString& name, QString& why) {
    int32_t v = 0;
    if (!ParseLong(text, v)) return false;
    why = MoveSizeProblem(name, v);
    if (!why.isEmpty()) return false;
    value = v;
    return true;
}

bool IsLineBreakOrNul(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0);
}

// Captions and folders are the text itself, whatever characters it holds (the
// reader has already taken bytes that are not UTF-8 as Latin-1). Only a line
// break or a NUL, which no caption or folder of this program holds, is refused.
// A mirror name from these lines meets the name rules when it is chosen.
bool ReadText(const QString& text, QString& value) {
    if (std::any_of(text.begin(), text.end(), IsLineBreakOrNul)) return false;
    value = text;
    return true;
}

// A caption or folder as one line: a line break or NUL inside it would move
// every later line of the file, so the text ends before the first of them.
QString TextLine(const QString& text) {
    const auto end = std::find_if(text.begin(), text.end(), IsLineBreakOrNul);
    return text.left(end - text.begin());
}

QString JoinFolder(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

}  // namespace

bool MirrorEntryVisible(const QString& caption) {
    return !caption.isEmpty() && caption != QLatin1String(kUnusedMirrorCaption);
}

QString DoubleSettingText(double value) {
    const QString general = NumText(value);
    double back = 0;
    if (ParseNumber(general, back) && back == value) return general;
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) return general;
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

QString SettingsFilePath(const QString& appPath) {
    return ResolvePath(appPath, QLatin1String(kSettingsFileName));
}

QString SettingsBackupPath(const QString& settingsPath) {
    return settingsPath + QStringLiteral(".bak");
}

bool ReadSettingsFile(const QString& path, QStringList& lines) {
    return ReadTextLines(path, lines, kSettingsMaxBytes, kSettingsLineCount);
}

QStringList BuildSettingsLines(const TestState& s, const ControlSettings& c) {
    QStringList lines;
    lines << BoolText(c.mnuinvert) << TextLine(c.mnuLRswapCaption) << BoolText(c.mnuLRswap)
          << TextLine(c.mnuTFswapCaption) << BoolText(c.mnuTFswap) << BoolText(c.mnuSwapMotors)
          << DoubleSettingText(s.StepSize) << BoolText(s.Metric) << BoolText(s.KnifeRight)
          << BoolText(c.MnuFixed) << TextLine(s.FigurePath) << TextLine(s.Sixtestspath)
          << TextLine(s.textpath) << BoolText(s.Savefigure) << BoolText(s.SaveSixtests)
          << BoolText(s.Savetext) << BoolText(s.LaunchFigure) << BoolText(s.LaunchSixtests)
          << LongText(c.Maxdelay) << LongText(c.Mindelay) << LongText(c.sldAcell);
    for (int i = 1; i <= kRecentMirrors; ++i) lines << TextLine(c.Mnu[i]);
    lines << LongText(s.Max) << LongText(s.Min) << LongText(c.Save_picture) << LongText(s.Reps)
          << LongText(s.VidSource) << BoolText(s.ShowDebug) << BoolText(s.ShowMoreText)
          << BoolText(s.Launch3d) << LongText(s.LRMinFrames) << LongText(s.LRDelta)
          << LongText(s.LRSmMove) << LongText(s.LRLgMove) << LongText(s.TFRoughFrames)
          << LongText(s.TFOblatedelta) << LongText(s.TFOblateMove) << LongText(s.TFRoughDelta)
          << LongText(s.TFRoughMove) << LongText(s.TFFinalFrames) << LongText(s.TFFinalMoves)
          << DoubleSettingText(s.LRStepSize);
    return lines;
}

SettingsLoadOutcome ApplySettingsLines(bool fileRead, const QStringList& lines, TestState& s,
                                       ControlSettings& c, const QString& appPath) {
    SettingsLoadOutcome outcome;
    // Line n (1..51) of the file; a line the file does not have reads as empty,
    // and lines after the 51st are ignored.
    auto line = [&lines](int n) { return n - 1 < lines.size() ? lines[n - 1] : QString(); };

    using Step = std::pair<int, std::function<bool(const QString&)>>;
    auto runUntilFailure = [&](const std::vector<Step>& steps) {
        for (const auto& [n, apply] : steps)
            if (!apply(line(n))) return n;
        return 0;
    };

    // Zone 1: any failure abandons the rest of the file.
    bool zone1Ok = fileRead;
    if (fileRead) {
        std::vector<Step> zone1 = {
            {1, [&](const QString& t) { return ReadBool(t, c.mnuinvert); }},
            {2, [&](const QString& t) { return ReadText(t, c.mnuLRswapCaption); }},
            {3, [&](const QString& t) { return ReadBool(t, c.mnuLRswap); }},
            {4, [&](const QString& t) { return ReadText(t, c.mnuTFswapCaption); }},
            {5, [&](const QString& t) { return ReadBool(t, c.mnuTFswap); }},
            {6, [&](const QString& t) { return ReadBool(t, c.mnuSwapMotors); }},
            {7,
             [&](const QString& t) {
                 return ReadStepSize(t, s.StepSize, QStringLiteral("StepSize"),
                                     outcome.failedReason);
             }},
            {51,
             [&](const QString& t) {
                 return ReadStepSize(t, s.LRStepSize, QStringLiteral("LRStepSize"),
                                     outcome.failedReason);
             }},
            {8, [&](const QString& t) { return ReadBool(t, s.Metric); }},
            {9, [&](const QString& t) { return ReadBool(t, s.KnifeRight); }},
            {10, [&](const QString& t) { return ReadBool(t, c.MnuFixed); }},
            {11, [&](const QString& t) { return ReadText(t, s.FigurePath); }},
            {12, [&](const QString& t) { return ReadText(t, s.Sixtestspath); }},
            {13, [&](const QString& t) { return ReadText(t, s.textpath); }},
            {14, [&](const QString& t) { return ReadBool(t, s.Savefigure); }},
            {15, [&](const QString& t) { return ReadBool(t, s.SaveSixtests); }},
            {16, [&](const QString& t) { return ReadBool(t, s.Savetext); }},
            {17, [&](const QString& t) { return ReadBool(t, s.LaunchFigure); }},
            {18, [&](const QString& t) { return ReadBool(t, s.LaunchSixtests); }},
            {19,
             [&](const QString& t) {
                 return ReadLongIn(t, kMaxdelayMin, kMaxdelayMax, c.Maxdelay);
             }},
            {20,
             [&](const QString& t) {
                 return ReadLongIn(t, kMindelayMin, kMindelayMax, c.Mindelay);
             }},
            {21, [&](const QString& t) { return ReadLongIn(t, kAcellMin, kAcellMax, c.sldAcell); }},
        };
        for (int i = 1; i <= kRecentMirrors; ++i)
            zone1.push_back({21 + i, [&c, i](const QString& t) { return ReadText(t, c.Mnu[i]); }});
        zone1.push_back({32, [&](const QString& t) { return ReadLongIn(t, 0, 255, s.Max); }});
        zone1.push_back({33, [&](const QString& t) { return ReadLongIn(t, 0, 255, s.Min); }});
        outcome.failedLine = runUntilFailure(zone1);
        zone1Ok = outcome.failedLine == 0;
    }

    bool loaded = false;
    if (zone1Ok) {
        // Zone 2: a bad line keeps only its own setting unchanged.
        int32_t v = 0;
        if (ParseLong(line(34), v) && (v == 0 || v == 1)) c.Save_picture = v;
        ReadLongIn(line(35), 0, kMaxReps, s.Reps);
        if (ParseLong(line(36), v) && v >= 0) s.VidSource = v;
        if (line(37).isEmpty())
            s.ShowDebug = true;
        else
            ReadBool(line(37), s.ShowDebug);
        ReadBool(line(38), s.ShowMoreText);
        ReadBool(line(39), s.Launch3d);

        // Zone 3: the auto-test variables; a failure stops here.
        auto whole = [](int32_t& target) {
            return [&target](const QString& t) { return ParseLong(t, target); };
        };
        auto move = [&outcome](int32_t& target, const char* name) {
            return [&target, &outcome, name](const QString& t) {
                return ReadMove(t, target, QLatin1String(name), outcome.failedReason);
            };
        };
        const std::vector<Step> zone3 = {
            {40, whole(s.LRMinFrames)},
            {41, whole(s.LRDelta)},
            {42, move(s.LRSmMove, "LRSmMove")},
            {43, move(s.LRLgMove, "LRLgMove")},
            {44, whole(s.TFRoughFrames)},
            {45, whole(s.TFOblatedelta)},
            {46, move(s.TFOblateMove, "TFOblateMove")},
            {47, whole(s.TFRoughDelta)},
            {48, move(s.TFRoughMove, "TFRoughMove")},
            // The final frame count bounds the frame history of the measurement.
            {49, [&](const QString& t) { return ReadLongIn(t, 0, kMaxFrames, s.TFFinalFrames); }},
            {50, move(s.TFFinalMoves, "TFFinalMoves")},
        };
        outcome.failedLine = runUntilFailure(zone3);
        loaded = outcome.failedLine == 0;
    } else {
        // Recovery 1: defaults for what a first run needs.
        outcome.recovery1 = true;
        s.WaitForIt = true;
        if (s.StepSize == 0) s.StepSize = 0.000125;
        if (s.LRStepSize == 0) s.LRStepSize = 0.000125;
        if (s.textpath.isEmpty()) s.textpath = JoinFolder(appPath, QStringLiteral("TestResults"));
        s.Savetext = true;
        if (s.Min == 0) {
            s.Min = 30;
            s.Max = 60;
        }
    }

    if (!loaded) {
        // Recovery 2.
        outcome.autoTestMessage = !s.WaitForIt;
        s.ShowDebug = true;
    }
    outcome.loaded = loaded;
    s.units = UnitMark(s.Metric);
    return outcome;
}
