#include <gtest/gtest.h>

#include <limits>

#include "autotest/AutoTestVars.h"

namespace {

constexpr double kEighth = 0.000125;  // inch per half step on both axes

// The item data of the first `count` items.
std::vector<int32_t> Data(const std::vector<ListItem>& items, size_t count) {
    std::vector<int32_t> data;
    for (size_t i = 0; i < count && i < items.size(); ++i) data.push_back(items[i].data);
    return data;
}

}  // namespace

TEST(AutoTestLists, EighthThousandthHalfSteps) {
    const int32_t fine = ComputeLRFineSteps(kEighth);
    const int32_t coarse = ComputeTFCoarseSteps(kEighth);
    EXPECT_EQ(fine, 1);  // 0.25 rounds to 0, raised to 1
    EXPECT_EQ(coarse, 8);

    const auto knife = KnifeMoveItems(kEighth, fine, false, "\"");
    ASSERT_EQ(knife.size(), 101u);
    EXPECT_EQ(knife.front().text, "0.000125\"");
    EXPECT_EQ(knife.front().data, 1);
    EXPECT_EQ(knife.back().text, "0.012625\"");
    EXPECT_EQ(knife.back().data, 101);

    const auto platform = PlatformMoveItems(kEighth, coarse, kMoveItems);
    ASSERT_EQ(platform.size(), 101u);
    EXPECT_EQ(platform.front().text, "0.0005");
    EXPECT_EQ(platform.front().data, 4);
    EXPECT_EQ(platform.back().text, "0.0505");
    EXPECT_EQ(platform.back().data, 404);

    const auto final = PlatformMoveItems(kEighth, coarse, kFinalMoveItems);
    ASSERT_EQ(final.size(), 26u);
    EXPECT_EQ(final.back().text, "0.013");
    EXPECT_EQ(final.back().data, 104);

    const auto margins = MarginItems();
    ASSERT_EQ(margins.size(), 31u);
    EXPECT_EQ(margins.front().text, "0");
    EXPECT_EQ(margins.back().text, "30");
    EXPECT_EQ(margins.back().data, 30);

    // The move sizes Reset derives select 0.000125, 0.00075, 0.005, 0.002 and 0.001.
    TestState s;
    s.StepSize = s.LRStepSize = kEighth;
    s.Max = 70;
    s.Min = 40;
    ResetAutoTestVariables(s);
    EXPECT_EQ(s.Max, 70);
    EXPECT_EQ(s.Min, 40);
    EXPECT_EQ(s.LRMinFrames, 4);
    EXPECT_EQ(s.LRDelta, 10);
    EXPECT_EQ(s.TFRoughFrames, 15);
    EXPECT_EQ(s.TFOblatedelta, 15);
    EXPECT_EQ(s.TFRoughDelta, 20);
    EXPECT_EQ(s.TFFinalFrames, 30);
    EXPECT_EQ(KnifeMoveIndex(s.LRSmMove, fine, knife), 0);
    EXPECT_EQ(KnifeMoveIndex(s.LRLgMove, fine, knife), 5);
    EXPECT_EQ(platform[PlatformMoveIndex(s.TFOblateMove, coarse, platform)].text, "0.005");
    EXPECT_EQ(PlatformMoveIndex(s.TFOblateMove, coarse, platform), 9);
    EXPECT_EQ(PlatformMoveIndex(s.TFRoughMove, coarse, platform), 3);
    EXPECT_EQ(PlatformMoveIndex(s.TFFinalMoves, coarse, final), 1);
    EXPECT_EQ(final[1].text, "0.001");
}

TEST(AutoTestLists, KnifeStepsOfSeveralHalfStepsAndMillimetres) {
    // 0.00001 inch half steps: entries 3 half steps apart.
    const int32_t fine = ComputeLRFineSteps(0.00001);
    EXPECT_EQ(fine, 3);
    const auto knife = KnifeMoveItems(0.00001, fine, false, "\"");
    EXPECT_EQ(knife[0].text, "0.00003\"");
    EXPECT_EQ(knife[1].data, 6);
    EXPECT_EQ(KnifeMoveIndex(6, fine, knife), 1);
    EXPECT_EQ(KnifeMoveIndex(7, fine, knife), 1);  // between entries: the one below
    EXPECT_EQ(KnifeMoveIndex(2, fine, knife), -1);

    // The mark says millimetres, so the number is millimetres too.
    const auto metric = KnifeMoveItems(kEighth, 1, true, "mm");
    EXPECT_EQ(metric[0].text, "0.003175mm");
    EXPECT_EQ(metric[0].data, 1);
}

