#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>
#include <functional>

#include "live/ZoneMeasure.h"
#include "platform/PictureCanvas.h"

namespace {

constexpr int64_t kFrequency = 1000000000;

QImage Grey(int level) {
    QImage frame(320, 240, QImage::Format_RGB32);
    frame.fill(qRgb(level, level, level));
    return frame;
}

QImage Swatch(QRgb rgb) {
    QImage swatch(14, 14, QImage::Format_RGB32);
    swatch.fill(rgb);
    return swatch;
}

// The main window around one measurement: state, pictures, swatches and hooks.
class ZoneMeasureTest : public ::testing::Test {
  protected:
    ZoneMeasureTest() : picture1(320, 240), picture2(752, 266) {
        state.NZ = 4;
        state.AvgFrames = 10;
        state.Manual = true;
        state.MirDiam = 8;
        state.Obst = 1.5;
        state.StepSize = 0.000125;
        state.units = UnitMark(false);
        state.WorkFile = QStringLiteral("Mirror8");
        state.WorkNum = 3;
        state.QpcFrequency = kFrequency;
        for (int i = 1; i <= state.NZ; ++i) state.ZoneRadius[i] = 0.2 * i;
        io.Picture1 = &picture1;
        io.Picture2 = &picture2;
        io.Blue = &blue;
        io.Red = &red;
        io.Mirror = {160, 120, 100};
        io.Counter = [this] { return now += kFrequency / 30; };
        io.SetSlider1 = [this](int32_t value) { sliderValues.append(value); };
        io.SetFrame3Caption = [this](const QString& text) { captions.append(text); };
    }

    // One grabbed frame, then the measurement, as the live loop runs them.
    bool Frame(const QImage& frame) {
        picture1.SetPicture(frame);
        return MeasureAndDrawZones(state, io);
    }

    TestState state;
    PictureCanvas picture1;
    PictureCanvas picture2;
    QImage blue = Swatch(qRgb(0, 0, 255));
    QImage red = Swatch(qRgb(255, 0, 0));
    ZoneMeasureIO io;
    int64_t now = 0;
    QList<int32_t> sliderValues;
    QStringList captions;
};

}  // namespace

TEST_F(ZoneMeasureTest, UniformGreyRampsUpToItsLevel) {
    ASSERT_TRUE(Frame(Grey(200)));
    for (int i = 1; i <= state.NZ; ++i) {
        EXPECT_EQ(state.LeftHistory[i][1], 200);
        EXPECT_EQ(state.LZV[i], 20) << i;  // 200 \ 10 from empty histories
        EXPECT_EQ(state.RZV[i], 20) << i;
    }
    for (int n = 2; n <= 10; ++n) Frame(Grey(200));
    for (int i = 1; i <= state.NZ; ++i) {
        EXPECT_EQ(state.LZV[i], 200) << i;
        EXPECT_EQ(state.RZV[i], 200) << i;
    }

    // The newest AvgFrames frames count, and the history is 30 deep.
    state.AvgFrames = 3;
    Frame(Grey(30));
    Frame(Grey(60));
    Frame(Grey(90));
    EXPECT_EQ(state.LZV[1], 60);
    EXPECT_EQ(state.LeftHistory[1][4], 200);
}

TEST_F(ZoneMeasureTest, BrightnessIsTheLargestColourByte) {
    EXPECT_EQ(Brightness(0xFFFFFF), 255);
    EXPECT_EQ(Brightness(0x000000), 0);
    state.AvgFrames = 1;
    for (const QRgb rgb : {qRgb(90, 0, 0), qRgb(0, 90, 0), qRgb(0, 0, 90), qRgb(90, 40, 60)}) {
        QImage frame(320, 240, QImage::Format_RGB32);
        frame.fill(rgb);
        Frame(frame);
        EXPECT_EQ(state.LZV[2], 90);
        EXPECT_EQ(state.RZV[2], 90);
    }
}

