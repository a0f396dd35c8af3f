#include <gtest/gtest.h>

#include "setup/SetupRules.h"

TEST(IntensityGap, TheSliderTouchedLastKeepsItsValue) {
    int32_t max = 45, min = 40;
    KeepIntensityGap(max, min, true);
    EXPECT_EQ(max, 45);
    EXPECT_EQ(min, 35);

    min = 40;
    KeepIntensityGap(max, min, false);
    EXPECT_EQ(max, 50);
    EXPECT_EQ(min, 40);

    max = 60, min = 30;
    KeepIntensityGap(max, min, true);
    EXPECT_EQ(max, 60);
    EXPECT_EQ(min, 30);
}

TEST(IntensityGap, BothEndsStayInsideTheRange) {
    int32_t max = 8, min = 5;
    KeepIntensityGap(max, min, true);
    EXPECT_EQ(min, 5);
    EXPECT_EQ(max, 15);

    max = 255, min = 250;
    KeepIntensityGap(max, min, false);
    EXPECT_EQ(max, 255);
    EXPECT_EQ(min, 245);
}

TEST(SetupRules, CtrlTabWrapsAndUnsetMovesAreDerivedOnce) {
    EXPECT_EQ(NextTab(0, 5), 1);
    EXPECT_EQ(NextTab(4, 5), 0);

    TestState s;
    s.StepSize = 0.000125;
    s.LRStepSize = 0.000125;
    EXPECT_TRUE(DeriveUnsetMoveSizes(s));
    EXPECT_EQ(s.LRSmMove, 1);
    EXPECT_EQ(s.LRLgMove, 6);
    EXPECT_EQ(s.TFOblateMove, 40);
    EXPECT_EQ(s.TFRoughMove, 16);
    EXPECT_EQ(s.TFFinalMoves, 8);

    s.TFOblateMove = 99;
    s.StepSize = 0.0001;
    EXPECT_FALSE(DeriveUnsetMoveSizes(s));
    EXPECT_EQ(s.TFOblateMove, 99);
}
