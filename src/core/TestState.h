#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// The state every window of the program shares. The main window inherits it, so
// each value is a plain member of frmMain; logic code takes it by reference.
// Every value starts at 0, false or empty; start-up assigns the defaults.
//
// Array bounds are fixed: zones 0..16, runs 0..3, frame history 0..30, coil
// table 64 entries, frame-rate ring 0..9. Values that index them (NZ, Reps,
// AvgFrames, TFFinalFrames) are checked where they enter the program.

constexpr int kMaxZones = 16;       // zone arrays hold indexes 0..16
constexpr int kMaxReps = 3;         // readings hold runs 0..3
constexpr int kMaxFrames = 30;      // frame history holds frames 0..30
constexpr int kRecentMirrors = 10;  // recent-mirror menu entries 1..10

// The zone intensity window (Max, Min) as its sliders offer it: both ends in
// 5..255, and at least 10 apart when the user sets one of them.
inline constexpr int32_t kIntensityLowest = 5;
inline constexpr int32_t kIntensityHighest = 255;
inline constexpr int32_t kIntensityGap = 10;

// What the readings in ZoneResults were measured on, and whether they were
// saved. A completed test sets it.
struct ReadingsOrigin {
    int32_t zoneTable = 0;  // the zone table measured on (TestState::ZoneTable); 0: none
    QString mirror;         // the mirror measured, as the messages name it
    int32_t savedAs = 0;    // the test number a save wrote them as; 0: not saved
    QStringList tried;      // the result files the last save of them was to write
};

struct TestState {
    // Public test state, in declaration order.
    bool Manual = false;
    bool ZoneOn = false;
    int32_t NZ = 0;
    double MirDiam = 0;
    double Obst = 0;
    double Roc = 0;
    double CC = 0;
    int32_t Ypos = 0;
    int32_t Xpos = 0;
    int32_t Reps = 0;
    QString WorkFile;
    int32_t WorkNum = 0;
    double StepSize = 0;
    double LRStepSize = 0;
    QString FigurePath;
    QString Sixtestspath;
    QString textpath;
    bool Savefigure = false;
    bool SaveSixtests = false;
    bool Savetext = false;
    bool LaunchFigure = false;
    bool LaunchSixtests = false;
    bool KnifeRight = false;
    bool Metric = false;
    QString units;
    int32_t Max = 0;
    int32_t Min = 0;
    int32_t VidSource = 0;
    bool Launch3d = false;
    int32_t LRMinFrames = 0;
    int32_t LRDelta = 0;
    int32_t LRSmMove = 0;
    int32_t LRLgMove = 0;
    int32_t TFRoughFrames = 0;
    int32_t TFOblatedelta = 0;
    int32_t TFOblateMove = 0;
    int32_t TFRoughDelta = 0;
    int32_t TFRoughMove = 0;
    int32_t TFFinalFrames = 0;
    int32_t TFFinalMoves = 0;
    bool WaitForIt = false;

    // Fields of the main window's own procedures.
    bool ClosingDown = false;
    std::array<double, kMaxZones + 1> ZoneRadius{};
    std::array<double, kMaxZones + 1> ZoneInner{};
    std::array<double, kMaxZones + 1> ZoneOuter{};
    std::array<int32_t, kMaxZones + 1> LZV{};
    std::array<int32_t, kMaxZones + 1> RZV{};
    // ZoneResults[run][zone]: the reading of each zone in each set of readings.
    std::array<std::array<double, kMaxZones + 1>, kMaxReps + 1> ZoneResults{};
    int32_t LRPhase = 0;
    int32_t TFPhase = 0;
    int32_t AvgFrames = 0;
    // LeftHistory[zone][frame]: frame 1 is the newest, frame 0 holds nothing.
    std::array<std::array<int32_t, kMaxFrames + 1>, kMaxZones + 1> LeftHistory{};
    std::array<std::array<int32_t, kMaxFrames + 1>, kMaxZones + 1> RightHistory{};
    std::array<int32_t, 64> CoilTable{};
    QString TestStatus;
    bool LiveLoopBusy = false;
    int32_t Accel = 0;
    int32_t SpeedPercent = 0;
    int64_t QpcFrequency = 0;
    int64_t QpcLast = 0;
    int64_t QpcNow = 0;
    std::array<int32_t, 10> FpsRing{};
    bool ShowDebug = false;
    bool ShowMoreText = false;
    double TestStdDev = 0;
    bool BarsOff = false;
    bool SaveFailed = false;
    // Counts the zone tables computed, one for each mirror made current, so
    // that readings know which one they were measured on.
    int32_t ZoneTable = 0;
    ReadingsOrigin Readings;
};

// The auto-test variables as start-up assigns them before the settings are read:
// frame counts and deltas at their defaults, the five move sizes 0 (not yet derived).
inline void AssignAutoTestDefaults(TestState& s) {
    s.LRSmMove = 0;
    s.LRLgMove = 0;
    s.TFOblateMove = 0;
    s.TFRoughMove = 0;
    s.TFFinalMoves = 0;
    s.LRMinFrames = 4;
    s.LRDelta = 10;
    s.TFRoughFrames = 15;
    s.TFOblatedelta = 15;
    s.TFRoughDelta = 20;
    s.TFFinalFrames = 30;
}

// The unit mark for the current Metric choice: "mm", or the inch mark (").
inline QString UnitMark(bool metric) {
    return metric ? QStringLiteral("mm") : QStringLiteral("\"");
}