TEST_F(ZoneMeasureTest, SamplesSevenRowsAtRoundedPoints) {
    state.AvgFrames = 1;
    state.NZ = 1;
    // d = 100 x 0.125 = 12.5: the points 147.5 and 172.5 round to 148 and 172.
    state.ZoneRadius[1] = 0.125;
    QImage frame = Grey(0);
    for (int y = 0; y < 240; ++y) {
        frame.setPixel(148, y, qRgb(70, 70, 70));
        frame.setPixel(172, y, qRgb(140, 140, 140));
    }
    Frame(frame);
    EXPECT_EQ(state.LZV[1], 70);
    EXPECT_EQ(state.RZV[1], 140);

    // Rows Y - 3 to Y + 3 count, each a seventh; Y + 4 does not.
    frame = Grey(0);
    frame.setPixel(148, 123, qRgb(70, 70, 70));
    frame.setPixel(148, 124, qRgb(255, 255, 255));
    frame.setPixel(172, 117, qRgb(0, 0, 71));
    Frame(frame);
    EXPECT_EQ(state.LZV[1], 10);
    EXPECT_EQ(state.RZV[1], 10);

    // Sampling points outside the picture read as 0.
    io.Mirror = {10, 120, 100};
    state.ZoneRadius[1] = 0.5;
    Frame(Grey(100));
    EXPECT_EQ(state.LZV[1], 0);
    EXPECT_EQ(state.RZV[1], 100);
}

TEST_F(ZoneMeasureTest, DrawsBarsSeparatorsAndOverlay) {
    state.AvgFrames = 1;
    Frame(Grey(128));
    // Outer width 756 over 4 zones: slot 189, bar 63. Value 128 of H 266: bars
    // 133 high standing on row 261, the left at x 32, the right at x 94.
    EXPECT_EQ(picture2.GetPixel(40, 200), 0xFF0000u);  // pBlue
    EXPECT_NE(picture2.GetPixel(40, 261), 0xFF0000u);
    EXPECT_EQ(picture2.GetPixel(31, 200), 0xFFFFFFu);
    EXPECT_EQ(picture2.GetPixel(120, 200), kRed);  // pRed
    EXPECT_EQ(picture2.GetPixel(60, 100), 0xFFFFFFu);
    EXPECT_EQ(picture2.GetPixel(567, 50), kMagenta);             // separators at i x 189
    EXPECT_EQ(picture2.GetPixel(3 * 189 + 40, 200), 0xFF0000u);  // zone 4's left bar

    // Picture1: ticks at X +- d, cross-hair, mirror circle, obstruction circle.
    EXPECT_EQ(picture1.GetPixel(140, 125), kMagenta);  // zone 1 tick, d = 20
    EXPECT_EQ(picture1.GetPixel(140, 126), 0x808080u);
    EXPECT_EQ(picture1.GetPixel(5, 120), kMagenta);
    EXPECT_EQ(picture1.GetPixel(160, 220), kMagenta);  // radius 100 circle, bottom
    // (100 \ 4) x 0.75 = 18.75, drawn over the cross-hair
    EXPECT_EQ(picture1.GetPixel(160 + 19, 120), kCyan);

    // Bars follow the values: a darker frame gives shorter bars.
    Frame(Grey(64));
    EXPECT_EQ(picture2.GetPixel(40, 150), 0xFFFFFFu);
    EXPECT_EQ(picture2.GetPixel(40, 250), 0xFF0000u);
}

TEST_F(ZoneMeasureTest, BarsOffLeavesPicture2Untouched) {
    picture2.Line(0, 100, 700, 100, kGreen);
    const QImage before = picture2.Image().copy();
    state.BarsOff = true;
    state.AvgFrames = 1;
    ASSERT_TRUE(Frame(Grey(128)));
    EXPECT_EQ(picture2.Image(), before);
    EXPECT_EQ(state.LZV[1], 128);  // values, overlay and frame rate still come
    EXPECT_EQ(picture1.GetPixel(160, 5), kMagenta);
    EXPECT_EQ(state.FpsRing[0], 30);
}

