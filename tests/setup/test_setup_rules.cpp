#include <gtest/gtest.h>

#include "setup/SetupRules.h"

// The window tests cover the rule inside the range; here its ends.
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
