#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "FakeTester.h"
#include "autotest/AutoTest.h"
#include "platform/ProgramFolder.h"

namespace {

struct AutoTest : ::testing::Test {
    TestState s;
    FakeTester host{s};
    QTemporaryDir programFolder;
    void SetUp() override {
        QuickSettings(s);
        SetAppPath(programFolder.path());
        s.Xpos = 12, s.Ypos = -30;  // where the last manual moves left the axes
        host.nullAt = {0, 5, 9, 2};
    }
    QString DebugText() {
        QFile file(programFolder.path() + "/Debug.txt");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "none";
    }
};

TEST_F(AutoTest, RefusesWithoutZonesOrWithValuesBeyondTheArrays) {
    s.ZoneOn = false;
    s.Manual = true;
    EXPECT_EQ(RunAutoTest(s, host, true), AutoTestOutcome::Refused);
    EXPECT_EQ(host.messages, QStringList{"Do the Zones!: Please setup zones first ;)"});
    s.ZoneOn = true;
    s.NZ = 17, s.Reps = 4, s.TFFinalFrames = 31, s.TFRoughMove = 0, s.LRLgMove = -2;
    EXPECT_EQ(RunAutoTest(s, host, true), AutoTestOutcome::Refused);
    for (const char* name :
         {"17 zones", "Reps is 4", "TFFinalFrames is 31", "TFRoughMove = 0", "LRLgMove = -2"})
        EXPECT_TRUE(host.messages.last().contains(name)) << name;
    EXPECT_TRUE(s.Manual && host.timer && host.buttons);
    EXPECT_EQ(host.measures, 0);
    EXPECT_TRUE(host.bytes.isEmpty());
}

TEST_F(AutoTest, RefusesValuesWithWhichNoZoneCouldFindItsNull) {
    // Each alone, on values that otherwise run a whole test. A test that starts
    // anyway is stopped after a few thousand frames instead of running on.
    host.onMeasure = [this](int m) { host.abort = host.abort || m > 5000; };
    const std::pair<std::function<void(TestState&)>, const char*> cases[] = {
        {[](TestState& t) { t.TFFinalFrames = 3; }, "TFFinalFrames is 3 and TFRoughFrames 3"},
        {[](TestState& t) { t.TFFinalFrames = 2; }, "TFFinalFrames is 2 and TFRoughFrames 3"},
        {[](TestState& t) { t.LRSmMove = 0; }, "LRSmMove = 0"},
        {[](TestState& t) { t.LRLgMove = 0; }, "LRLgMove = 0"},
        {[](TestState& t) { t.Max = t.Min = 90; }, "Max is 90 and Min 90"},
        {[](TestState& t) { t.Max = 40; }, "Max is 40 and Min 50"},
        {[](TestState& t) { t.Min = 256, t.Max = 300; }, "Max is 300 and Min 256"},
        {[](TestState& t) { t.TFOblateMove = 100000000; },
         "TFOblateMove is 100000000 half steps; no tester travels that far: a move is at most "
         "1600000 half steps"},
    };
    for (const auto& [edit, named] : cases) {
        QuickSettings(s);
        edit(s);
        host.messages.clear();
        EXPECT_EQ(RunAutoTest(s, host, true), AutoTestOutcome::Refused) << named;
        ASSERT_EQ(host.messages.size(), 1) << named;
        EXPECT_TRUE(host.messages[0].startsWith("Auto Test Variables: ")) << named;
        EXPECT_TRUE(host.messages[0].contains(named)) << host.messages[0].toStdString();
    }
    EXPECT_EQ(host.measures, 0);
    EXPECT_EQ(host.saves, 0);
    EXPECT_EQ(s.TestStatus, "");
}

TEST_F(AutoTest, FullTestReadsEveryZoneInEveryRunAndRewinds) {
    s.Reps = 1, s.ShowDebug = true, s.StepSize = 0.0001;
    host.counter = {0, 59500};      // 59.5 s
    host.onMeasure = [this](int) {  // the second run sees zone 2 one half step farther
        if (host.sounds.size() > 3) host.nullAt[2] = 10;
    };
    EXPECT_EQ(RunAutoTest(s, host, true), AutoTestOutcome::Completed);
    for (int run = 0; run < 2; ++run) {
        EXPECT_DOUBLE_EQ(s.ZoneResults[run][1], 0);
        EXPECT_DOUBLE_EQ(s.ZoneResults[run][2], run ? 0.0005 : 0.0004);
        EXPECT_DOUBLE_EQ(s.ZoneResults[run][3], -0.0003);
    }
    EXPECT_EQ(host.sounds,
              (QStringList{"Z1.wav", "Z2.wav", "Z3.wav", "Z1.wav", "Z2.wav", "Z3.wav"}));
    EXPECT_EQ(host.syncSounds, QStringList{"transpec.wav"});
    EXPECT_EQ(s.Xpos, 0);
    EXPECT_EQ(s.Ypos, 0);
    EXPECT_EQ(host.absY, 5);  // back at the first null
    EXPECT_EQ(host.bytes.last(), 0);
    EXPECT_TRUE(s.Manual && host.timer && host.buttons && !host.tracking);
    EXPECT_EQ(s.TestStatus, "Test Complete! :)");
    EXPECT_EQ(host.saves, 1);
    // Zone 2 reads 0.0004 and 0.0005, the others twice the same.
    const double spread = std::sqrt(2 * 0.00005 * 0.00005) / 3;
    EXPECT_NEAR(s.TestStdDev, spread * 25.4, 1e-12);
    EXPECT_TRUE(
        host.t2.startsWith("Standard Deviation for this test was: 0.00002\"\r\n"
                           "Elapsed Test Time, 1 Minutes 0 seconds\r\nZone 1\t0\t0\r\n"));
    EXPECT_EQ(host.t1, "");
    EXPECT_EQ(DebugText().count("Now working on Zone 1"), 2);
    EXPECT_TRUE(
        DebugText().contains("Standard Deviation for this test was: 0.00002\"\r\n"
                             "Elapsed Test Time, 1 Minutes 0 seconds\r\n"
                             "Elapsed Test Time, 1 Minutes 0 seconds\r\n"
                             "Zone 1\t0\t0\r\n"));
}

TEST_F(AutoTest, RewindsPlatformThenKnifeToZero) {
    s.NZ = 2, s.ShowDebug = true;
    // Zone 2 is too bright: the knife cuts in and has to come back too.
    host.knifeRight = false;
    host.onMeasure = [this](int) { host.base = host.sounds.size() % 2 == 0 ? 180 : 100; };
    for (int ypos : {1, 0, -3}) {
        host.nullAt[2] = 5 + ypos;
        RunAutoTest(s, host, false);
        const QString line =
            QString("Rewinding %1 Steps to %2steps\r\n").arg(ypos).arg(ypos > 0 ? -1 : 1);
        EXPECT_TRUE(DebugText().contains(line)) << line.toStdString();
        const QString tail = host.moves.mid(host.movesAtRewind);
        EXPECT_TRUE(tail.startsWith(QString(std::abs(ypos), 'T') + 'K')) << tail.toStdString();
        EXPECT_FALSE(tail.mid(std::abs(ypos)).contains('T'));
        EXPECT_EQ(host.absY, 5);
        EXPECT_EQ(s.Xpos, 0);
    }
}

TEST_F(AutoTest, AbortDuringSecondRunSkipsRewindSpreadAndSave) {
    s.Reps = 2;
    host.onMeasure = [this](int) { host.abort = host.sounds.size() == 6; };
    EXPECT_EQ(RunAutoTest(s, host, true), AutoTestOutcome::Stopped);
    EXPECT_EQ(host.sounds.size(), 6);
    EXPECT_EQ(s.TestStatus, "Test Aborted!");
    EXPECT_EQ(host.saves, 0);
    EXPECT_TRUE(host.syncSounds.isEmpty());
    EXPECT_EQ(s.Ypos, 4);  // no rewind: left at the null of zone 2
    EXPECT_EQ(host.bytes.last(), 0);
    EXPECT_TRUE(s.Manual && host.timer && host.buttons);
    EXPECT_EQ(DebugText(), "none");  // ShowDebug off: no file
}

TEST_F(AutoTest, ClosingProgramUnloadsAndSavesNothing) {
    host.onMeasure = [this](int m) { s.ClosingDown = s.ClosingDown || m == 3; };
    EXPECT_EQ(RunAutoTest(s, host, true), AutoTestOutcome::Stopped);
    EXPECT_EQ(host.unloads, 1);
    EXPECT_EQ(host.saves, 0);
    EXPECT_EQ(host.syncSounds, QStringList{"transpec.wav"});
}

TEST_F(AutoTest, SingleRunKeepsFixedSpread) {
    s.Metric = true, s.units = UnitMark(true);
    EXPECT_EQ(RunAutoTest(s, host, true), AutoTestOutcome::Completed);
    EXPECT_DOUBLE_EQ(s.TestStdDev, 0.01);
    EXPECT_DOUBLE_EQ(s.ZoneResults[0][2], 0.0127);
    EXPECT_FALSE(host.t2.contains("Standard Deviation"));
    EXPECT_EQ(host.saves, 1);
}

TEST_F(AutoTest, SpreadTakesRepsAsItStandsAtTheEnd) {
    s.Reps = 1;  // the runs are fixed at the start; the spread reads Reps again
    host.onMeasure = [this](int) { s.Reps = host.sounds.size() > 3 ? 0 : 1; };
    EXPECT_EQ(RunAutoTest(s, host, true), AutoTestOutcome::Completed);
    EXPECT_EQ(host.sounds.size(), 6);
    EXPECT_DOUBLE_EQ(s.TestStdDev, 0.01);
    EXPECT_FALSE(host.t2.contains("Standard Deviation"));
}

TEST(AutoTestText, ElapsedTimeAndSpread) {
    EXPECT_EQ(ElapsedTimeLine(59.5), "Elapsed Test Time, 1 Minutes 0 seconds\r\n");
    EXPECT_EQ(ElapsedTimeLine(60.5), "Elapsed Test Time, 1 Minutes 0 seconds\r\n");
    EXPECT_EQ(ElapsedTimeLine(3725), "Elapsed Test Time, 62 Minutes 5 seconds\r\n");
    EXPECT_EQ(SpreadLine(0.0001, "\""), "Standard Deviation for this test was: 0.0001\"\r\n");
    TestState s;
    s.ZoneResults[0][1] = 1, s.ZoneResults[1][1] = 3;  // zone 2 reads 0 twice
    EXPECT_DOUBLE_EQ(TestSpread(s, 2, 1), std::sqrt(2.0) / 2);
    EXPECT_DOUBLE_EQ(TestSpread(s, 2, 0), 0);
}

}  // namespace
