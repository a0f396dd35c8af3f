#include <gtest/gtest.h>

#include "FakeLiveHost.h"
#include "platform/KeyState.h"

namespace {

// The part of a canvas inside the rectangle, for comparing printed text.
QImage Region(const PictureCanvas& canvas, const QRect& rect) {
    return canvas.Image().copy(rect);
}

bool HasColour(const PictureCanvas& canvas, const QRect& rect, OleColor colour) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (canvas.GetPixel(x, y) == colour) return true;
        }
    }
    return false;
}

// What a print of the text at (x, y) looks like on a blank canvas of the same size.
PictureCanvas Printed(const PictureCanvas& like, double x, double y, const QString& text) {
    PictureCanvas canvas(like.ScaleWidth(), like.ScaleHeight());
    canvas.CurrentX = x;
    canvas.CurrentY = y;
    canvas.Print(text);
    return canvas;
}

class LiveDisplay : public ::testing::Test, public LiveFixture {
  protected:
    LiveDisplay() {
        // Keep the cross-hair and circle clear of the position line.
        host.mirX = 319;
        host.mirY = 20;
        host.mirRad = 5;
    }
    const QRect travelArea{0, 200, 300, 40};
};

TEST_F(LiveDisplay, TravelLineInInchesAndMillimetres) {
    host.state.Ypos = 800;
    host.state.StepSize = 0.000125;
    loop.DrawLiveOverlays();
    const QImage inches = Region(host.picture1, travelArea);
    EXPECT_EQ(inches, Region(Printed(host.picture1, 1, 215, "Knife Travel = 0.1\""), travelArea));
    EXPECT_NE(inches, Region(Printed(host.picture1, 1, 215, "Knife Travel = 0.1 \""), travelArea));

    host.picture1.Cls();
    host.state.Metric = true;
    host.state.units = QStringLiteral("mm");
    loop.DrawLiveOverlays();
    EXPECT_EQ(Region(host.picture1, travelArea),
              Region(Printed(host.picture1, 1, 215, "Knife Travel = 2.54mm"), travelArea));
    EXPECT_EQ(host.refreshes, 2);
    EXPECT_EQ(host.events, 2);
}

TEST_F(LiveDisplay, TrackingReplacesTheTravelLineButNotTheOverlay) {
    host.track = true;
    host.mirX = 100;
    host.mirY = 60;
    host.mirRad = 30;
    loop.DrawLiveOverlays();
    EXPECT_EQ(host.tracks, 1);
    EXPECT_FALSE(HasColour(host.picture1, QRect(0, 210, 90, 20), 0x000000));
    EXPECT_EQ(host.picture1.GetPixel(100, 230), kMagenta);  // vertical line to y 240
    EXPECT_EQ(host.picture1.GetPixel(310, 60), kMagenta);   // horizontal line to x 320
    EXPECT_TRUE(HasColour(host.picture1, QRect(119, 37, 5, 5), kMagenta));  // the circle
}

TEST_F(LiveDisplay, FrameRateIsRoundedDownAndAveragedOverTen) {
    host.state.FpsRing.fill(20);
    host.state.QpcLast = host.counter;
    loop.ShowFrameRate();
    EXPECT_EQ(host.state.FpsRing[0], 20);
    EXPECT_EQ(host.state.FpsRing[9], 160);
    EXPECT_EQ(host.state.QpcLast, host.counter);
    const QRect area(130, 10, 100, 30);
    EXPECT_EQ(Region(host.picture1, area), Region(Printed(host.picture1, 140, 15, "18 FPS"), area));

    host.counterStep = 47846889;  // 20.9 frames a second
    loop.ShowFrameRate();
    EXPECT_EQ(host.state.FpsRing[0], 20);
    EXPECT_EQ(host.state.FpsRing[1], 20);
}

TEST(LiveGauge, ColourBands) {
    EXPECT_EQ(GaugeColour(0), kGreen);
    EXPECT_EQ(GaugeColour(69), kGreen);
    EXPECT_EQ(GaugeColour(70), kYellow);
    EXPECT_EQ(GaugeColour(95), kYellow);
    EXPECT_EQ(GaugeColour(96), kRed);
    EXPECT_EQ(GaugeColour(100), kRed);
}

TEST_F(LiveDisplay, GaugeWedgeWhileRamping) {
    LiveRun run{50, 0, 1};
    host.mindelay = 7;
    loop.DrawSpeedGauge(run);
    EXPECT_EQ(host.state.SpeedPercent, 50);
    EXPECT_EQ(host.mindelayReads, 7 + 50 + 1);  // the pacing count up to Mindelay + d
    // Wedge corners (0, 270), (0, 140), (35, 140) on the 36 x 271 strip.
    EXPECT_EQ(host.picture3.GetPixel(5, 200), kGreen);
    EXPECT_EQ(host.picture3.GetPixel(30, 250), host.picture3.BackColor);
    EXPECT_EQ(host.picture3.GetPixel(5, 130), host.picture3.BackColor);

    run.d = 20;
    loop.DrawSpeedGauge(run);
    EXPECT_EQ(host.state.SpeedPercent, 80);
    EXPECT_EQ(host.picture3.GetPixel(5, 200), kYellow);
    run.d = 3;
    loop.DrawSpeedGauge(run);
    EXPECT_EQ(host.state.SpeedPercent, 97);
    EXPECT_EQ(host.picture3.GetPixel(5, 200), kRed);

    // At rest with the gauge full: the strip is left as it is and reads 0.
    run.d = 0;
    host.state.SpeedPercent = 100;
    loop.DrawSpeedGauge(run);
    EXPECT_EQ(host.state.SpeedPercent, 0);
    EXPECT_EQ(host.picture3.GetPixel(5, 200), kRed);
}

TEST_F(LiveDisplay, ReleasedFastRunShowsVideoOff) {
    host.maxdelay = 1;
    int held = 3;
    host.keyFn = [&](int vk) -> short { return vk == VK_M && held-- > 0 ? 1 : 0; };
    host.picture3.Line(30, 5, 34, 5, kRed);  // something already on the strip
    host.picture3.ForeColor = 0x123456;
    LiveRun run = loop.StartRun();
    host.state.Manual = false;
    EXPECT_FALSE(loop.RunPass(run));
    EXPECT_EQ(run.code, 12);
    EXPECT_EQ(run.d, 1);
    EXPECT_EQ(host.state.Ypos, 3);  // one step in the pass, two in the fast run
    EXPECT_EQ(host.grabs, 1);
    EXPECT_EQ(host.state.SpeedPercent, 100);
    // "Vid" over "OFF!", green, bold, size 10, drawn over the strip without clearing.
    PictureCanvas expected(36, 271);
    expected.Line(30, 5, 34, 5, kRed);
    expected.CurrentX = 2;
    expected.CurrentY = 125;
    expected.FontSize = 10;
    expected.FontBold = true;
    expected.ForeColor = kGreen;
    expected.Print("Vid");
    expected.CurrentX = 2;
    expected.Print("OFF!");
    EXPECT_EQ(host.picture3.Image(), expected.Image());
    EXPECT_EQ(host.picture3.ForeColor, 0x123456u);
    EXPECT_EQ(host.picture3.FontSize, 8);
    EXPECT_FALSE(host.picture3.FontBold);
}

}  // namespace
