// Mirror tracking and the centre-and-size click on synthetic frames: a disc of
// brightness 255 on a black 320 x 240 frame.

#include <gtest/gtest.h>

#include <QImage>

#include "live/Tracking.h"

namespace {

QImage Disc(int cx, int cy, int radius, int level = 255, int background = 0) {
    QImage frame(320, 240, QImage::Format_RGB32);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const int v =
                (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius ? level : background;
            frame.setPixel(x, y, qRgb(v, v, v));
        }
    return frame;
}

PictureCanvas Canvas(const QImage& frame) {
    PictureCanvas canvas(320, 240);
    canvas.SetPicture(frame);
    return canvas;
}

TEST(CentreSize, Radius60DiscClickedAnywhereInside) {
    const PictureCanvas picture = Canvas(Disc(160, 120, 60));
    for (const auto& [x, y] :
         {std::pair{160, 120}, {110, 120}, {200, 90}, {160, 170}, {135, 150}}) {
        const CentreSize c = FindCentreSize(picture, x, y);
        EXPECT_EQ(c.mirX, 160) << x << "," << y;
        EXPECT_EQ(c.mirY, 120) << x << "," << y;
        EXPECT_EQ(c.mirRad, 59) << x << "," << y;
        EXPECT_EQ(c.left, 100);
        EXPECT_EQ(c.right, 220);
    }
    const CentreSize c = FindCentreSize(picture, 160, 120);
    EXPECT_EQ(c.column, 160);
    EXPECT_EQ(c.top, 60);
    EXPECT_EQ(c.bottom, 180);
    // The same search on a coloured disc: brightness is the largest colour byte.
    QImage red(320, 240, QImage::Format_RGB32);
    const QImage grey = Disc(160, 120, 60);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) red.setPixel(x, y, qRgb(qRed(grey.pixel(x, y)), 0, 40));
    EXPECT_EQ(FindCentreSize(Canvas(red), 150, 130).mirRad, 59);
}

TEST(CentreSize, WideDiscSearchesThirtyPixelsInFromTheLeftEdge) {
    const CentreSize c = FindCentreSize(Canvas(Disc(160, 120, 115)), 160, 120);
    EXPECT_EQ(c.left, 45);
    EXPECT_EQ(c.right, 275);
    EXPECT_EQ(c.column, 75);
    EXPECT_EQ(c.mirX, 160);
    EXPECT_EQ(c.mirY, 120);
    EXPECT_EQ(c.mirRad, 114);
}

TEST(CentreSize, BottomSearchStopsAtRow232) {
    // The disc's lowest row is 234: the search ends at 232, two rows short of it.
    const CentreSize c = FindCentreSize(Canvas(Disc(160, 186, 48)), 160, 186);
    EXPECT_EQ(c.top, 138);
    EXPECT_EQ(c.bottom, 232);
}

TEST(CentreSize, APassStartingBeyondItsEndTestsNothing) {
    // Columns 0 to 2 lit, clicked at x 1: the left pass (1 down to 4) is empty.
    QImage strip = Disc(0, 0, 0);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 3; ++x) strip.setPixel(x, y, qRgb(255, 255, 255));
    const CentreSize side = FindCentreSize(Canvas(strip), 1, 120);
    EXPECT_EQ(side.left, 0);
    EXPECT_EQ(side.right, 3);
    // Rows 233 to 239 lit, clicked at row 236: the bottom pass (236 up to 232) is empty.
    QImage band = Disc(0, 0, 0);
    for (int y = 233; y < 240; ++y)
        for (int x = 0; x < 320; ++x) band.setPixel(x, y, qRgb(255, 255, 255));
    const CentreSize low = FindCentreSize(Canvas(band), 160, 236);
    EXPECT_EQ(low.top, 233);
    EXPECT_EQ(low.bottom, 0);
}