TEST(AutoTestLists, OddPlatformStepsFollowHalvesToEven) {
    const double step = 0.001 / 3;
    const int32_t coarse = ComputeTFCoarseSteps(step);
    ASSERT_EQ(coarse, 3);
    const auto items = PlatformMoveItems(step, coarse, kMoveItems);
    EXPECT_EQ(Data(items, 8), (std::vector<int32_t>{2, 3, 4, 6, 8, 9, 10, 12}));
    // value \ 2 - 1, except that an item carrying the value itself is chosen.
    EXPECT_EQ(PlatformMoveIndex(2, coarse, items), 0);
    EXPECT_EQ(PlatformMoveIndex(3, coarse, items), 1);
    EXPECT_EQ(PlatformMoveIndex(9, coarse, items), 5);
    EXPECT_EQ(PlatformMoveIndex(12, coarse, items), 7);
    EXPECT_EQ(PlatformMoveIndex(5, coarse, items), 1);  // no item of 5: the formula's
    EXPECT_EQ(PlatformMoveIndex(1, coarse, items), -1);
}

TEST(AutoTestLists, ValuesNoItemCanShowSelectNothing) {
    const auto knife = KnifeMoveItems(kEighth, 1, false, "\"");
    const auto platform = PlatformMoveItems(kEighth, 8, kMoveItems);
    const auto final = PlatformMoveItems(kEighth, 8, kFinalMoveItems);
    for (int32_t value : {0, -1, -8, std::numeric_limits<int32_t>::min()}) {
        EXPECT_EQ(KnifeMoveIndex(value, 1, knife), -1) << value;
        EXPECT_EQ(PlatformMoveIndex(value, 8, platform), -1) << value;
    }
    EXPECT_EQ(KnifeMoveIndex(101, 1, knife), 100);
    EXPECT_EQ(KnifeMoveIndex(102, 1, knife), -1);
    EXPECT_EQ(PlatformMoveIndex(107, 8, final), 25);
    EXPECT_EQ(PlatformMoveIndex(108, 8, final), -1);
    EXPECT_EQ(PlatformMoveIndex(std::numeric_limits<int32_t>::max(), 8, platform), -1);
    EXPECT_EQ(MarginIndex(0), 0);
    EXPECT_EQ(MarginIndex(30), 30);
    EXPECT_EQ(MarginIndex(31), -1);
    EXPECT_EQ(MarginIndex(-1), -1);
}

TEST(AutoTestLists, PlatformStepOfOneHalfStepSelectsTheNearestItem) {
    // 0.001 inch half steps: TFCoarseSteps 1, and half of it rounds to 0.
    const int32_t coarse = ComputeTFCoarseSteps(0.001);
    ASSERT_EQ(coarse, 1);
    const auto items = PlatformMoveItems(0.001, coarse, kFinalMoveItems);
    EXPECT_EQ(Data(items, 7), (std::vector<int32_t>{0, 1, 2, 2, 2, 3, 4}));
    EXPECT_EQ(items[0].text, "0.0005");
    EXPECT_EQ(PlatformMoveIndex(1, coarse, items), 1);
    EXPECT_EQ(PlatformMoveIndex(2, coarse, items), 2);
    EXPECT_EQ(PlatformMoveIndex(13, coarse, items), 25);
    EXPECT_EQ(PlatformMoveIndex(14, coarse, items), -1);  // past the last item
    EXPECT_EQ(PlatformMoveIndex(0, coarse, items), -1);
}

