#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "FakeTester.h"
#include "autotest/ZoneNullSearch.h"

namespace {

struct ZoneSearch : ::testing::Test {
    TestState s;
    FakeTester host{s};
    AutoTestRun test;
    void SetUp() override {
        QuickSettings(s);
        test.knifeRight = true;
    }
    // Every frame measures ref (the knife-right reference LZV) and opp.
    void Values(std::function<std::pair<int, int>(int frame)> values) {
        host.script = [this, values] {
            const auto [ref, opp] = values(host.measures);
            s.LZV.fill(ref);
            s.RZV.fill(opp);
        };
    }
    void AbortAt(int frame) {
        host.onMeasure = [this, frame](int m) { host.abort = host.abort || m >= frame; };
    }
};

TEST_F(ZoneSearch, KnifeRuleCountsFramesFromTheLastMoveAndPrecedesPlatformRules) {
    s.TFRoughFrames = 4;                              // the oblate search would move at frame 5
    Values([](int) { return std::pair{200, 200}; });  // too bright, and closer to the mirror
    AbortAt(9);
    EXPECT_EQ(FindZoneNull(s, host, test, 0, 1), ZoneOutcome::Stopped);
    // The knife rule runs at frame 5 and then at the fourth frame after each move.
    EXPECT_EQ(host.avgFrames, (QVector<int>{1, 2, 3, 4, 5, 2, 3, 4, 5}));
    EXPECT_EQ(s.Xpos, -10);  // knife in twice, large both times (no knife-out between)
    EXPECT_FALSE(host.t1.contains("Is Closer"));
}

TEST_F(ZoneSearch, KnifeLeftTakesRZVAsReferenceAndCutsInUpward) {
    test.knifeRight = false;
    s.TFRoughFrames = 100;
    s.LRPhase = 6;
    // The left half (LZV) sits inside Min..Max; the reference, RZV, is too bright.
    host.script = [this] {
        s.LZV.fill(100);
        s.RZV.fill(host.measures <= 5 ? 200 : 20);
    };
    AbortAt(5);
    EXPECT_EQ(FindZoneNull(s, host, test, 0, 1), ZoneOutcome::Stopped);
    EXPECT_EQ(s.Xpos, 5);  // the large knife-in move, upward on the left
    EXPECT_EQ(s.LRPhase, 3);
    EXPECT_TRUE(test.MovedIn);
    EXPECT_FALSE(test.MovedOut);

    // Too dark after that: the knife comes out downward, by the small move while
    // MovedIn holds.
    host.onMeasure = [this](int m) { host.abort = m >= 10; };
    host.abort = false;
    EXPECT_EQ(FindZoneNull(s, host, test, 0, 1), ZoneOutcome::Stopped);
    EXPECT_EQ(s.Xpos, 4);
    EXPECT_EQ(s.LRPhase, 2);
    EXPECT_TRUE(test.MovedOut);
}

TEST_F(ZoneSearch, SmallKnifeInAfterKnifeOutAndZeroMoves) {
    s.TFRoughFrames = 100;
    const int refs[] = {0, 0, 0, 0, 0, 200, 200, 200, 200, 10, 10, 10, 10};
    Values([&](int f) { return std::pair{refs[std::min(f, 13) - 1], 100}; });
    AbortAt(13);
    FindZoneNull(s, host, test, 0, 1);
    EXPECT_EQ(s.Xpos, 5 - 1 + 1);  // large out, small in (MovedOut), small out (MovedIn)
    EXPECT_TRUE(test.MovedIn && test.MovedOut);

    s.LRLgMove = 0;
    s.Xpos = 0;
    host.measures = 0, host.avgFrames.clear(), host.abort = false, test = AutoTestRun{};
    test.knifeRight = true;
    AbortAt(7);
    FindZoneNull(s, host, test, 0, 1);
    EXPECT_EQ(s.Xpos, 0);  // no step, yet the flag is set and the count starts again
    EXPECT_TRUE(test.MovedOut);
    EXPECT_EQ(host.avgFrames.mid(5), (QVector<int>{2, 3}));
}

TEST_F(ZoneSearch, EqualitiesAtEachPlatformRule) {
    s.TFOblatedelta = 0;
    s.TFRoughDelta = 0;
    s.TFFinalFrames = 4;
    s.Ypos = 40;
    Values([](int) { return std::pair{100, 100}; });
    // Frame 4: FoundOblate (equal), no rough move (equal) and the null (equal).
    EXPECT_EQ(FindZoneNull(s, host, test, 0, 2), ZoneOutcome::NullFound);
    EXPECT_EQ(host.measures, 4);
    EXPECT_TRUE(test.FoundOblate);
    EXPECT_EQ(host.moves, "");
    EXPECT_DOUBLE_EQ(s.ZoneResults[0][2], 0.005);
    EXPECT_TRUE(host.t1.startsWith("Found Zone 2 @ 12:00:00 LZV =100 RZV = 100\r\n"));
}

TEST_F(ZoneSearch, ReadingsInInchesAndMillimetres) {
    EXPECT_DOUBLE_EQ(ZoneReading(40, 0.000125, false), 0.005);
    EXPECT_DOUBLE_EQ(ZoneReading(40, 0.000125, true), 0.127);
    EXPECT_DOUBLE_EQ(ZoneReading(-3, 0.0001, true), -0.0076);
}

TEST_F(ZoneSearch, FirstNullZeroesPositionsAndBuildsTheTable) {
    s.Reps = 1, s.Xpos = 7, s.Ypos = -9;
    host.t2 = "zone table";
    host.nullAt[1] = -9;  // the model's platform starts at 0
    host.absY = 0;
    s.ZoneResults[1][3] = 0.25;
    EXPECT_EQ(FindZoneNull(s, host, test, 0, 1), ZoneOutcome::NullFound);
    EXPECT_EQ(s.Ypos, 0);
    EXPECT_EQ(s.Xpos, 0);
    EXPECT_EQ(host.t2, "Zone 1\t0\t0\r\nZone 2\t0\t0\r\nZone 3\t0\t0.25\r\n\r\nzone table");
    EXPECT_EQ(test.firstNullText, "zone table");
}

TEST_F(ZoneSearch, LoweredFinalFramesGivesASecondNull) {
    s.TFFinalFrames = 30, s.TFOblatedelta = 0, s.TFRoughFrames = 1, s.LRMinFrames = 24;
    Values([](int f) { return std::pair{f == 25 ? 200 : 100, 100}; });
    host.onMeasure = [this](int m) {
        if (m == 5) s.TFFinalFrames = 20;
        if (m == 21) s.Ypos = 8;
    };
    EXPECT_EQ(FindZoneNull(s, host, test, 1, 2), ZoneOutcome::NullFound);
    EXPECT_EQ(host.t1.count("Found Zone 2"), 2);
    EXPECT_EQ(host.measures, 20 + 5 + 29);  // null at 20, knife at 25 (frame 25), on to 30
    EXPECT_DOUBLE_EQ(s.ZoneResults[1][2], 0.001);
}

TEST_F(ZoneSearch, SavedFramesGoUnderTheTestsImageFolder) {
    host.picture = true;
    s.TFOblatedelta = 0;
    Values([](int) { return std::pair{100, 100}; });
    FindZoneNull(s, host, test, 0, 2);  // no textpath: nothing saved, nothing made
    EXPECT_TRUE(host.images.isEmpty());
    QTemporaryDir dir;
    s.textpath = dir.path() + "/results", s.WorkFile = "M8", s.WorkNum = 7;
    FindZoneNull(s, host, test, 3, 2);
    EXPECT_EQ(host.images, (QStringList{s.textpath + "/M8/Images/Test7/Zone2rep3.bmp",
                                        s.textpath + "/M8/Images/Test7/Raw_Zone2rep3.bmp"}));
    EXPECT_TRUE(QDir(s.textpath + "/M8/Images/Test7").exists());
}

}  // namespace