TEST_F(ZoneMeasureTest, ObstructionCircleScale) {
    ASSERT_TRUE(ObstructionRadius(125, 8, 1.5).has_value());
    EXPECT_DOUBLE_EQ(*ObstructionRadius(125, 8, 1.5), 23.25);
    // The scale is truncated before it is multiplied: 125 \ 3 = 41 for 6.
    EXPECT_DOUBLE_EQ(*ObstructionRadius(125, 6, 2), 41);
    // A diameter that gives no scale skips the circle instead of dividing by 0
    // (1 / 2 rounds to 0, halves to even).
    EXPECT_FALSE(ObstructionRadius(125, 1, 1.5).has_value());
    EXPECT_FALSE(ObstructionRadius(125, 0, 1.5).has_value());

    state.MirDiam = 0;
    state.AvgFrames = 1;
    EXPECT_TRUE(Frame(Grey(0)));
    EXPECT_EQ(state.LZV[1], 0);
}

TEST_F(ZoneMeasureTest, StatusLinesAndFileLinePlace) {
    EXPECT_EQ(FileLineX(QString(30, QLatin1Char('x'))), 55);
    state.WorkFile = QStringLiteral("ABCDEFGHIJ");
    state.WorkNum = 3;
    picture1.ForeColor = 0xFFFFFF;
    // "Using File " + 10 + "  Test #" + "3" = 30 characters, printed at x 55.
    Frame(Grey(0));
    int first = -1;
    for (int x = 0; x < 320 && first < 0; ++x)
        for (int y = 1; y < 14; ++y)
            if (picture1.GetPixel(x, y) != 0 && picture1.GetPixel(x, y) != kMagenta) {
                first = x;
                break;
            }
    EXPECT_GE(first, 55);
    EXPECT_LE(first, 58);
    // The travel line at (1, 215) and the status text at (200, 215).
    state.TestStatus = QStringLiteral("Searching");
    Frame(Grey(0));
    auto lit = [this](int x0, int x1) {
        for (int y = 215; y < 228; ++y)
            for (int x = x0; x < x1; ++x)
                if (picture1.GetPixel(x, y) != 0 && picture1.GetPixel(x, y) != kMagenta)
                    return true;
        return false;
    };
    EXPECT_TRUE(lit(1, 10));
    EXPECT_TRUE(lit(200, 210));
}

TEST_F(ZoneMeasureTest, KnifeTravelLine) {
    state.Ypos = 800;
    state.StepSize = 0.000125;
    EXPECT_EQ(KnifeTravelLine(state), QStringLiteral("Knife Travel = 0.1\""));
    state.Metric = true;
    state.units = UnitMark(true);
    EXPECT_EQ(KnifeTravelLine(state), QStringLiteral("Knife Travel = 2.54mm"));
    state.Ypos = -3;
    state.Metric = false;
    state.units = UnitMark(false);
    // -0.000375 to 4 decimals, halves to even: -0.0004.
    EXPECT_EQ(KnifeTravelLine(state), QStringLiteral("Knife Travel = -0.0004\""));
    state.Ypos = 0;
    EXPECT_EQ(KnifeTravelLine(state), QStringLiteral("Knife Travel = 0\""));
}

