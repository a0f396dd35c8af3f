#include <gtest/gtest.h>

#include <limits>

#include "autotest/MoveSizes.h"

TEST(MoveSizes, DerivedFromTheStepSizesWithHalvesToEven) {
    TestState s;
    s.StepSize = s.LRStepSize = 0.000125;
    DeriveMoveSizes(s);
    EXPECT_EQ(s.LRSmMove, 1);
    EXPECT_EQ(s.LRLgMove, 6);
    EXPECT_EQ(s.TFOblateMove, 40);
    EXPECT_EQ(s.TFRoughMove, 16);
    EXPECT_EQ(s.TFFinalMoves, 8);

    // A knife half step of 0.00025: 0.5 rounds to the even 0, 3 for the large move.
    s.LRStepSize = 0.00025;
    DeriveKnifeMoves(s);
    EXPECT_EQ(s.LRSmMove, 0);
    EXPECT_EQ(s.LRLgMove, 3);
    EXPECT_EQ(s.TFFinalMoves, 8);  // the platform keeps its moves
}

TEST(MoveSizes, StepSizesThatGiveNoUsableMove) {
    for (double bad : {0.0, -0.000125, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(MoveHalfSteps(kTFFinalTravel, bad), 0) << bad;
        EXPECT_FALSE(KnifeMovesFit(bad)) << bad;
        EXPECT_FALSE(PlatformMovesFit(bad)) << bad;
    }
    EXPECT_TRUE(PlatformMovesFit(0.000125));
    // 0.005 / 1e-12 half steps is far past the 32-bit range.
    EXPECT_FALSE(PlatformMovesFit(1e-12));
    EXPECT_EQ(MoveHalfSteps(kTFOblateTravel, 1e-12), std::numeric_limits<int32_t>::max());
}