TEST(CentreSize, NoEdgeGivesValuesTheSlidersRefuse) {
    const SliderRange x{1, 320}, y{1, 240}, radius{1, 180};
    // A black frame: no pass finds an edge, everything stays 0.
    const CentreSize black = FindCentreSize(Canvas(Disc(0, 0, 0, 0)), 160, 120);
    EXPECT_EQ(black.mirX, 0);
    EXPECT_EQ(black.mirRad, -1);
    EXPECT_FALSE(CentreSizeFits(black, x, y, radius));
    // A click on the dark background beside the disc: no right edge is found.
    const CentreSize beside = FindCentreSize(Canvas(Disc(220, 120, 60)), 40, 120);
    EXPECT_FALSE(CentreSizeFits(beside, x, y, radius));
    // Clicks at the picture's corners and beyond it read nothing outside.
    for (const auto& [cx, cy] : {std::pair{0, 0}, {319, 239}, {-50, 400}, {5000, -5000}})
        EXPECT_FALSE(
            CentreSizeFits(FindCentreSize(Canvas(Disc(0, 0, 0, 0)), cx, cy), x, y, radius));
    const CentreSize good = FindCentreSize(Canvas(Disc(160, 120, 60)), 160, 120);
    EXPECT_TRUE(CentreSizeFits(good, x, y, radius));
    EXPECT_FALSE(CentreSizeFits(good, x, y, {1, 58}));
}

TEST(CentreSize, DrawsTheCrossHairAndCircle) {
    PictureCanvas picture = Canvas(Disc(160, 120, 60));
    DrawCentreSize(picture, FindCentreSize(picture, 160, 120));
    EXPECT_EQ(picture.GetPixel(160, 3), kMagenta);
    EXPECT_EQ(picture.GetPixel(3, 120), kMagenta);
    EXPECT_EQ(picture.GetPixel(160 + 59, 120), kMagenta);
    EXPECT_EQ(picture.GetPixel(160, 120 - 59), kMagenta);
}

// Tracking the radius-60 disc after the centre-and-size click (MirRad 59).
class Track : public ::testing::Test {
  protected:
    TrackResult Step(int discX, bool knifeRight, int discY = 120) {
        picture.SetPicture(Disc(discX, discY, 60));
        state.KnifeRight = knifeRight;
        TrackIO io;
        io.Picture1 = &picture;
        io.ReadMirror = [this] { return mirror; };
        io.SetMirX = [this](int32_t v) { mirror.X = v; };
        io.SetMirY = [this](int32_t v) { mirror.Y = v; };
        return TrackMirror(state, io);
    }
    bool Failed() const {
        // The failure text stands at (100, 35) in the picture's fore colour (yellow).
        for (int y = 35; y < 50; ++y)
            for (int x = 100; x < 200; ++x)
                if (picture.GetPixel(x, y) == kYellow) return true;
        return false;
    }

    TestState state;
    PictureCanvas picture{320, 240};
    MirrorCircle mirror{160, 120, 59};

    // A step's result and where it left the outline, as one text.
    std::string Seen(const TrackResult& t) const {
        return QString::asprintf("column %d rows %d-%d centre %d,%d %s, outline at %d,%d", t.cx,
                                 t.top, t.bottom, t.xc, t.yc, t.moved ? "moved" : "refused",
                                 mirror.X, mirror.Y)
            .toStdString();
    }

    void SetUp() override {
        picture.ForeColor = kYellow;
        state.StepSize = 0.000125;
        state.units = UnitMark(false);
    }
};

TEST_F(Track, KnifeRightFollowsTheLeftEdge) {
    TrackResult t = Step(160, true);
    EXPECT_FALSE(Failed());
    EXPECT_EQ(Seen(t), "column 119 rows 76-164 centre 161,121 moved, outline at 160,120");
    // White circles at the edges found; the status lines at the bottom.
    EXPECT_EQ(picture.GetPixel(119 + 5, 76), 0xFFFFFFu);
    EXPECT_EQ(picture.GetPixel(119, 164 + 5), 0xFFFFFFu);

    t = Step(162, true);
    EXPECT_EQ(Seen(t), "column 119 rows 78-162 centre 163,121 moved, outline at 161,120");

    mirror = {160, 120, 59};
    t = Step(163, true);
    EXPECT_TRUE(Failed());
    EXPECT_EQ(Seen(t), "column 119 rows 79-161 centre 164,121 refused, outline at 160,120");
    EXPECT_EQ(mirror.R, 59);

    t = Step(157, true);
    EXPECT_EQ(Seen(t), "column 119 rows 73-167 centre 158,121 moved, outline at 159,120");
}