TEST_F(ZoneMeasureTest, FrameRateRing) {
    // Nine newest rates of 30: (240 + 30) \ 10.
    state.FpsRing.fill(30);
    EXPECT_EQ(UpdateFrameRate(state, kFrequency / 30, RateRounding::HalfEven), 27);
    EXPECT_EQ(state.FpsRing[9], 240);
    EXPECT_EQ(state.QpcLast, kFrequency / 30);
    // The live loop rounds down: all 20 shows 18; 29.6 a second is 29, not 30.
    state.FpsRing.fill(20);
    state.QpcLast = 0;
    EXPECT_EQ(UpdateFrameRate(state, kFrequency / 20, RateRounding::Down), 18);
    const auto span = static_cast<int64_t>(kFrequency / 29.6);
    state.QpcLast = 0;
    UpdateFrameRate(state, span, RateRounding::Down);
    EXPECT_EQ(state.FpsRing[0], 29);
    state.QpcLast = 0;
    UpdateFrameRate(state, span, RateRounding::HalfEven);
    EXPECT_EQ(state.FpsRing[0], 30);

    // Entries move up one place; the sum is of the moved ones.
    for (int k = 0; k < 10; ++k) state.FpsRing[k] = k + 1;
    state.QpcLast = 0;
    UpdateFrameRate(state, kFrequency, RateRounding::HalfEven);
    EXPECT_EQ(state.FpsRing[1], 1);
    EXPECT_EQ(state.FpsRing[8], 8);
    EXPECT_EQ(state.FpsRing[9], 36);

    // No time between two readings, or no frequency yet: rate 0 and no fault.
    UpdateFrameRate(state, state.QpcLast, RateRounding::HalfEven);
    EXPECT_EQ(state.FpsRing[0], 0);
    state.QpcFrequency = 0;
    UpdateFrameRate(state, state.QpcLast + 9, RateRounding::Down);
    EXPECT_EQ(state.FpsRing[0], 0);
}

TEST_F(ZoneMeasureTest, SliderFollowsOnlyDuringTheTest) {
    state.Manual = true;
    Frame(Grey(0));
    EXPECT_TRUE(sliderValues.isEmpty());
    ASSERT_EQ(captions.size(), 1);
    EXPECT_EQ(captions[0], QStringLiteral("Averaging 10 Frames"));

    state.Manual = false;
    state.AvgFrames = 7;
    Frame(Grey(0));
    ASSERT_EQ(sliderValues.size(), 1);
    EXPECT_EQ(sliderValues[0], 7);
    EXPECT_EQ(captions.last(), QStringLiteral("Averaging 7 Frames"));
}

TEST_F(ZoneMeasureTest, TrackingReplacesStatusLinesAndRecentresFirst) {
    int tracked = 0;
    MirrorCircle mirror{160, 120, 100};
    io.Track = true;
    io.TrackMirror = [&] {
        ++tracked;
        mirror.X = 150;
    };
    io.ReadMirror = [&] { return mirror; };
    state.NZ = 1;
    state.AvgFrames = 1;
    state.ZoneRadius[1] = 0.5;
    picture1.ForeColor = 0xFFFFFF;
    QImage frame = Grey(0);
    for (int y = 0; y < 240; ++y) frame.setPixel(100, y, qRgb(90, 90, 90));  // 150 - 50
    Frame(frame);
    EXPECT_EQ(tracked, 1);
    EXPECT_EQ(state.LZV[1], 90);
    for (int y = 215; y < 228; ++y)
        for (int x = 0; x < 120; ++x) ASSERT_NE(picture1.GetPixel(x, y), 0xFFFFFFu);
}

TEST_F(ZoneMeasureTest, RefusesCountsOutsideTheArrays) {
    picture1.SetPicture(Grey(100));
    const QImage before = picture1.Image().copy();
    for (const auto& [zones, frames] : {std::pair{0, 10}, {17, 10}, {-1, 10}, {4, 0}, {4, 31}}) {
        state.NZ = zones;
        state.AvgFrames = frames;
        EXPECT_FALSE(MeasureAndDrawZones(state, io));
    }
    EXPECT_EQ(picture1.Image(), before);
    EXPECT_EQ(state.LZV[1], 0);
    EXPECT_EQ(state.FpsRing[0], 0);
    EXPECT_TRUE(captions.isEmpty());

    // The largest counts run; a slider handler that leaves AvgFrames outside
    // 1..30 stops the measurement before any history is touched.
    state.NZ = 16;
    state.AvgFrames = 30;
    for (int i = 1; i <= 16; ++i) state.ZoneRadius[i] = i / 17.0;
    EXPECT_TRUE(Frame(Grey(120)));
    EXPECT_EQ(state.LZV[16], 4);  // 120 \ 30
    state.Manual = false;
    io.SetSlider1 = [this](int32_t) { state.AvgFrames = 40; };
    EXPECT_FALSE(Frame(Grey(120)));
    EXPECT_EQ(state.LeftHistory[16][2], 0);
}
