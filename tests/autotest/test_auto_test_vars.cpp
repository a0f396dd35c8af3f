#include <gtest/gtest.h>

#include <limits>

#include "autotest/AutoTestVars.h"

namespace {

std::vector<int32_t> FirstData(const std::vector<ListItem>& items, size_t count) {
    std::vector<int32_t> data;
    for (size_t i = 0; i < count; ++i) data.push_back(items.at(i).data);
    return data;
}

}  // namespace

TEST(AutoTestLists, EighthThousandthHalfSteps) {
    const double step = 0.000125;
    const int32_t fine = ComputeLRFineSteps(step);
    const int32_t coarse = ComputeTFCoarseSteps(step);
    ASSERT_EQ(fine, 1);  // 0.25 rounds to 0, raised to 1
    ASSERT_EQ(coarse, 8);
    const auto knife = KnifeMoveItems(step, fine, false, "\"");
    const auto platform = PlatformMoveItems(step, coarse, kMoveItems);
    const auto final = PlatformMoveItems(step, coarse, kFinalMoveItems);
    ASSERT_EQ(final.size(), 26u);
    EXPECT_EQ(knife.front().text + knife.back().text, "0.000125\"0.012625\"");
    EXPECT_EQ(FirstData(knife, 1), std::vector<int32_t>{1});
    EXPECT_EQ(knife.back().data, 101);
    EXPECT_EQ(platform.front().text + " " + platform.back().text, "0.0005 0.0505");
    EXPECT_EQ(FirstData(platform, 1), std::vector<int32_t>{4});
    EXPECT_EQ(platform.back().data, 404);
    EXPECT_EQ(final.back().text, "0.013");
    EXPECT_EQ(final.back().data, 104);
    // The mark says millimetres, so the number is millimetres too.
    EXPECT_EQ(KnifeMoveItems(step, fine, true, "mm")[0].text, "0.003175mm");

    // Below one list step or past the last item: no selection.
    EXPECT_EQ(KnifeMoveIndex(101, fine, knife), 100);
    EXPECT_EQ(KnifeMoveIndex(102, fine, knife), -1);
    EXPECT_EQ(PlatformMoveIndex(std::numeric_limits<int32_t>::min(), coarse, platform), -1);
    EXPECT_EQ(PlatformMoveIndex(3, coarse, platform), -1);
    EXPECT_EQ(PlatformMoveIndex(107, coarse, final), 25);
    EXPECT_EQ(PlatformMoveIndex(108, coarse, final), -1);
    EXPECT_EQ(MarginIndex(31), -1);
}

TEST(AutoTestLists, OddAndSinglePlatformSteps) {
    const double third = 0.001 / 3;
    ASSERT_EQ(ComputeTFCoarseSteps(third), 3);
    const auto odd = PlatformMoveItems(third, 3, kMoveItems);
    EXPECT_EQ(FirstData(odd, 8), (std::vector<int32_t>{2, 3, 4, 6, 8, 9, 10, 12}));
    // value \ 2 - 1, unless another item carries the value itself.
    EXPECT_EQ(PlatformMoveIndex(2, 3, odd), 0);
    EXPECT_EQ(PlatformMoveIndex(9, 3, odd), 5);
    EXPECT_EQ(PlatformMoveIndex(5, 3, odd), 1);

    // 0.001-inch half steps: half a coarse step rounds to 0; the nearest item wins.
    ASSERT_EQ(ComputeTFCoarseSteps(0.001), 1);
    const auto single = PlatformMoveItems(0.001, 1, kFinalMoveItems);
    EXPECT_EQ(FirstData(single, 7), (std::vector<int32_t>{0, 1, 2, 2, 2, 3, 4}));
    EXPECT_EQ(PlatformMoveIndex(2, 1, single), 2);
    EXPECT_EQ(PlatformMoveIndex(13, 1, single), 25);
    EXPECT_EQ(PlatformMoveIndex(14, 1, single), -1);

    // Step sizes of 0 divide nothing.
    EXPECT_EQ(ComputeLRFineSteps(0), 1);
    EXPECT_EQ(ComputeTFCoarseSteps(-1), 1);
    EXPECT_EQ(KnifeMoveItems(0, 1, false, "\"").back().text, "0\"");
}

TEST(AutoTestSliders, GapOfTenStopsAtTheRangeEnds) {
    EXPECT_EQ(MinAfterMaxMoved(50, 45), 40);
    EXPECT_EQ(MaxAfterMinMoved(105, 100), 110);
    EXPECT_EQ(MinAfterMaxMoved(80, 30), std::nullopt);
    EXPECT_EQ(MaxAfterMinMoved(60, 50), std::nullopt);
    EXPECT_EQ(MinAfterMaxMoved(12, 30), 5);
    EXPECT_EQ(MaxAfterMinMoved(255, 250), 255);
}

TEST(AutoTestStore, ApplyNeverStoresAMoveOfZeroOrAMissingSelection) {
    TestState s;
    s.LRDelta = 7;
    s.TFOblateMove = 33;
    s.TFFinalMoves = 9;
    AutoTestControlValues v;
    v.sldMax = 90;
    v.sldmin = 20;
    v.SldTFRoughFrames = 12;
    v.sldTfFinalFrames = 25;
    v.cmbLrSmMove = 2;
    v.cmbTfOblateDelta = 0;  // a margin of 0 is a value
    v.cmbTfFinalMove = 0;    // an item that moves no half step
    EXPECT_EQ(StoreAutoTestValues(s, v), "");
    EXPECT_EQ(std::vector<int32_t>({s.Max, s.Min, s.TFRoughFrames, s.TFFinalFrames}),
              std::vector<int32_t>({90, 20, 12, 25}));
    EXPECT_EQ(s.LRSmMove, 2);
    EXPECT_EQ(s.TFOblatedelta, 0);
    EXPECT_EQ(s.LRDelta, 7);
    EXPECT_EQ(s.TFOblateMove, 33);
    EXPECT_EQ(s.TFFinalMoves, 9);

    // Both sliders pushed against the same end: a window no zone can end in is
    // refused whole, with the test's own start message.
    v.sldMax = v.sldmin = 255;
    v.SldTFRoughFrames = 14;
    v.cmbLrSmMove = 5;
    EXPECT_EQ(StoreAutoTestValues(s, v),
              "Max is 255 and Min 255; Max must be above Min, inside 0 to 255, or no zone can "
              "end.");
    EXPECT_EQ(std::vector<int32_t>({s.Max, s.Min, s.TFRoughFrames, s.LRSmMove}),
              std::vector<int32_t>({90, 20, 12, 2}));
    v.sldmin = 254;  // one apart is a window the test runs with
    EXPECT_EQ(StoreAutoTestValues(s, v), "");
    EXPECT_EQ(std::vector<int32_t>({s.Max, s.Min, s.TFRoughFrames, s.LRSmMove}),
              std::vector<int32_t>({255, 254, 14, 5}));
}
