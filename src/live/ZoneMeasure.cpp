#include "live/ZoneMeasure.h"

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"
#include "platform/Counter.h"

namespace {

constexpr OleColor kBarSeparator = kMagenta;
constexpr int kSwatchSize = 10;  // the stretched top-left square of pBlue and pRed
constexpr int kPictureBorder = 2;
// The largest rate kept in the ring, so that the sum of nine never overflows.
constexpr int64_t kMaxRate = 200000000;

// Bar height of a zone value: v x H / 256.
double BarHeight(int32_t value, int32_t height) {
    return value * 0.00390625 * height;
}

void PrintAt(PictureCanvas& canvas, double x, double y, const QString& text) {
    canvas.CurrentX = x;
    canvas.CurrentY = y;
    canvas.Print(text);
}

// One zone's bar pair, separator and labels in Picture2.
void DrawBarPair(PictureCanvas& picture2, const ZoneMeasureIO& io, int zone, int32_t slot,
                 int32_t bar, int32_t height, int32_t left, int32_t right) {
    const int32_t x0 = (zone - 1) * slot;
    const double leftBar = BarHeight(left, height);
    const double rightBar = BarHeight(right, height);
    if (io.Blue)
        picture2.StretchBlt(RoundToLong(bar * 0.5 + x0), RoundToLong((height - 5) - leftBar), bar,
                            RoundToLong(leftBar), *io.Blue, 0, 0, kSwatchSize, kSwatchSize);
    if (io.Red)
        picture2.StretchBlt(RoundToLong(bar * 0.5 + x0 + bar), RoundToLong((height - 5) - rightBar),
                            bar, RoundToLong(rightBar), *io.Red, 0, 0, kSwatchSize, kSwatchSize);
    picture2.Line(zone * slot, height, zone * slot, 0, kBarSeparator);
    PrintAt(picture2, bar * 1.5 + x0 - 14, 0, QStringLiteral("Zone ") + QString::number(zone));
    PrintAt(picture2, x0 + bar - 12, (height - 16) - leftBar, NumText(left));
    PrintAt(picture2, x0 + 2 * bar - 12, (height - 16) - rightBar, NumText(right));
}

// Average of the newest `frames` entries of one zone's history (frame 1 newest).
int32_t Average(const std::array<int32_t, kMaxFrames + 1>& history, int32_t frames) {
    int64_t sum = 0;
    for (int f = 1; f <= frames; ++f) sum += history[f];
    return static_cast<int32_t>(sum / frames);
}

void Shift(std::array<int32_t, kMaxFrames + 1>& history, int32_t newest) {
    for (int f = kMaxFrames; f >= 2; --f) history[f] = history[f - 1];
    history[1] = newest;
}

}  // namespace

QString KnifeTravelLine(const TestState& state) {
    double travel = state.Ypos * state.StepSize;
    if (state.Metric) travel = travel * 25.4;
    return QStringLiteral("Knife Travel = ") + NumText(RoundHalfEven(travel, 4)) + state.units;
}

int FileLineX(const QString& line) {
    return 160 - static_cast<int>(std::min<qsizetype>(line.size(), 100000) * 7 / 2);
}

void PrintStatusLines(const TestState& state, PictureCanvas& picture1, bool skipEmptyFile) {
    PrintAt(picture1, 1, 215, KnifeTravelLine(state));
    PrintAt(picture1, 200, 215, state.TestStatus);
    if (skipEmptyFile && state.WorkFile.isEmpty()) return;
    const QString line = QStringLiteral("Using File ") + state.WorkFile +
                         QStringLiteral("  Test #") + QString::number(state.WorkNum);
    PrintAt(picture1, FileLineX(line), 1, line);
}

int32_t UpdateFrameRate(TestState& state, int64_t now, RateRounding rounding) {
    auto& ring = state.FpsRing;
    int64_t sum = 0;
    for (int k = 7; k >= 0; --k) {
        ring[k + 1] = ring[k];
        sum += ring[k + 1];
    }
    ring[9] = static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
    state.QpcNow = now;
    int64_t rate = 0;
    const double elapsed = static_cast<double>(state.QpcNow - state.QpcLast);
    if (elapsed > 0 && state.QpcFrequency > 0) {
        const double perSecond = static_cast<double>(state.QpcFrequency) / elapsed;
        const double rounded =
            rounding == RateRounding::Down ? std::floor(perSecond) : RoundHalfEven(perSecond);
        rate = static_cast<int64_t>(std::min(rounded, static_cast<double>(kMaxRate)));
    }
    ring[0] = static_cast<int32_t>(rate);
    state.QpcLast = state.QpcNow;
    return static_cast<int32_t>((static_cast<int64_t>(ring[9]) + ring[0]) / 10);
}