TEST(AutoTestLists, StepSizesThatAreNoDistanceDivideNothing) {
    for (double bad : {0.0, -0.000125, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(ComputeLRFineSteps(bad), 1) << bad;
        EXPECT_EQ(ComputeTFCoarseSteps(bad), 1) << bad;
    }
    const auto knife = KnifeMoveItems(0, 1, false, "\"");
    EXPECT_EQ(knife.back().text, "0\"");
    EXPECT_EQ(knife.back().data, 101);
    // A huge fine step keeps the item data inside the 32-bit range.
    const auto huge = KnifeMoveItems(1e-300, ComputeLRFineSteps(1e-300), false, "\"");
    EXPECT_EQ(huge.back().data, std::numeric_limits<int32_t>::max());

    TestState s;  // step sizes 0
    s.TFFinalMoves = 5;
    ResetAutoTestVariables(s);
    EXPECT_EQ(s.TFFinalMoves, 0);
    EXPECT_EQ(s.LRLgMove, 0);
}

TEST(AutoTestSliders, FrameCountChain) {
    // SldLRminFrames to 20 while SldTFRoughFrames shows 15 (minimum 5).
    const SliderSpan rough = ChainAfter(20, {5, 28, 15});
    EXPECT_EQ(rough.minimum, 21);
    EXPECT_EQ(rough.value, 21);
    EXPECT_EQ(rough.maximum, 28);
    const SliderSpan final = ChainAfter(rough.value, {16, 30, 16});
    EXPECT_EQ(final.minimum, 22);
    EXPECT_EQ(final.value, 22);
    // Lowering a count lowers the next minimum and leaves the next value alone.
    const SliderSpan lowered = ChainAfter(3, rough);
    EXPECT_EQ(lowered.minimum, 4);
    EXPECT_EQ(lowered.value, 21);
    // The largest counts still fit: 26 -> 27 of 28, 28 -> 29 of 30.
    EXPECT_EQ(ChainAfter(26, {1, 28, 1}).value, 27);
    EXPECT_EQ(ChainAfter(28, {0, 30, 0}).value, 29);
}

TEST(AutoTestSliders, GapOfTenAndTheRangeEnds) {
    EXPECT_EQ(MinAfterMaxMoved(50, 45), 40);
    EXPECT_EQ(MaxAfterMinMoved(105, 100), 110);
    EXPECT_EQ(MinAfterMaxMoved(80, 30), std::nullopt);
    EXPECT_EQ(MaxAfterMinMoved(80, 30), std::nullopt);
    EXPECT_EQ(MinAfterMaxMoved(60, 50), std::nullopt);  // exactly 10 apart
    // The pushed slider stops at its end.
    EXPECT_EQ(MinAfterMaxMoved(12, 30), 5);
    EXPECT_EQ(MaxAfterMinMoved(255, 250), 255);
}

TEST(AutoTestStore, ApplyStoresTheControlsAndNeverAMoveOfZero) {
    TestState s;
    s.LRDelta = 7;
    s.TFOblateMove = 33;
    s.TFFinalMoves = 9;
    s.LRLgMove = 6;
    AutoTestControlValues v;
    v.sldMax = 90;
    v.sldmin = 20;
    v.SldLRminFrames = 3;
    v.SldTFRoughFrames = 12;
    v.sldTfFinalFrames = 25;
    v.cmbLrLgMove = 8;
    v.cmbLrSmMove = 2;
    v.cmbTfOblateDelta = 0;  // a margin of 0 is a value
    v.CmbTfRoughDelta = 18;
    v.CmbTfRoughMove = 12;
    v.cmbTfFinalMove = 0;  // an item that moves no half step
    StoreAutoTestValues(s, v);
    EXPECT_EQ(s.Max, 90);
    EXPECT_EQ(s.Min, 20);
    EXPECT_EQ(s.LRMinFrames, 3);
    EXPECT_EQ(s.TFRoughFrames, 12);
    EXPECT_EQ(s.TFFinalFrames, 25);
    EXPECT_EQ(s.LRDelta, 7);  // no selection
    EXPECT_EQ(s.LRLgMove, 8);
    EXPECT_EQ(s.LRSmMove, 2);
    EXPECT_EQ(s.TFOblatedelta, 0);
    EXPECT_EQ(s.TFOblateMove, 33);  // no selection
    EXPECT_EQ(s.TFRoughDelta, 18);
    EXPECT_EQ(s.TFRoughMove, 12);
    EXPECT_EQ(s.TFFinalMoves, 9);
}

TEST(AutoTestStore, LoadDerivesTheMovesOnlyWhenNeverSet) {
    TestState s;
    s.StepSize = s.LRStepSize = kEighth;
    s.LRLgMove = 3;
    DeriveUnsetMoveSizes(s);
    EXPECT_EQ(s.LRLgMove, 3);
    EXPECT_EQ(s.TFFinalMoves, 0);
    s.LRLgMove = 0;
    s.LRMinFrames = 9;
    DeriveUnsetMoveSizes(s);
    EXPECT_EQ(s.LRSmMove, 1);
    EXPECT_EQ(s.LRLgMove, 6);
    EXPECT_EQ(s.TFOblateMove, 40);
    EXPECT_EQ(s.TFRoughMove, 16);
    EXPECT_EQ(s.TFFinalMoves, 8);
    EXPECT_EQ(s.LRMinFrames, 9);
}
