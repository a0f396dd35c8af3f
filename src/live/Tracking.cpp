#include "live/Tracking.h"

#include <cmath>
#include <cstdlib>

#include "core/NumberText.h"

namespace {

constexpr OleColor kWhite = 0xFFFFFF;
constexpr int kRunLength = 4;
constexpr int kSearchReach = 5;  // tracking looks this many pixels either way

// Sum of the brightness of four pixels from (x, y) one way: (dx, dy) per pixel.
int RunSum(const PictureCanvas& picture, int x, int y, int dx, int dy) {
    int sum = 0;
    for (int k = 0; k < kRunLength; ++k)
        sum += Brightness(picture.GetPixel(x + k * dx, y + k * dy));
    return sum;
}

// One edge pass of the centre-and-size: candidates from `from` to `to` (inclusive)
// in steps of `step` (+1 or -1, away from the click) along a row (horizontal) or
// a column at `across`. A pass whose start lies beyond its end (a click within
// four pixels of the picture's side, or below row 232) tests nothing. The inside
// run goes back towards the click, the outside run away from it; the candidate is
// kept when inside \ 3 - outside \ 3 beats the pass's best (from 0), so a tie
// keeps the candidate nearer the click. `found` keeps its value when no candidate
// qualifies.
void EdgePass(const PictureCanvas& picture, bool horizontal, int across, int from, int to, int step,
              int32_t& found) {
    int best = 0;
    for (int p = from; step > 0 ? p <= to : p >= to; p += step) {
        const int x = horizontal ? p : across;
        const int y = horizontal ? across : p;
        const int dx = horizontal ? step : 0;
        const int dy = horizontal ? 0 : step;
        const int inside = RunSum(picture, x, y, -dx, -dy) / 3;
        const int outside = RunSum(picture, x, y, dx, dy) / 3;
        if (inside - outside > best) {
            best = inside - outside;
            found = p;
        }
    }
}

// Left edge from x0 down to 4 and right edge from x0 up to 316, on one row.
void LeftRight(const PictureCanvas& picture, int32_t x0, int32_t row, CentreSize& c) {
    EdgePass(picture, true, row, x0, 4, -1, c.left);
    EdgePass(picture, true, row, x0, 316, 1, c.right);
}

}  // namespace

TrackResult TrackSearch(const PictureCanvas& picture, const MirrorCircle& mirror, bool knifeRight,
                        int32_t currentX, int32_t currentY) {
    const double X = mirror.X;
    const double Y = mirror.Y;
    const double R = mirror.R;
    TrackResult t;

    // 2. Probe column and the side edge on the knife's side; expected top and bottom rows.
    const double h = std::sqrt(R * R - (0.7 * R) * (0.7 * R));
    double e0;
    if (knifeRight) {
        t.cx = RoundToLong(X - 0.7 * R);
        e0 = X - R;
    } else {
        t.cx = RoundToLong(0.7 * R + X);
        e0 = X + R;
    }
    const int32_t t0 = RoundToLong(Y - h);
    const int32_t b0 = RoundToLong(h + Y);

    // 3. Top and bottom edges in the probe column: the last dark position beside
    // the disc, since an outside run on a bright pixel is refused.
    int bestTop = 0;
    int bestBottom = 0;
    for (int d = -kSearchReach; d <= kSearchReach; ++d) {
        const int top = t0 + d;
        const int s1 = RunSum(picture, t.cx, top, 0, -1);
        const int s2 = RunSum(picture, t.cx, top, 0, 1);
        if (s2 - s1 > bestTop && s1 < kTrackOutsideLimit) {
            bestTop = s2 - s1;
            t.top = top;
        }
        const int bottom = b0 + d;
        const int s3 = RunSum(picture, t.cx, bottom, 0, 1);
        const int s4 = RunSum(picture, t.cx, bottom, 0, -1);
        if (s4 - s3 > bestBottom && s3 < kTrackOutsideLimit) {
            bestBottom = s4 - s3;
            t.bottom = bottom;
        }
    }

    // 4.
    t.yc = (t.bottom - t.top) / 2 + t.top + 1;

    // 5. The side edge on row yc.
    t.xc = mirror.X;
    const int32_t first = RoundToLong(e0);
    const int32_t radius = mirror.R;
    int bestSide = 0;
    for (int d = -kSearchReach; d <= kSearchReach; ++d) {
        const int e = first + d;
        const int right = RunSum(picture, e, t.yc, 1, 0);
        const int left = RunSum(picture, e, t.yc, -1, 0);
        if (knifeRight) {
            if (right - left > bestSide && left < kTrackOutsideLimit) {
                bestSide = right - left;
                t.xc = e + radius + 2;
            }
        } else if (left - right > bestSide && right < kTrackOutsideLimit) {
            bestSide = left - right;
            t.xc = e - radius - 2;
        }
    }

    // 6. Jump test: halfway towards a centre less than 4 pixels away.
    t.newX = currentX;
    t.newY = currentY;
    if (std::abs(currentX - t.xc) < kTrackJumpLimit &&
        std::abs(currentY - t.yc) < kTrackJumpLimit) {
        t.moved = true;
        t.newX = (currentX + t.xc) / 2;
        t.newY = (currentY + t.yc) / 2;
    }
    return t;
}

