#include "autotest/AutoTest.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "autotest/HalfStep.h"
#include "autotest/MoveSizes.h"
#include "autotest/ZoneNullSearch.h"
#include "core/NumberText.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace {

const QString kCrLfText = QStringLiteral("\r\n");

int ZonesOf(const TestState& s) {
    return std::clamp<int32_t>(s.NZ, 0, kMaxZones);
}

// After a run both axes go back to position 0: the platform first, then the knife.
// False when Abort or the closing program stopped the rewind.
bool RewindAxes(TestState& s, AutoTestHost& host) {
    const int platform = s.Ypos > 0 ? -1 : 1;
    LogLine(host, QStringLiteral("Rewinding ") + QString::number(s.Ypos) +
                      QStringLiteral(" Steps to ") + QString::number(platform) +
                      QStringLiteral("steps"));
    host.DoEvents();
    if (!HalfSteps(s, host, Axis::ToFrom, platform, std::llabs(int64_t{s.Ypos}))) return false;
    const int knife = s.Xpos > 0 ? -1 : 1;
    return HalfSteps(s, host, Axis::Knife, knife, std::llabs(int64_t{s.Xpos}));
}

// The log goes to the debug log while the debug display is on; either way the log
// box is emptied. A log that cannot be written is skipped.
void FlushLog(const TestState& s, AutoTestHost& host) {
    if (s.ShowDebug) AppendText(DebugLog(), host.Text1() + kCrLfText);
    host.SetText1(QString());
}

void EndTest(TestState& s, AutoTestHost& host, int64_t start) {
    s.TestStatus =
        host.AbortChecked() ? QStringLiteral("Test Aborted!") : QStringLiteral("Test Complete! :)");
    host.GrabStillFrame();
    host.MeasureZones();
    host.SetMirRadFlag(true);
    host.WriteDataPort(AllOffByte(host.Wiring().invert));
    if (s.ClosingDown) host.UnloadMainWindow();
    s.Manual = true;
    host.SetTestButtonsEnabled(true);
    host.SetTimerEnabled(true);

    const int64_t end = host.QueryPerformanceCounter();
    s.QpcLast = host.QueryPerformanceCounter();
    const double seconds =
        s.QpcFrequency > 0 ? static_cast<double>(end - start) / s.QpcFrequency : 0.0;
    const QString elapsed = ElapsedTimeLine(seconds);
    host.SetText2(elapsed + host.Text2());
    host.SetText1(elapsed + host.Text1() + host.Text2());

    host.SetTrackingChecked(false);
    if (!host.AbortChecked()) host.PlaySoundSync(EndSound());
    if (!host.AbortChecked() && !s.ClosingDown && s.ZoneOn) {
        // Reps and NZ as the test started with them: the main window holds what
        // changes them until the test and its save have ended.
        if (s.Reps > 0) {
            s.TestStdDev = TestSpread(s, ZonesOf(s), s.Reps);
            const QString line = SpreadLine(s.TestStdDev, s.units);
            host.SetText1(line + host.Text1());
            host.SetText2(line + host.Text2());
            // Kept in millimetres for the result files either way.
            if (!s.Metric) s.TestStdDev *= 25.4;
        } else {
            s.TestStdDev = 0.01;
        }
        s.Readings = ReadingsOrigin{s.ZoneTable, s.WorkFile, 0, {}};
        host.SaveData();
    }
    FlushLog(s, host);
    s.QpcNow = host.QueryPerformanceCounter();
    host.SetPicture3Visible(true);
    host.FormResize();
}

}  // namespace

QString DebugLog() {
    return ResolvePath(AppPath(), QStringLiteral("Debug.txt"));
}

QString ZoneSound(int zone) {
    return ResolvePath(AppPath(),
                       QStringLiteral("Sound/Z") + QString::number(zone) + QStringLiteral(".wav"));
}

QString EndSound() {
    return ResolvePath(AppPath(), QStringLiteral("Sound/transpec.wav"));
}

QString ElapsedTimeLine(double seconds) {
    const auto t = static_cast<int64_t>(RoundHalfEven(seconds));
    return QStringLiteral("Elapsed Test Time, ") + QString::number(t / 60) +
           QStringLiteral(" Minutes ") + QString::number(t % 60) + QStringLiteral(" seconds") +
           kCrLfText;
}

double TestSpread(const TestState& s, int zones, int reps) {
    zones = std::min(zones, kMaxZones);
    reps = std::min(reps, kMaxReps);
    if (zones < 1 || reps < 1) return 0.0;
    double total = 0;
    for (int zone = 1; zone <= zones; ++zone) {
        double sum = 0;
        for (int run = 0; run <= reps; ++run) sum += s.ZoneResults[run][zone];
        const double mean = sum / (reps + 1);
        double squares = 0;
        for (int run = 0; run <= reps; ++run) {
            const double d = mean - s.ZoneResults[run][zone];
            squares += d * d;
        }
        total += std::sqrt(squares / reps);
    }
    return total / zones;
}

QString SpreadLine(double spread, const QString& units) {
    return QStringLiteral("Standard Deviation for this test was: ") +
           NumText(RoundHalfEven(spread, 5)) + units + kCrLfText;
}

