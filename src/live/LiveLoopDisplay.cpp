// Steps 4 to 6 of a live pass without zone evaluation: the position line, the
// centring cross-hair and circle, the frame rate, and the speed gauge.

#include "core/NumberText.h"
#include "live/LiveLoop.h"
#include "live/ZoneMeasure.h"

OleColor GaugeColour(int32_t speedPercent) {
    if (speedPercent < 70) return kGreen;
    if (speedPercent <= 95) return kYellow;
    return kRed;
}

void LiveLoop::DrawLiveOverlays() {
    if (host_.TrackChecked()) {
        host_.TrackMirror();
    } else {
        PictureCanvas& picture = host_.Picture1();
        picture.CurrentX = 1;
        picture.CurrentY = 215;
        picture.Print(KnifeTravelLine(S()));
    }

    // Drawn after tracking too, from the sliders as tracking left them.
    PictureCanvas& picture = host_.Picture1();
    const double x = host_.MirXValue();
    const double y = host_.MirYValue();
    const double radius = host_.MirRadValue();
    picture.Line(x, 0, x, 240, kMagenta);
    picture.Line(0, y, 320, y, kMagenta);
    picture.Circle(x, y, radius, kMagenta);

    ShowFrameRate();

    host_.RefreshPicture1();
    host_.DoEvents();
}

void LiveLoop::ShowFrameRate() {
    TestState& s = S();
    // The live loop rounds the frame's rate down (the zone measurement rounds it).
    const int32_t shown = UpdateFrameRate(s, host_.QueryPerformanceCounter(), RateRounding::Down);
    PictureCanvas& picture = host_.Picture1();
    picture.CurrentX = 140;
    picture.CurrentY = 15;
    picture.Print(NumText(shown) + QStringLiteral(" FPS"));
}

void LiveLoop::DrawSpeedGauge(const LiveRun& run) {
    TestState& s = S();
    const int32_t d = run.d;

    if ((d < Maxdelay() && d > 1) || (s.SpeedPercent > 0 && s.SpeedPercent < 100)) {
        s.SpeedPercent = RoundToLong(100 - static_cast<double>(d) / Maxdelay() * 100);
        // This count paces live moves and the idle slow-down.
        BusyCount(0, 1, d);

        PictureCanvas& strip = host_.Picture3();
        strip.Cls();
        strip.CurrentX = RoundToLong(host_.Picture3Width()) / 2 - 20;
        strip.CurrentY = 0;
        strip.Print(QStringLiteral("% Spd"));

        const OleColor colour = GaugeColour(s.SpeedPercent);
        const int32_t w = RoundToLong(host_.Picture3Width() - 5);
        const int32_t h = RoundToLong(host_.Picture3Height() - 25);
        // The lines fill a right triangle: the higher the speed, the taller the wedge.
        const double top = h - h * static_cast<double>(s.SpeedPercent) / 100 + 15;
        for (int32_t x = 0; x <= w; ++x) strip.Line(0, h + 20, x, top, colour);

        if (s.SpeedPercent > 99 && run.code > 10) DrawVideoOffLabel();
    } else if (d == 1 && run.code > 10) {
        // A fast run has just ended, or a fast code has just reached full speed.
        s.SpeedPercent = 100;
        DrawVideoOffLabel();
    } else {
        s.SpeedPercent = 0;
    }
}

void LiveLoop::DrawVideoOffLabel() {
    PictureCanvas& strip = host_.Picture3();
    strip.CurrentY = strip.ScaleHeight() / 2 - 10;
    strip.CurrentX = 2;
    strip.FontSize = 10;
    strip.FontBold = true;
    const OleColor saved = strip.ForeColor;
    strip.ForeColor = kGreen;
    strip.Print(QStringLiteral("Vid"));
    strip.CurrentX = 2;
    strip.Print(QStringLiteral("OFF!"));
    strip.ForeColor = saved;
    strip.FontSize = 8;
    strip.FontBold = false;
}
