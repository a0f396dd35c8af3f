#include <gtest/gtest.h>

#include <chrono>

#include "FakeLiveHost.h"
#include "platform/KeyState.h"

namespace {

class LiveMotion : public ::testing::Test, public LiveFixture {
  protected:
    // One step 2 with the code given, on a run whose values are set by the test.
    void Act(LiveRun& run, int32_t code) {
        run.code = code;
        loop.ActOnCode(run);
    }
};

TEST_F(LiveMotion, JogKeysOverrideHandpadInTheirOrder) {
    host.handpad = 3;
    EXPECT_EQ(loop.ReadPassCode(), 3);

    host.keysDown = {VK_K};
    EXPECT_EQ(loop.ReadPassCode(), 14);  // any key beats the handpad, always fast
    host.keysDown = {VK_J, VK_K};
    EXPECT_EQ(loop.ReadPassCode(), 13);
    host.keysDown = {VK_I, VK_J};
    EXPECT_EQ(loop.ReadPassCode(), 11);
    host.keysDown = {VK_I, VK_M};
    EXPECT_EQ(loop.ReadPassCode(), 12);
    host.keysDown = {VK_I, VK_M, VK_J, VK_K};
    host.handpad = 15;
    EXPECT_EQ(loop.ReadPassCode(), 12);

    // Every key is asked on every pass, so a press since the last query is used up.
    host.queries.clear();
    loop.ReadPassCode();
    EXPECT_EQ(host.queries, (std::vector<int>{VK_K, VK_J, VK_I, VK_M}));
}

TEST_F(LiveMotion, ZeroCodesAndDeadCodesLeaveMotionAlone) {
    host.state.Xpos = 40;
    host.state.Ypos = -7;
    LiveRun run{37, 12, 0};
    Act(run, 5);
    EXPECT_EQ(host.state.Xpos, 0);
    EXPECT_EQ(host.state.Ypos, 0);
    EXPECT_EQ(run.d, 37);
    EXPECT_EQ(run.idle, 12);

    host.state.Ypos = 9;
    Act(run, 15);
    EXPECT_EQ(host.state.Ypos, 0);

    host.state.Xpos = 3;
    for (int code : {6, 7, 8, 9, 16, 17, -1}) {
        Act(run, code);
        EXPECT_EQ(run.d, 37) << code;
        EXPECT_EQ(run.idle, 12) << code;
    }
    EXPECT_EQ(host.state.Xpos, 3);
    EXPECT_TRUE(host.bytes.empty());
}

TEST_F(LiveMotion, IdlePassesRampDownAndReachRest) {
    // The first idle pass of a run finds d = Maxdelay, which is not below it.
    LiveRun run = loop.StartRun();
    Act(run, 0);
    EXPECT_EQ(run.d, 0);
    EXPECT_EQ(run.idle, 1);

    run.d = 10;
    Act(run, 0);
    EXPECT_EQ(host.state.SpeedPercent, 90);
    EXPECT_EQ(run.d, 17);  // 10 + 10^0.85 = 17.08
    run.d = 10;
    Act(run, 10);
    EXPECT_EQ(run.d, 14);  // 10 + 10^0.6 = 13.98

    run.d = 90;
    while (run.d != 0 && run.d < host.maxdelay) Act(run, 0);
    Act(run, 0);
    EXPECT_EQ(run.d, 0);
}

TEST_F(LiveMotion, CoilsAreReleasedFromThe51stIdlePassOn) {
    host.marks.invert = true;  // all-off is 255, never a motor byte with inverted lines
    LiveRun run{0, 30, 0};
    Act(run, 1);  // a move from rest resets the idle count
    EXPECT_EQ(run.idle, 0);
    EXPECT_EQ(host.state.Ypos, -1);

    const size_t mark = host.bytes.size();
    for (int pass = 1; pass <= 50; ++pass) Act(run, 0);
    EXPECT_EQ(host.CountBytes(255, mark), 0);
    Act(run, 0);
    EXPECT_EQ(host.CountBytes(255, mark), 1);
    Act(run, 10);
    EXPECT_EQ(host.CountBytes(255, mark), 2);

    // A move while d still grows keeps the count: the next idle pass releases again.
    run.d = 50;
    Act(run, 3);
    EXPECT_EQ(run.idle, 50);
    Act(run, 0);
    EXPECT_EQ(host.CountBytes(255, mark), 3);
}

TEST_F(LiveMotion, MoveFromRestEnergisesBeforeTheFirstStep) {
    host.state.LRPhase = 7;
    host.state.TFPhase = 2;
    sldAcell_OnValue(host.state, 4);
    LiveRun run{0, 0, 0};
    Act(run, 4);
    ASSERT_EQ(host.bytes.size(), 2u);
    EXPECT_EQ(host.bytes[0], MotorByte(host.state.CoilTable, 7, 2, host.marks));
    EXPECT_EQ(host.bytes[1], MotorByte(host.state.CoilTable, 0, 2, host.marks));
    EXPECT_EQ(host.state.Xpos, 1);
    EXPECT_EQ(run.d, 84);  // 100 - 100^0.6 = 84.15

    Act(run, 2);  // the other motor; the knife keeps its pattern
    EXPECT_EQ(host.bytes.back(), MotorByte(host.state.CoilTable, 0, 1, host.marks));
    EXPECT_EQ(host.state.Ypos, 1);
    Act(run, 3);
    EXPECT_EQ(host.state.LRPhase, 7);
    EXPECT_EQ(host.state.Xpos, 0);
}

TEST_F(LiveMotion, SpeedUpWithoutAccelerationLowersDelayByOne) {
    sldAcell_OnValue(host.state, 10);
    EXPECT_EQ(host.state.Accel, 0);
    LiveRun run{0, 0, 0};
    Act(run, 1);
    EXPECT_EQ(run.d, 99);
    Act(run, 11);
    EXPECT_EQ(run.d, 98);

    sldAcell_OnValue(host.state, 1);
    EXPECT_EQ(host.state.Accel, 9);
    run.d = 2;  // 2 - 2^0.9 rounds to 0, which becomes 1
    Act(run, 1);
    EXPECT_EQ(run.d, 1);
    sldAcell_OnValue(host.state, 0);  // outside the slider's range: kept to 9
    EXPECT_EQ(host.state.Accel, 9);
}

TEST_F(LiveMotion, FullSpeedBatchesFollowTheStepSize) {
    EXPECT_EQ(BatchHalfSteps(0.000125, true), 80);
    EXPECT_EQ(BatchHalfSteps(0.000125, false), 8);
    EXPECT_EQ(BatchHalfSteps(0.001, true), 10);
    EXPECT_EQ(BatchHalfSteps(0.001, false), 1);
    EXPECT_EQ(BatchHalfSteps(0.01, false), 0);
    EXPECT_EQ(BatchHalfSteps(0, true), 0);
    EXPECT_EQ(BatchHalfSteps(-0.001, true), 0);

    host.maxdelay = 1;  // at full speed on the first pass
    host.mindelay = 2;
    LiveRun run{0, 0, 0};
    Act(run, 1);
    EXPECT_EQ(host.state.Ypos, -81);
    EXPECT_EQ(host.state.TFPhase, 1);  // 81 half steps forward from 0
    EXPECT_EQ(host.bytes.size(), 82u);
    EXPECT_EQ(host.mindelayReads, 80 * 3);  // a count up to 2 after each batch step

    host.mindelayReads = 0;
    Act(run, 3);
    EXPECT_EQ(host.state.Xpos, -9);
    EXPECT_EQ(host.state.LRPhase, 7);
    EXPECT_EQ(host.mindelayReads, 8 * 7);  // counts up to 3 x 2

    host.state.StepSize = 0;  // no endless batch from a missing step size
    Act(run, 2);
    EXPECT_EQ(host.state.Ypos, -80);
}

TEST_F(LiveMotion, BusyCountRereadsTheSliderAtEveryComparison) {
    host.maxdelay = 1;
    host.state.StepSize = 0.01;  // a knife batch of none, a To/From batch of one
    int reads = 0;
    host.mindelayFn = [&] { return ++reads <= 5 ? 1000 : 3; };
    LiveRun run{0, 0, 0};
    Act(run, 1);
    EXPECT_EQ(reads, 6);  // 0..4 below 1000, then 5 is not below the new 3
}

TEST_F(LiveMotion, BusyCountStepGivesAboutAThousandHalfStepsASecond) {
    host.maxdelay = 1;
    host.mindelay = 136;
    host.state.StepSize = 0.0001;  // 100 To/From half steps in the batch
    LiveRun run{0, 0, 0};
    Act(run, 1);
    // The energising byte, the first half step and the batch's 100.
    EXPECT_EQ(host.bytes.size(), 102u);
    // Each half step of the batch counts 136 steps, reading the slider at each of
    // its 137 comparisons; the count steps, not the clock, give the pace.
    EXPECT_EQ(host.mindelayReads, 100 * 137);
    // At the fixed step time the batch takes about a tenth of a second. What a
    // loaded machine makes of it is measured by bench/busy_count.
    const auto batch = 100 * 136 * kBusyCountStep;
    EXPECT_GE(batch, std::chrono::milliseconds(99));
    EXPECT_LT(batch, std::chrono::milliseconds(400));
}

// Busy-count start of each half step of a fast run, from the Mindelay reads of its
// count: a count from s up to m compares m - s + 1 times.
std::vector<int> FastRunStarts(FakeLiveHost& host, LiveLoop& loop, LiveRun& run, int32_t code,
                               int key, int halfSteps) {
    std::vector<int> starts;
    int queriesLeft = halfSteps;
    host.keyFn = [&](int vk) -> short {
        if (vk != key) return 0;
        if (host.mindelayReads > 0) starts.push_back(host.mindelay + 1 - host.mindelayReads);
        host.mindelayReads = 0;
        return queriesLeft-- > 0 ? 1 : 0;
    };
    run.code = code;
    loop.ActOnCode(run);
    host.keyFn = nullptr;
    return starts;
}

TEST_F(LiveMotion, FastRunWithoutAccelerationClimbsByOnePerHalfStep) {
    sldAcell_OnValue(host.state, 10);
    host.maxdelay = 5;
    host.mindelay = 3;
    LiveRun run{1, 0, 0};
    const auto starts = FastRunStarts(host, loop, run, 11, VK_I, 9);
    // From -5: -4 .. 0, then 1, after which the count starts at 0.
    EXPECT_EQ(starts, (std::vector<int>{-4, -3, -2, -1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(run.d, 1);
    EXPECT_EQ(host.state.Ypos, -10);  // the step of the pass and nine of the run
    EXPECT_EQ(host.events, 9);        // events run once per half step of the run
    EXPECT_EQ(host.grabs, 0);
}

TEST_F(LiveMotion, FastRunWithAccelerationSettlesAtZero) {
    sldAcell_OnValue(host.state, 5);  // e = 0.5
    host.maxdelay = 4;
    host.mindelay = 3;
    LiveRun run{1, 0, 0};
    const auto starts = FastRunStarts(host, loop, run, 14, VK_K, 6);
    EXPECT_EQ(starts, (std::vector<int>{-2, -1, 0, 0, 0, 0}));
    EXPECT_EQ(host.state.Xpos, 7);
    EXPECT_EQ(run.d, 1);
}

TEST_F(LiveMotion, HandpadHoldsAFastRunUntilItsCodeChanges) {
    host.maxdelay = 1;
    int reads = 0;
    host.handpadFn = [&] { return ++reads <= 4 ? 13 : 3; };
    LiveRun run{0, 0, 0};
    Act(run, 13);
    EXPECT_EQ(host.state.Xpos, -5);  // the pass's step and four while code 13 held
    EXPECT_EQ(run.d, 1);
}

}  // namespace
