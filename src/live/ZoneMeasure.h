#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/TestState.h"
#include "platform/PictureCanvas.h"

// Brightness of a pixel: the largest of its red, green and blue bytes (0 to 255).
inline int Brightness(OleColor colour) {
    const int r = static_cast<int>(colour & 0xFF);
    const int g = static_cast<int>((colour >> 8) & 0xFF);
    const int b = static_cast<int>((colour >> 16) & 0xFF);
    return r > g ? (r > b ? r : b) : (g > b ? g : b);
}

// "Knife Travel = " & travel & units: travel is Ypos x StepSize (x 25.4 when
// Metric), rounded to 4 decimals, halves to even.
QString KnifeTravelLine(const TestState& state);

// The status lines on Picture1: the knife travel at (1, 215), TestStatus at
// (200, 215) and "Using File <WorkFile>  Test #<WorkNum>" roughly centred at
// y 1. The file line is left out for an empty WorkFile when skipEmptyFile is set
// (tracking does that; the measurement always prints it).
void PrintStatusLines(const TestState& state, PictureCanvas& picture1, bool skipEmptyFile);

// x of the centred file line: 160 - (length x 7) \ 2.
int FileLineX(const QString& line);

// The frame-rate ring: entries 0 to 7 move one place up, entry 9 becomes the
// sum of the new entries 1 to 8, entry 0 the rate of this frame from the
// counter readings QpcLast and now (which becomes QpcNow and then QpcLast).
// Returns the rate to show: (entry 9 + entry 0) \ 10. The measurement rounds
// the rate halves to even, the live loop rounds it down. A frame that took no
// measurable time (or a frequency not yet read) counts as rate 0.
enum class RateRounding { HalfEven, Down };
int32_t UpdateFrameRate(TestState& state, int64_t now, RateRounding rounding);

// Radius of the obstruction circle: (R \ (MirDiam / 2 rounded)) x (Obst / 2).
// None when the rounded half diameter is below 1 (no scale to draw it with).
std::optional<double> ObstructionRadius(int32_t mirRad, double mirDiam, double obst);

// Mirror centre and radius in Picture1's pixels (the sliders MirX, MirY, MirRad).
struct MirrorCircle {
    int32_t X = 160;
    int32_t Y = 120;
    int32_t R = 125;
};

// What one measurement works on besides the test state: the two pictures, the
// two bar swatches, and the main window's controls as values and hooks.
struct ZoneMeasureIO {
    PictureCanvas* Picture1 = nullptr;  // the live frame
    PictureCanvas* Picture2 = nullptr;  // the bar graphs
    // Outer width of the Picture2 control; below 0: its canvas plus the 2-pixel border.
    double Picture2Width = -1;
    const QImage* Blue = nullptr;  // pBlue: its top-left 10 x 10 pixels make the left bars
    const QImage* Red = nullptr;   // pRed: the right bars

    bool Track = false;                 // Chk_trak's value is 1
    std::function<void()> TrackMirror;  // runs instead of the status lines while Track is set
    // Reads MirX, MirY, MirRad now (after tracking); when empty, Mirror is used.
    std::function<MirrorCircle()> ReadMirror;
    MirrorCircle Mirror;
    // Slider1's value = AvgFrames (only called while Manual is off); its value
    // event then sets AvgFrames as usual.
    std::function<void(int32_t)> SetSlider1;
    std::function<void(const QString&)> SetFrame3Caption;
    // The high-resolution counter; when empty, QueryPerformanceCounter.
    std::function<int64_t()> Counter;
};

// One frame of the zone measurement: status lines or tracking, the left and
// right brightness of every zone from seven rows at its sampling points, the
// 30-frame histories and their AvgFrames averages in LZV and RZV, the bar pairs
// in Picture2 (unless BarsOff), the ticks, cross-hair, mirror and obstruction
// circles on Picture1 and the frame rate. Does nothing and returns false when
// NZ is outside 1..16, AvgFrames outside 1..30 or a picture is missing. Pending
// events are the caller's to run afterwards.
bool MeasureAndDrawZones(TestState& state, const ZoneMeasureIO& io);
