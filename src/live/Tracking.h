#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "core/TestState.h"
#include "live/ZoneMeasure.h"
#include "platform/PictureCanvas.h"

// Both searches treat the mirror as a bright disc on a dark background and read
// the brightness of Picture1's image; a point outside the picture reads 0.

// ---- Tracking ---------------------------------------------------------------------

// What one tracking step found: the probe column, the top and bottom edges in it
// (0 when none qualified), the centre row and column they give, and whether the
// centre moved (false: "Tracking Failure!!!").
struct TrackResult {
    int32_t cx = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t yc = 0;
    int32_t xc = 0;
    bool moved = false;
    int32_t newX = 0;  // MirX and MirY after the step (unchanged on a failure)
    int32_t newY = 0;
};

// An outside run of four pixels whose brightness sum reaches this never counts as
// an edge in tracking.
constexpr int kTrackOutsideLimit = 200;
// The mirror may move less than this many pixels per frame in either direction.
constexpr int kTrackJumpLimit = 4;

// The search alone: probe column and expected rows for the knife's side, the
// +-5 pixel searches for top, bottom and side edge, the centre they give, and the
// jump test against the centre (X, Y) the sliders hold when it is made.
TrackResult TrackSearch(const PictureCanvas& picture, const MirrorCircle& mirror, bool knifeRight,
                        int32_t currentX, int32_t currentY);

// The sliders as the tracking reads and sets them.
struct TrackIO {
    PictureCanvas* Picture1 = nullptr;
    std::function<MirrorCircle()> ReadMirror;  // MirX, MirY, MirRad now
    std::function<void(int32_t)> SetMirX;
    std::function<void(int32_t)> SetMirY;
};

// TrackMirror, once per frame: the search, the move of MirX and MirY halfway
// towards the found centre (or "Tracking Failure!!!" at (100, 35)), white circles
// of radius 5 at the top and bottom edges found, and the status lines. MirRad is
// never changed.
TrackResult TrackMirror(const TestState& state, const TrackIO& io);

// ---- Centre-and-size ---------------------------------------------------------------

// The edges the centre-and-size found (0 for a pass that found none) and the
// centre and radius they give.
struct CentreSize {
    int32_t left = 0;
    int32_t right = 0;
    int32_t column = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t cy = 0;
    int32_t r = 0;  // half the width between the edges of the second pass
    int32_t mirX = 0;
    int32_t mirY = 0;
    int32_t mirRad = 0;
};

// The four edge passes outward from the click (x0, y0): left and right on the
// click's row, top and bottom in the search column, left and right again on the
// centre row. Pure: reads the picture, draws nothing.
CentreSize FindCentreSize(const PictureCanvas& picture, int32_t x0, int32_t y0);

// The sliders' ranges, and whether a result fits all three.
struct SliderRange {
    int32_t min = 1;
    int32_t max = 1;
    bool Holds(int32_t value) const { return value >= min && value <= max; }
};
bool CentreSizeFits(const CentreSize& found, SliderRange x, SliderRange y, SliderRange radius);

// The magenta cross-hair through the found centre and the circle of radius
// |r - 1| around it.
void DrawCentreSize(PictureCanvas& picture, const CentreSize& found);
