#include "autotest/ZoneNullSearch.h"

#include <algorithm>

#include "autotest/HalfStep.h"
#include "core/NumberText.h"
#include "output/ResultFolder.h"
#include "platform/ProgramFolder.h"

namespace {

const QString kCrLfText = QStringLiteral("\r\n");

QString ZoneValues(const TestState& s, int zone) {
    return QStringLiteral(" LZV =") + QString::number(s.LZV[zone]) + QStringLiteral(" RZV = ") +
           QString::number(s.RZV[zone]);
}

// The knife-in and knife-out directions for the side of the knife.
int KnifeIn(const AutoTestRun& test) {
    return test.knifeRight ? -1 : 1;
}
int KnifeOut(const AutoTestRun& test) {
    return test.knifeRight ? 1 : -1;
}

void ClearKnifeFlags(AutoTestRun& test) {
    test.MovedOut = false;
    test.MovedIn = false;
}

// Saves the zone's frame twice (with the drawing and without) under
// Images/Test<N> of the result tree. Failures are skipped.
void SaveZoneFrames(const TestState& s, AutoTestHost& host, int run, int zone) {
    const QString folder = MakeResultFolders(
        s, {QStringLiteral("Images"), QStringLiteral("Test") + QString::number(s.WorkNum)});
    if (folder.isEmpty()) return;
    const QString name = QString::number(zone) + QStringLiteral("rep") + QString::number(run) +
                         QStringLiteral(".bmp");
    host.SaveZoneImage(ResolvePath(folder, QStringLiteral("Zone") + name));
    host.SaveRawZoneImage(ResolvePath(folder, QStringLiteral("Raw_Zone") + name));
}

void NullSteps(TestState& s, AutoTestHost& host, AutoTestRun& test, int run, int zone) {
    if (zone == 1 && run == 0) {
        // Every reading of the test is measured from the first zone's null.
        s.Ypos = 0;
        s.Xpos = 0;
        test.firstNullText = host.Text2();
        host.GrabStillFrame();
        host.MeasureZones();
    }
    s.ZoneResults[run][zone] = ZoneReading(s.Ypos, s.StepSize, s.Metric);
    host.SetText2(ResultsTableText(s, test.firstNullText));
    if (host.SavePictureChecked()) SaveZoneFrames(s, host, run, zone);
    LogLine(host, QStringLiteral("Found Zone ") + QString::number(zone) + QStringLiteral(" @ ") +
                      host.TimeOfDay() + ZoneValues(s, zone));
}

}  // namespace

void LogLine(AutoTestHost& host, const QString& line) {
    host.SetText1(line + kCrLfText + host.Text1());
}

double ZoneReading(int32_t ypos, double stepSize, bool metric) {
    const double travel = metric ? ypos * stepSize * 25.4 : ypos * stepSize;
    return RoundHalfEven(travel, 4);
}

QString ResultsTableText(const TestState& s, const QString& firstNullText) {
    const int zones = std::clamp<int32_t>(s.NZ, 0, kMaxZones);
    const int reps = std::clamp<int32_t>(s.Reps, 0, kMaxReps);
    QString text;
    for (int zone = 1; zone <= zones; ++zone) {
        text += QStringLiteral("Zone ") + QString::number(zone);
        for (int run = 0; run <= reps; ++run)
            text += QLatin1Char('\t') + NumText(s.ZoneResults[run][zone]);
        text += kCrLfText;
    }
    return text + kCrLfText + firstNullText;
}

ZoneOutcome FindZoneNull(TestState& s, AutoTestHost& host, AutoTestRun& test, int run, int zone) {
    if (run < 0 || run > kMaxReps || zone < 1 || zone > kMaxZones) return ZoneOutcome::FramesUsedUp;
    // The bound is fixed when the zone starts; the history holds 30 frames.
    const int32_t bound = std::min<int32_t>(s.TFFinalFrames, kMaxFrames);
    bool nullFound = false;
    int32_t frame = 1;
    while (frame <= bound) {
        host.GrabFrame();
        s.AvgFrames = frame;
        host.MeasureZones();
        // Every rule below uses this frame's values; no move changes them.
        const int64_t ref = test.knifeRight ? s.LZV[zone] : s.RZV[zone];
        const int64_t opposite = test.knifeRight ? s.RZV[zone] : s.LZV[zone];

        if (frame > s.LRMinFrames) {
            if (ref > s.Max) {
                const bool large = ref > int64_t{s.Max} + s.LRDelta && !test.MovedOut;
                HalfSteps(s, host, Axis::Knife, KnifeIn(test), large ? s.LRLgMove : s.LRSmMove);
                test.MovedIn = true;
                frame = 1;
            }
            if (ref < s.Min) {
                const bool large = ref < int64_t{s.Min} - s.LRDelta && !test.MovedIn;
                HalfSteps(s, host, Axis::Knife, KnifeOut(test), large ? s.LRLgMove : s.LRSmMove);
                test.MovedOut = true;
                frame = 1;
            }
        }

        if (frame > s.TFRoughFrames && !test.FoundOblate) {
            if (ref - s.TFOblatedelta < opposite) {
                LogLine(host, QStringLiteral("Zone ") + QString::number(zone) +
                                  QStringLiteral(" Is Closer to mirror, moving forward 0.01\"") +
                                  ZoneValues(s, zone));
                HalfSteps(s, host, Axis::ToFrom, -1, s.TFOblateMove);
                frame = 1;
                ClearKnifeFlags(test);
            } else {
                test.FoundOblate = true;
            }
        }

        if (frame > s.TFRoughFrames && test.FoundOblate) {
            if (ref - s.TFRoughDelta > opposite) {
                HalfSteps(s, host, Axis::ToFrom, 1, s.TFRoughMove);
                frame = 1;
                ClearKnifeFlags(test);
            }
        }

        if (frame == s.TFFinalFrames && test.FoundOblate) {
            if (ref > opposite) {
                HalfSteps(s, host, Axis::ToFrom, 1, s.TFFinalMoves);
                frame = 1;
                ClearKnifeFlags(test);
            } else {
                NullSteps(s, host, test, run, zone);
                nullFound = true;
            }
        }

        if (host.AbortChecked() || s.ClosingDown) return ZoneOutcome::Stopped;
        ++frame;
    }
    return nullFound ? ZoneOutcome::NullFound : ZoneOutcome::FramesUsedUp;
}