std::optional<double> ObstructionRadius(int32_t mirRad, double mirDiam, double obst) {
    const int32_t scale = RoundToLong(mirDiam / 2);
    if (scale < 1) return std::nullopt;
    return (mirRad / scale) * (obst / 2);
}

bool MeasureAndDrawZones(TestState& state, const ZoneMeasureIO& io) {
    if (!io.Picture1 || !io.Picture2) return false;
    if (state.NZ < 1 || state.NZ > kMaxZones) return false;
    if (state.AvgFrames < 1 || state.AvgFrames > kMaxFrames) return false;
    PictureCanvas& picture1 = *io.Picture1;
    PictureCanvas& picture2 = *io.Picture2;

    // 1. Slot and bar widths.
    const double outerWidth =
        io.Picture2Width >= 0 ? io.Picture2Width : picture2.ScaleWidth() + 2.0 * kPictureBorder;
    const int32_t slot = RoundToLong(outerWidth) / state.NZ;
    const int32_t bar = slot / 3;

    // 2. Fresh bar graphs.
    if (!state.BarsOff) picture2.Cls();

    // 4. Tracking prints the status lines itself.
    if (io.Track) {
        if (io.TrackMirror) io.TrackMirror();
    } else {
        PrintStatusLines(state, picture1, false);
    }

    // 5. The mirror as it stands after tracking.
    const MirrorCircle mirror = io.ReadMirror ? io.ReadMirror() : io.Mirror;
    const int32_t X = mirror.X;
    const int32_t Y = mirror.Y;
    const int32_t R = mirror.R;

    // 6.
    const int32_t H = RoundToLong(picture2.ScaleHeight());

    // 7, 8. During the automated test the slider follows its frame counter.
    if (!state.Manual && io.SetSlider1) io.SetSlider1(state.AvgFrames);
    if (io.SetFrame3Caption)
        io.SetFrame3Caption(QStringLiteral("Averaging ") + QString::number(state.AvgFrames) +
                            QStringLiteral(" Frames"));
    // The slider's own handler may have set AvgFrames again; the histories hold 30.
    const int32_t frames = state.AvgFrames;
    if (frames < 1 || frames > kMaxFrames) return false;
    const int zones = state.NZ;
    if (zones < 1 || zones > kMaxZones) return false;

    // 9. Every zone: sample, average, bars, ticks.
    for (int i = 1; i <= zones; ++i) {
        const double d = R * state.ZoneRadius[i];
        const int left = RoundToLong(X - d);
        const int right = RoundToLong(d + X);
        int leftSum = 0;
        int rightSum = 0;
        for (int k = 1; k <= 7; ++k) {
            const int y = Y + k - 4;
            leftSum += Brightness(picture1.GetPixel(left, y));
            rightSum += Brightness(picture1.GetPixel(right, y));
        }
        Shift(state.LeftHistory[i], leftSum / 7);
        Shift(state.RightHistory[i], rightSum / 7);
        state.LZV[i] = Average(state.LeftHistory[i], frames);
        state.RZV[i] = Average(state.RightHistory[i], frames);

        if (!state.BarsOff) DrawBarPair(picture2, io, i, slot, bar, H, state.LZV[i], state.RZV[i]);

        picture1.Line(X - d, Y + 5, X - d, Y - 5, kMagenta);
        picture1.Line(d + X, Y + 5, d + X, Y - 5, kMagenta);
    }

    // 10. Cross-hair, mirror outline and obstruction.
    picture1.Line(X, 0, X, 240, kMagenta);
    picture1.Line(0, Y, 320, Y, kMagenta);
    picture1.Circle(X, Y, R, kMagenta);
    if (const auto obstruction = ObstructionRadius(R, state.MirDiam, state.Obst))
        picture1.Circle(X, Y, *obstruction, kCyan);

    // 11. Frame rate.
    const int64_t now = io.Counter ? io.Counter() : QueryPerformanceCounter();
    const int32_t shown = UpdateFrameRate(state, now, RateRounding::HalfEven);
    PrintAt(picture1, 140, 15, QString::number(shown) + QStringLiteral(" FPS"));
    return true;
}
