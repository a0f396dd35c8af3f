#pragma once

#include <QStringList>
#include <algorithm>
#include <array>
#include <functional>

#include "autotest/AutoTestHost.h"
#include "core/TestState.h"
#include "live/Motors.h"

// A tester that follows the port bytes: the knife and the platform move when their
// coil phases move. Zone z is equally lit with the platform at nullAt[z] (absolute
// half steps, + away from the mirror); the reference half is brighter by one step
// per half step nearer the mirror. Cutting the knife in by one half step darkens
// both halves by 2. All values are whole and repeatable frame by frame.
class FakeTester : public AutoTestHost {
  public:
    explicit FakeTester(TestState& s) : s_(s) {
        BuildCoilTable(s.CoilTable);
        s.ZoneOn = true;
        s.QpcFrequency = 1000;
    }

    TestState& s_;
    bool knifeRight = true;
    int base = 100;
    std::array<int, kMaxZones + 1> nullAt{};
    int absX = 0, absY = 0;  // where the motors really are
    int lastLR = 0, lastTF = 0;
    int measures = 0;
    std::function<void(int measure)> onMeasure;  // runs inside the measurement's events
    std::function<void()> script;                // replaces the model when set
    QVector<int> avgFrames;
    QString moves;  // 'K' per knife step, 'T' per platform step
    QStringList sounds, syncSounds, messages, images;
    QVector<uint8_t> bytes;
    bool abort = false, picture = false, buttons = true, timer = true, tracking = true;
    int saves = 0, unloads = 0;
    QVector<int64_t> counter{0};

    void Measure() {
        const int cut = knifeRight ? -absX : absX;
        for (int z = 1; z <= kMaxZones; ++z) {
            const int d = nullAt[z] - absY;
            const int ref = std::clamp(base - 2 * cut + d, 0, 255);
            const int opp = std::clamp(base - 2 * cut - d, 0, 255);
            (knifeRight ? s_.LZV : s_.RZV)[z] = ref;
            (knifeRight ? s_.RZV : s_.LZV)[z] = opp;
        }
    }

    MsgResult ShowMessage(const QString& text, MsgButtons, MsgIcon, const QString& title) override {
        messages << title + ": " + text;
        return MsgResult::OK;
    }
    void GrabFrame() override {}
    void GrabStillFrame() override {}
    void MeasureZones() override {
        ++measures;
        avgFrames << s_.AvgFrames;
        script ? script() : Measure();
        if (onMeasure) onMeasure(measures);
    }
    void DoEvents() override {}
    void PlaySoundAsync(const QString& path) override { sounds << path.section('/', -1); }
    void PlaySoundSync(const QString& path) override { syncSounds << path.section('/', -1); }
    bool AbortChecked() override { return abort; }
    void SetAbortChecked(bool c) override { abort = c; }
    void SetTrackingChecked(bool c) override { tracking = c; }
    bool SavePictureChecked() override { return picture; }
    WiringMarks Wiring() override { return {}; }
    void WriteDataPort(uint8_t value) override {
        bytes << value;
        if (s_.LRPhase != lastLR) {
            absX += (s_.LRPhase - lastLR + 8) % 8 == 1 ? 1 : -1;
            moves += 'K';
        }
        if (s_.TFPhase != lastTF) {
            absY += (s_.TFPhase - lastTF + 8) % 8 == 1 ? -1 : 1;
            moves += 'T';
        }
        lastLR = s_.LRPhase;
        lastTF = s_.TFPhase;
    }
    int32_t MindelayValue() override { return 1; }
    std::chrono::nanoseconds BusyCountStepTime() override { return {}; }
    QString t1, t2;
    QString Text1() override { return t1; }
    int movesAtRewind = -1;
    void SetText1(const QString& t) override {
        if (t.startsWith("Rewinding")) movesAtRewind = moves.size();
        t1 = t;
    }
    QString Text2() override { return t2; }
    void SetText2(const QString& t) override { t2 = t; }
    void SetTestButtonsEnabled(bool e) override { buttons = e; }
    void SetPicture3Visible(bool) override {}
    void FormResize() override {}
    void SetTimerEnabled(bool e) override { timer = e; }
    void SetMirRadFlag(bool) override {}
    bool SaveZoneImage(const QString& p) override { return images << p, true; }
    bool SaveRawZoneImage(const QString& p) override { return images << p, true; }
    void SaveData() override { ++saves; }
    void UnloadMainWindow() override { ++unloads; }
    int64_t QueryPerformanceCounter() override {
        return counter.size() > 1 ? counter.takeFirst() : counter.first();
    }
    QString TimeOfDay() override { return QStringLiteral("12:00:00"); }
};

// Auto-test variables that let the model find each null in a few dozen frames.
inline void QuickSettings(TestState& s) {
    s.Max = 150, s.Min = 50, s.LRMinFrames = 4, s.LRDelta = 10, s.LRSmMove = 1, s.LRLgMove = 5;
    s.TFRoughFrames = 3, s.TFOblatedelta = 6, s.TFOblateMove = 4, s.TFRoughDelta = 10;
    s.TFRoughMove = 3, s.TFFinalFrames = 6, s.TFFinalMoves = 1;
    s.StepSize = 0.000125, s.NZ = 3, s.Reps = 0, s.units = UnitMark(false);
}
