#include <gtest/gtest.h>

#include "core/NumberText.h"
#include "setup/StepSize.h"

namespace {

// The state of a rig set up for 0.000125-inch half steps of the platform and
// 0.0000625-inch half steps of the knife, with tuned moves.
TestState Rig(bool metric = false) {
    TestState s;
    s.StepSize = 0.000125;
    s.LRStepSize = 0.0000625;
    s.Metric = metric;
    s.units = UnitMark(metric);
    s.TFOblateMove = 41;
    s.TFRoughMove = 17;
    s.TFFinalMoves = 9;
    s.LRLgMove = 7;
    s.LRSmMove = 2;
    return s;
}

struct Moves {
    int32_t oblate, rough, final_, large, small;
    bool operator==(const Moves&) const = default;
};
Moves MovesOf(const TestState& s) {
    return {s.TFOblateMove, s.TFRoughMove, s.TFFinalMoves, s.LRLgMove, s.LRSmMove};
}

}  // namespace

TEST(StepSize, ANewStepDerivesTheMovesOfItsAxisOnly) {
    TestState s = Rig();
    EXPECT_EQ(FullStepText(s.StepSize, false), "0.00025");
    EXPECT_EQ(FullStepText(s.LRStepSize, false), "0.000125");
    // OK without a change stores the same steps and keeps the tuned moves.
    ASSERT_TRUE(ApplyStepSizes("0.00025", "0.000125", false, s).accepted);
    EXPECT_EQ(MovesOf(s), MovesOf(Rig()));
    EXPECT_EQ(s.StepSize, 0.000125);
    EXPECT_EQ(s.LRStepSize, 0.0000625);
    s.StepSize = 0.0001;
    ASSERT_TRUE(ApplyStepSizes("0.00025", "0.000125", false, s).accepted);
    EXPECT_EQ(MovesOf(s), (Moves{40, 16, 8, 7, 2}));  // the knife's tuned moves stay

    s.LRStepSize = 0.0001;
    ASSERT_TRUE(ApplyStepSizes("0.00025", "0.00025", false, s).accepted);
    EXPECT_EQ(MovesOf(s), (Moves{40, 16, 8, 6, 1}));

    // 0.000125 / 0.00025 = 0.5 rounds to the even 0.
    ASSERT_TRUE(ApplyStepSizes("0.00025", "0.0005", false, s).accepted);
    EXPECT_EQ(s.LRLgMove, 3);
    EXPECT_EQ(s.LRSmMove, 0);
    EXPECT_EQ(s.LRStepSize, 0.00025);
}

TEST(StepSize, ChangingOnlyTheUnitReadsTheNumbersInTheNewUnit) {
    TestState s = Rig();
    ASSERT_TRUE(ApplyStepSizes("0.00025", "0.0005", true, s).accepted);
    EXPECT_TRUE(s.Metric);
    EXPECT_EQ(s.units, "mm");
    double platform = 0, knife = 0;
    ASSERT_TRUE(ParseNumber(NumText(0.00025 / 25.4), platform));
    ASSERT_TRUE(ParseNumber(NumText(0.0005 / 25.4), knife));
    EXPECT_EQ(s.StepSize, platform / 2);
    EXPECT_EQ(s.LRStepSize, knife / 2);
    EXPECT_EQ(s.TFOblateMove, 1016);  // 0.005 / (0.00025 / 25.4 / 2)
    EXPECT_EQ(s.LRLgMove, 76);        // 0.00075 / (0.0005 / 25.4 / 2) = 76.2
    EXPECT_EQ(s.LRSmMove, 13);        // 12.7
}

TEST(StepSize, RefusedEntriesStoreNothing) {
    struct Case {
        const char *platform, *knife, *title, *text;
    };
    const Case cases[] = {
        {"0.00025\"", "0.00025", "Ooops1",
         "Step size must be a Numerical Value, not included any notation!"},
        {"0.00025", "1/4000", "Ooops1",
         "Step size must be a Numerical Value, not included any notation!"},
        {"1e999", "0.00025", "Ooops1",
         "Step size must be a Numerical Value, not included any notation!"},
        {"0", "0.00025", "Ooops", "Step size must be a non zero value!"},
        {"0.00025", "-0", "Ooops", "Step size must be a non zero value!"},
        {"-0.00025", "0.00025", "Ooops", "Step size must be a positive value!"},
        {"0.00025", "-1", "Ooops", "Step size must be a positive value!"},
        // Steps no tester makes: its moves would take hours, or days.
        {"2e-15", "0.00025", "Ooops",
         "Step size 2e-15 mm is not one a tester makes: a full step must be 0.000005 to 4 "
         "inches (0.000127 to 101.6 mm)!"},
        {"0.00025", " 0.0001 ", "Ooops",
         "Step size 0.0001 mm is not one a tester makes: a full step must be 0.000005 to 4 "
         "inches (0.000127 to 101.6 mm)!"},
        {"101.7", "0.00025", "Ooops",
         "Step size 101.7 mm is not one a tester makes: a full step must be 0.000005 to 4 "
         "inches (0.000127 to 101.6 mm)!"},
    };
    for (const Case& c : cases) {
        TestState s = Rig();
        const StepSizeOutcome outcome = ApplyStepSizes(c.platform, c.knife, true, s);
        EXPECT_FALSE(outcome.accepted) << c.platform << " " << c.knife;
        EXPECT_EQ(outcome.message.title, c.title) << c.platform << " " << c.knife;
        EXPECT_EQ(outcome.message.text, c.text);
        EXPECT_EQ(outcome.message.icon, MsgIcon::Critical);
        EXPECT_EQ(s.StepSize, 0.000125);
        EXPECT_EQ(s.LRStepSize, 0.0000625);
        EXPECT_FALSE(s.Metric);
        EXPECT_EQ(MovesOf(s), MovesOf(Rig()));
    }
    // The finest step a tester makes, and one just finer.
    TestState s = Rig();
    ASSERT_TRUE(ApplyStepSizes("0.000005", "0.00025", false, s).accepted);
    EXPECT_EQ(s.TFOblateMove, 2000);
    EXPECT_FALSE(ApplyStepSizes("0.0000049", "0.00025", false, s).accepted);
    EXPECT_FALSE(ApplyStepSizes("0.00025", "0.000000001", false, s).accepted);
}