TEST_F(Track, KnifeLeftFollowsTheRightEdge) {
    TrackResult t = Step(160, false);
    EXPECT_EQ(Seen(t), "column 201 rows 76-164 centre 159,121 moved, outline at 159,120");

    mirror = {160, 120, 59};
    t = Step(163, false);
    EXPECT_EQ(Seen(t), "column 201 rows 73-167 centre 162,121 moved, outline at 161,120");

    mirror = {160, 120, 59};
    t = Step(157, false);
    EXPECT_TRUE(Failed());
    EXPECT_EQ(Seen(t), "column 201 rows 79-161 centre 156,121 refused, outline at 160,120");
}

TEST_F(Track, FollowsAVerticalJumpWithinItsEdgeSearch) {
    // The outline as the click leaves it (radius 59): expected rows 78 and 162.
    // Three pixels up puts the top edge at the search's far end (73, five rows
    // above 78): found, and the centre moves halfway.
    TrackResult t = Step(160, true, 117);
    EXPECT_EQ(Seen(t), "column 119 rows 73-161 centre 161,118 moved, outline at 160,119");
    // Four up: its top edge lies beyond the search, nothing qualifies, refused.
    mirror = {160, 120, 59};
    t = Step(160, true, 116);
    EXPECT_TRUE(Failed());
    EXPECT_EQ(Seen(t), "column 119 rows 0-160 centre 160,81 refused, outline at 160,120");

    // An outline of the disc's own radius (column 118, rows 77 and 163) finds a
    // jump of four up at d = -4 on both edges, 3 rows from the centre it holds
    // (the centre row lies one below the middle of the edges).
    mirror = {160, 120, 60};
    t = Step(160, true, 116);
    EXPECT_EQ(Seen(t), "column 118 rows 73-159 centre 162,117 moved, outline at 161,118");
    // The next frames close in on the disc and stay a row below its centre.
    t = Step(160, true, 116);
    EXPECT_EQ(Seen(t), "column 119 rows 72-160 centre 162,117 moved, outline at 161,117");
    t = Step(160, true, 116);
    EXPECT_EQ(Seen(t), "column 119 rows 72-160 centre 162,117 moved, outline at 161,117");
}

TEST_F(Track, RefusesAVerticalJumpOfFourFromItsCentre) {
    // Five up: both edges found at the search's end, the centre row 116 lies
    // four from 120.
    mirror = {160, 120, 60};
    TrackResult t = Step(160, true, 115);
    EXPECT_TRUE(Failed());
    EXPECT_EQ(Seen(t), "column 118 rows 72-158 centre 162,116 refused, outline at 160,120");
    // Down, the centre row's one-row lead makes three pixels the limit.
    mirror = {160, 120, 60};
    t = Step(160, false, 123);
    EXPECT_EQ(Seen(t), "column 202 rows 80-166 centre 158,124 refused, outline at 160,120");
    mirror = {160, 120, 60};
    t = Step(160, false, 122);
    EXPECT_EQ(Seen(t), "column 202 rows 79-165 centre 158,123 moved, outline at 159,121");
}

TEST_F(Track, OutsideRunsOf200OrMoreNeverCount) {
    // A background of 50 gives outside sums of 200: no edge qualifies, top and
    // bottom stay 0, and the centre row 1 is refused.
    picture.SetPicture(Disc(160, 120, 60, 255, 50));
    TrackResult t = TrackSearch(picture, mirror, true, 160, 120);
    EXPECT_EQ(t.top, 0);
    EXPECT_EQ(t.bottom, 0);
    EXPECT_EQ(t.yc, 1);
    EXPECT_EQ(t.xc, 160);
    EXPECT_FALSE(t.moved);
    // At 49 (sums of 196) the edges are found again.
    picture.SetPicture(Disc(160, 120, 60, 255, 49));
    t = TrackSearch(picture, mirror, true, 160, 120);
    EXPECT_EQ(t.top, 76);
    EXPECT_EQ(t.bottom, 164);
    EXPECT_TRUE(t.moved);
}

}  // namespace
