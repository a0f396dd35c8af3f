#include <gtest/gtest.h>

#include "app/Layout.h"

namespace {

LayoutFlags Flags(bool debug, bool moreText = false, bool strip = true) {
    LayoutFlags f;
    f.ClientWidth = 792;
    f.ClientHeight = 554;
    f.ShowDebug = debug;
    f.ShowMoreText = moreText;
    f.Picture3Visible = strip;
    return f;
}

void ExpectGeometry(const Geometry& g, float left, float top, float width, float height) {
    EXPECT_EQ(g.Left, left);
    EXPECT_EQ(g.Top, top);
    EXPECT_EQ(g.Width, width);
    EXPECT_EQ(g.Height, height);
}

}  // namespace

TEST(MainLayout, NormalLayoutWithDesignSizes) {
    const MainControls c = LayoutMainWindow(DesignControls(), Flags(false));
    EXPECT_FALSE(c.DebugControlsVisible);
    // Span 244 over column heights 246: no gap.
    EXPECT_EQ(c.Chk_trak.Top, 1);
    EXPECT_EQ(c.Command3.Top, 34);
    EXPECT_EQ(c.abort.Top, 76);
    EXPECT_EQ(c.Command5.Top, 110);
    EXPECT_EQ(c.Command1.Top, 144);
    EXPECT_EQ(c.Frame3.Top, 178);
    ExpectGeometry(c.Command1, 4, 144, 56, 33);
    ExpectGeometry(c.cmdpause, 60, 144, 56, 33);
    EXPECT_EQ(c.Command3.Width, 113);
    EXPECT_EQ(c.Frame3.Width, 113);
    ExpectGeometry(c.Text2, 444, 0, 348, 244);
    ExpectGeometry(c.Picture3, 752, 244, 40, 310);
    ExpectGeometry(c.Picture2, 0, 244, 752, 310);
    ExpectGeometry(c.Picture1, 120, 0, 324, 244);  // never moved
    EXPECT_EQ(c.SpdLabelX, 0);
}

TEST(MainLayout, DebugLayoutWithDesignSizes) {
    const MainControls c = LayoutMainWindow(DesignControls(), Flags(true));
    EXPECT_TRUE(c.DebugControlsVisible);
    // H = 244 + 25 + 25 = 294, G = 48 \ 5 = 9: the first space is G, the others G + 1.
    EXPECT_EQ(c.Chk_trak.Top, 1);
    EXPECT_EQ(c.Command3.Top, 43);
    EXPECT_EQ(c.abort.Top, 94);
    EXPECT_EQ(c.Command5.Top, 137);
    EXPECT_EQ(c.Command1.Top, 180);
    EXPECT_EQ(c.Frame3.Top, 223);
    ExpectGeometry(c.MirX, 120, 244, 324, 25);
    ExpectGeometry(c.MirRad, 120, 269, 324, 25);
    ExpectGeometry(c.MirY, 444, 0, 41, 244);
    EXPECT_EQ(c.MirXMax, 324);
    EXPECT_EQ(c.MirRadMax, 162);
    EXPECT_EQ(c.MirYMax, 244);
    ExpectGeometry(c.Text1, 485, 0, 307, 73);
    ExpectGeometry(c.Text2, 485, 73, 307, 221);
    EXPECT_EQ(c.Save_picture.Left, 444);
    EXPECT_EQ(c.Save_picture.Top, 244);
    ExpectGeometry(c.Picture3, 752, 294, 40, 260);
    ExpectGeometry(c.Picture2, 0, 294, 752, 260);
}

TEST(MainLayout, LargerPictureMovesEverythingAndSetsSliderMaxima) {
    MainControls design = DesignControls();
    design.Picture1 = {120, 0, 644, 484};
    LayoutFlags f = Flags(true);
    f.ClientWidth = 1200;
    f.ClientHeight = 800;
    const MainControls c = LayoutMainWindow(design, f);
    EXPECT_EQ(c.MirXMax, 644);
    EXPECT_EQ(c.MirRadMax, 322);
    EXPECT_EQ(c.MirYMax, 484);
    EXPECT_EQ(c.MirY.Left, 764);
    EXPECT_EQ(c.Picture2.Top, 534);
    // Gap (534 - 246) \ 5 = 57.
    EXPECT_EQ(c.Command3.Top, 33 + 57 + 1);

    const MainControls normal = LayoutMainWindow(design, Flags(false));
    EXPECT_EQ(normal.Text2.Left, 764);
    EXPECT_EQ(normal.Picture3.Top, 484);
    EXPECT_EQ(normal.MirXMax, 320);  // the normal layout leaves the maxima alone
}

TEST(MainLayout, HiddenSpeedStripAndMoreText) {
    MainControls c = LayoutMainWindow(DesignControls(), Flags(false, false, false));
    EXPECT_EQ(c.Picture2.Width, 792);

    c = LayoutMainWindow(DesignControls(), Flags(false, true, true));
    EXPECT_EQ(c.Picture3.Left, 404);
    EXPECT_EQ(c.Picture2.Width, 404);
    EXPECT_EQ(c.Text2.Height, 554);

    c = LayoutMainWindow(DesignControls(), Flags(false, true, false));
    EXPECT_EQ(c.Picture2.Width, 444);

    c = LayoutMainWindow(DesignControls(), Flags(true, true, false));
    EXPECT_EQ(c.Picture3.Left, 445);
    EXPECT_EQ(c.Text2.Height, 554 - 73);
    EXPECT_EQ(c.Picture2.Width, 485);

    c = LayoutMainWindow(DesignControls(), Flags(true, false, false));
    EXPECT_EQ(c.Picture2.Width, 792);
}

TEST(MainLayout, TurningDebugOffOnlyHidesTheDebugControls) {
    const MainControls debug = LayoutMainWindow(DesignControls(), Flags(true));
    const MainControls normal = LayoutMainWindow(debug, Flags(false));
    EXPECT_FALSE(normal.DebugControlsVisible);
    EXPECT_EQ(normal.MirXMax, debug.MirXMax);
    EXPECT_EQ(normal.MirX.Top, debug.MirX.Top);
    EXPECT_EQ(normal.Text1.Left, debug.Text1.Left);
}

TEST(MainLayout, TinyWindowKeepsSizesItCannotTake) {
    const MainControls before = LayoutMainWindow(DesignControls(), Flags(false));
    LayoutFlags tiny = Flags(false);
    tiny.ClientWidth = 100;
    tiny.ClientHeight = 50;
    const MainControls c = LayoutMainWindow(before, tiny);
    EXPECT_EQ(c.Text2.Width, before.Text2.Width);  // 100 - 444 < 0: kept
    EXPECT_EQ(c.Picture3.Height, before.Picture3.Height);
    EXPECT_EQ(c.Picture3.Left, 60);  // positions may go anywhere
    EXPECT_EQ(c.Picture2.Width, 60);
    EXPECT_EQ(c.Frame3.Top, 178);  // the rest still runs
}
