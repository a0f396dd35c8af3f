#include <gtest/gtest.h>

#include "app/TextWindowLayout.h"

namespace {

TEST(TextWindowLayout, WideningWidensBothFramesAndBoxesByTheSameAmount) {
    const TextWindowControls a = ResizeTextWindow(TextWindowDesign(), 6480, 6195);
    EXPECT_EQ(a.Frame1.Width, 6305);
    EXPECT_EQ(a.Text1.Width, 6060);
    EXPECT_EQ(a.Frame2.Width, 6305);
    EXPECT_EQ(a.Frame2.Height, 3200);
    EXPECT_EQ(a.Text2.Width, 6060);
    EXPECT_EQ(a.Text2.Height, 2775);

    const TextWindowControls b = ResizeTextWindow(a, 6480 + 1500, 6195);
    EXPECT_EQ(b.Frame1.Width - a.Frame1.Width, 1500);
    EXPECT_EQ(b.Text1.Width - a.Text1.Width, 1500);
    EXPECT_EQ(b.Frame2.Width - a.Frame2.Width, 1500);
    EXPECT_EQ(b.Text2.Width - a.Text2.Width, 1500);
    // The upper frame never changes height; the lower one keeps its top.
    EXPECT_EQ(b.Frame1.Height, 2535);
    EXPECT_EQ(b.Text1.Height, 2055);
    EXPECT_EQ(b.Frame2.Top, 2520);
    EXPECT_EQ(b.Frame2.Height, a.Frame2.Height);
}

TEST(TextWindowLayout, TooSmallKeepsTheLastValidSizes) {
    const TextWindowControls a = ResizeTextWindow(TextWindowDesign(), 6480, 3600);
    EXPECT_EQ(a.Frame2.Height, 605);
    EXPECT_EQ(a.Text2.Height, 180);
    // 2520 + 475 = 2995: below it the lower frame's height would be negative.
    const TextWindowControls b = ResizeTextWindow(a, 6480, 2900);
    EXPECT_EQ(b.Frame2.Height, 605);
    EXPECT_EQ(b.Text2.Height, 180);
    // Between the two limits the frame follows, its box (425 less) does not.
    const TextWindowControls c = ResizeTextWindow(b, 6480, 3200);
    EXPECT_EQ(c.Frame2.Height, 205);
    EXPECT_EQ(c.Text2.Height, 180);
    // Too narrow: the widths stay, the height rule still runs.
    const TextWindowControls d = ResizeTextWindow(c, 300, 3700);
    EXPECT_EQ(d.Frame1.Width, 125);
    EXPECT_EQ(d.Text1.Width, 6060);
    EXPECT_EQ(d.Text2.Width, 6060);
    EXPECT_EQ(d.Frame2.Height, 705);
    EXPECT_EQ(TwipsToPixels(6375), 425);
    EXPECT_EQ(TwipsToPixels(2535), 169);
}

}  // namespace