TrackResult TrackMirror(const TestState& state, const TrackIO& io) {
    if (!io.Picture1 || !io.ReadMirror) return {};
    PictureCanvas& picture = *io.Picture1;
    const MirrorCircle mirror = io.ReadMirror();
    // The jump test reads the sliders again; nothing runs in between that could
    // change them, so the first reading stands for both.
    const TrackResult t = TrackSearch(picture, mirror, state.KnifeRight, mirror.X, mirror.Y);
    if (t.moved) {
        if (io.SetMirX) io.SetMirX(t.newX);
        if (io.SetMirY) io.SetMirY(t.newY);
    } else {
        picture.CurrentX = 100;
        picture.CurrentY = 35;
        picture.Print(QStringLiteral("Tracking Failure!!!"));
    }
    picture.Circle(t.cx, t.top, 5, kWhite);
    picture.Circle(t.cx, t.bottom, 5, kWhite);
    PrintStatusLines(state, picture, true);
    return t;
}

CentreSize FindCentreSize(const PictureCanvas& picture, int32_t x0, int32_t y0) {
    CentreSize c;
    LeftRight(picture, x0, y0, c);

    // The search column: the middle, or 30 pixels in from the left edge when the
    // disc is wider than 220 pixels (its top and bottom may leave the picture).
    const int32_t half = (c.right - c.left) / 2;
    c.column = half <= 110 ? c.left + half : c.left + 30;
    EdgePass(picture, false, c.column, y0, 4, -1, c.top);
    EdgePass(picture, false, c.column, y0, 232, 1, c.bottom);
    c.cy = c.top + (c.bottom - c.top) / 2;

    // Left and right again on the centre row, from the click's column.
    LeftRight(picture, x0, c.cy, c);
    c.r = (c.right - c.left) / 2;
    c.mirX = c.left + c.r;
    c.mirY = c.cy;
    c.mirRad = c.r - 1;
    return c;
}

bool CentreSizeFits(const CentreSize& found, SliderRange x, SliderRange y, SliderRange radius) {
    return x.Holds(found.mirX) && y.Holds(found.mirY) && radius.Holds(found.mirRad);
}

void DrawCentreSize(PictureCanvas& picture, const CentreSize& found) {
    picture.Line(found.mirX, 0, found.mirX, 240, kMagenta);
    picture.Line(0, found.mirY, 320, found.mirY, kMagenta);
    picture.Circle(found.mirX, found.mirY, std::abs(found.r - 1), kMagenta);
}