QString IntensityWindowProblem(int32_t max, int32_t min) {
    // A window the zone values (0 to 255) can never sit inside moves the knife at
    // every chance, and the frame count never reaches the platform rules.
    if (max > min && max >= 0 && min <= 255) return QString();
    return QStringLiteral(
               "Max is %1 and Min %2; Max must be above Min, inside 0 to 255, or no zone can "
               "end.")
        .arg(max)
        .arg(min);
}

QString AutoTestSettingsProblem(const TestState& s) {
    QStringList problems;
    if (s.NZ < 1 || s.NZ > kMaxZones)
        problems
            << QStringLiteral("The mirror has %1 zones; a test reads 1 to 16 zones.").arg(s.NZ);
    if (s.Reps < 0 || s.Reps > kMaxReps)
        problems << QStringLiteral(
                        "Reps is %1; a test takes 1 to 4 sets of readings (Reps 0 to 3).")
                        .arg(s.Reps);
    if (s.TFFinalFrames < 1 || s.TFFinalFrames > kMaxFrames)
        problems << QStringLiteral("TFFinalFrames is %1; it must be 1 to 30 frames.")
                        .arg(s.TFFinalFrames);
    // The null is only looked for after the platform's turn, which the oblate
    // search finds past TFRoughFrames: with no frame left after it every zone
    // runs out of frames and the test would end with nothing but zeros.
    if (s.TFFinalFrames <= s.TFRoughFrames)
        problems << QStringLiteral(
                        "TFFinalFrames is %1 and TFRoughFrames %2; TFFinalFrames must be above "
                        "TFRoughFrames, or no zone can find its null.")
                        .arg(s.TFFinalFrames)
                        .arg(s.TFRoughFrames);
    if (const QString window = IntensityWindowProblem(s.Max, s.Min); !window.isEmpty())
        problems << window;
    // A move of 0 restarts the zone's frame count without moving: the knife, or the
    // platform, stays where it is and the zone never ends. The large knife move is
    // the first one of a test, made while the knife is still backed out.
    QStringList unset;
    const std::pair<const char*, int32_t> moves[] = {{"LRSmMove", s.LRSmMove},
                                                     {"LRLgMove", s.LRLgMove},
                                                     {"TFOblateMove", s.TFOblateMove},
                                                     {"TFRoughMove", s.TFRoughMove},
                                                     {"TFFinalMoves", s.TFFinalMoves}};
    for (const auto& [name, value] : moves)
        if (value < 1) unset << QStringLiteral("%1 = %2").arg(QLatin1String(name)).arg(value);
    if (!unset.isEmpty())
        problems << QStringLiteral(
                        "Every move must be at least 1 half step, or no zone can end: ") +
                        unset.join(QStringLiteral(", ")) + QLatin1Char('.');
    // A move longer than a tester travels would run its half steps for hours.
    for (const auto& [name, value] : moves)
        if (QString far = MoveSizeProblem(QLatin1String(name), value); !far.isEmpty())
            problems << far;
    return problems.join(kCrLfText);
}

AutoTestOutcome Command3_Click(TestState& s, AutoTestHost& host) {
    return RunAutoTest(s, host, s.KnifeRight);
}

AutoTestOutcome RunAutoTest(TestState& s, AutoTestHost& host, bool knifeRight) {
    if (!s.ZoneOn) {
        host.ShowMessage(QStringLiteral("Please setup zones first ;)"), MsgButtons::OK,
                         MsgIcon::None, QStringLiteral("Do the Zones!"));
        return AutoTestOutcome::Refused;
    }
    const QString problem = AutoTestSettingsProblem(s);
    if (!problem.isEmpty()) {
        host.ShowMessage(problem, MsgButtons::OK, MsgIcon::Exclamation,
                         QStringLiteral("Auto Test Variables"));
        return AutoTestOutcome::Refused;
    }

    host.SetAbortChecked(false);
    s.Manual = false;
    host.SetTimerEnabled(false);
    host.DoEvents();
    const int64_t start = host.QueryPerformanceCounter();
    OutputMotorPhases(s, host);
    host.SetText1(QString());
    for (auto& run : s.ZoneResults) run.fill(0.0);
    s.Readings = ReadingsOrigin{};
    host.SetMirRadFlag(false);
    host.SetTestButtonsEnabled(false);
    host.SetPicture3Visible(false);
    host.FormResize();

    AutoTestRun test;
    test.knifeRight = knifeRight;
    const int reps = s.Reps;
    bool stopped = false;
    for (int run = 0; run <= reps && !stopped; ++run) {
        const int zones = ZonesOf(s);
        for (int zone = 1; zone <= zones; ++zone) {
            host.PlaySoundAsync(ZoneSound(zone));
            LogLine(host, QStringLiteral("Now working on Zone ") + QString::number(zone));
            s.TestStatus = QStringLiteral("Testing Zone ") + QString::number(zone);
            if (FindZoneNull(s, host, test, run, zone) == ZoneOutcome::Stopped) {
                stopped = true;
                break;
            }
            test.MovedOut = false;
            test.MovedIn = false;
            test.FoundOblate = false;
        }
        if (stopped) break;
        stopped = !RewindAxes(s, host);
        FlushLog(s, host);
    }
    EndTest(s, host, start);
    return stopped ? AutoTestOutcome::Stopped : AutoTestOutcome::Completed;
}
