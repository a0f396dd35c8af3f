#include <QGroupBox>
#include <QPushButton>
#include <QSlider>

#include "core/NumberText.h"
#include "live/ZoneMeasure.h"
#include "mirror_ui_fixture.h"
#include "platform/Counter.h"
#include "platform/ui/PictureBox.h"

namespace {

QImage Filled(QRgb rgb) {
    QImage frame(320, 240, QImage::Format_RGB32);
    frame.fill(rgb);
    return frame;
}

}  // namespace

// The main window with a mirror chosen from the list: 8 inches, 4 zones.
class MeasureTest : public MirrorWindowTest {
  protected:
    void SetUp() override {
        MirrorWindowTest::SetUp();
        PutProfile("Newt", {"Newt", "8", "96", "-1", "1.5", "4", "3"});
        w = std::make_unique<frmMain>();
        SetList(*w, {"Newt"});
        w->Mnu_Click(1);
        ASSERT_TRUE(w->ZoneOn);
        w->Manual = true;
        w->AvgFrames = 10;
    }
    void TearDown() override {
        w.reset();
        MirrorWindowTest::TearDown();
    }

    // One grabbed frame, then the measurement.
    void Measure(const QImage& frame) {
        w->Picture1->canvas().SetPicture(frame);
        w->MeasureZones();
    }

    std::unique_ptr<frmMain> w;
};

TEST_F(MeasureTest, GreyFrameRampsUpToItsLevel) {
    const QImage grey = Filled(qRgb(97, 97, 97));
    Measure(grey);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(w->LZV[i], 97 / 10) << i;
        EXPECT_EQ(w->RZV[i], 97 / 10) << i;
    }
    for (int n = 2; n <= 10; ++n) Measure(grey);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(w->LZV[i], 97) << i;
        EXPECT_EQ(w->RZV[i], 97) << i;
    }
}

TEST_F(MeasureTest, BrightnessIsTheLargestColourByte) {
    w->AvgFrames = 1;
    const struct {
        QRgb rgb;
        int level;
    } cases[] = {{qRgb(200, 0, 0), 200},     {qRgb(0, 150, 0), 150}, {qRgb(0, 0, 90), 90},
                 {qRgb(255, 255, 255), 255}, {qRgb(0, 0, 0), 0},     {qRgb(10, 60, 30), 60}};
    for (const auto& c : cases) {
        Measure(Filled(c.rgb));
        EXPECT_EQ(w->LZV[2], c.level) << c.level;
        EXPECT_EQ(w->RZV[3], c.level) << c.level;
    }
}

TEST_F(MeasureTest, LeftAndRightSamplesUseTheSliders) {
    w->AvgFrames = 1;
    w->MirX->setValue(150);
    w->MirY->setValue(100);
    w->MirRad->setValue(80);
    // Bright only right of the slider centre, on the seven rows around it.
    QImage frame = Filled(qRgb(20, 20, 20));
    for (int y = 97; y <= 103; ++y)
        for (int x = 151; x < 320; ++x) frame.setPixel(x, y, qRgb(180, 180, 180));
    Measure(frame);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(w->LZV[i], 20) << i;
        EXPECT_EQ(w->RZV[i], 180) << i;
    }
}

TEST_F(MeasureTest, BarsAndBarsOff) {
    w->AvgFrames = 1;
    const QImage bright = Filled(qRgb(200, 200, 200));
    Measure(bright);
    const QImage bars = w->Picture2->canvas().Image();
    // Zone 1's left bar is blue, its right bar red, standing 5 pixels above the bottom.
    const int slot = w->Picture2->width() / 4;
    const int bar = slot / 3;
    const int bottom = w->Picture2->canvas().ScaleHeight() - 7;
    EXPECT_EQ(w->Picture2->canvas().GetPixel(bar / 2 + 2, bottom), 0xFF0000u);
    EXPECT_EQ(w->Picture2->canvas().GetPixel(bar / 2 + bar + 2, bottom), 0x0000FFu);

    w->MnuBars_Click();
    EXPECT_TRUE(w->BarsOff);
    // Something else in Picture2 stays as it is while the bars are off.
    PictureCanvas& p2 = w->Picture2->canvas();
    p2.Line(0, 3, 300, 3, kGreen);
    const QImage marked = p2.Image();
    Measure(Filled(qRgb(40, 40, 40)));
    EXPECT_EQ(p2.Image(), marked);
    EXPECT_EQ(w->LZV[1], 40);
    EXPECT_EQ(w->Picture1->canvas().GetPixel(160, 5), kMagenta);

    w->MnuBars_Click();
    EXPECT_FALSE(w->BarsOff);
    Measure(bright);
    EXPECT_EQ(w->Picture2->canvas().Image(), bars);
}

TEST_F(MeasureTest, ObstructionCircleUsesTheTruncatedScale) {
    // MirRad 125, MirDiam 8, Obst 1.5: (125 \ 4) x 0.75 = 23.25 pixels.
    w->MirRad->setValue(125);
    Measure(Filled(qRgb(128, 128, 128)));
    const PictureCanvas& p1 = w->Picture1->canvas();
    EXPECT_EQ(p1.GetPixel(160 + 23, 120), kCyan);
    EXPECT_EQ(p1.GetPixel(160, 120 - 23), kCyan);
}

// The file line centred by its length and the frame rate, compared with the same
// texts printed where they belong on the same frame.
TEST_F(MeasureTest, FileLineAndFrameRateArePrintedInPlace) {
    w->WorkFile = "ABCDEFGHIJ";
    w->WorkNum = 3;
    // The overlay away from the top of the picture.
    w->MirX->setValue(300);
    w->MirY->setValue(200);
    w->MirRad->setValue(10);
    // Nine earlier rates of 30 and this frame at 30 a second: a frequency so
    // large that the time the measurement itself takes can't change the rate.
    w->FpsRing.fill(30);
    w->QpcFrequency = 30000000000000;
    w->QpcLast = QueryPerformanceCounter() - 1000000000000;

    const QImage grey = Filled(qRgb(128, 128, 128));
    Measure(grey);

    auto reference = [&](int fileX, const QString& rate) {
        PictureCanvas canvas(320, 240);
        canvas.SetPicture(grey);
        const PictureCanvas& p1 = w->Picture1->canvas();
        canvas.FontName = p1.FontName;
        canvas.FontSize = p1.FontSize;
        canvas.FontBold = p1.FontBold;
        canvas.ForeColor = p1.ForeColor;
        canvas.CurrentX = fileX;
        canvas.CurrentY = 1;
        canvas.Print("Using File ABCDEFGHIJ  Test #3");
        canvas.CurrentX = 140;
        canvas.CurrentY = 15;
        canvas.Print(rate);
        return canvas.Image().copy(0, 0, 280, 40);
    };
    const QImage top = w->Picture1->canvas().Image().copy(0, 0, 280, 40);
    EXPECT_EQ(top, reference(55, "27 FPS"));
    EXPECT_NE(top, reference(56, "27 FPS"));
    EXPECT_NE(top, reference(55, "28 FPS"));
}

TEST_F(MeasureTest, Slider1FollowsAvgFramesOnlyWhileManualIsOff) {
    const QImage grey = Filled(qRgb(50, 50, 50));
    w->AvgFrames = 7;
    Measure(grey);
    EXPECT_EQ(w->Slider1->value(), 10);
    EXPECT_EQ(w->Frame3->title(), "Averaging 7 Frames");

    w->Manual = false;
    Measure(grey);
    EXPECT_EQ(w->Slider1->value(), 7);
    EXPECT_EQ(w->AvgFrames, 7);
    EXPECT_EQ(w->Frame3->title(), "Averaging 7 Frames");

    // Moving the slider sets the caption, then AvgFrames.
    w->Slider1->setValue(23);
    EXPECT_EQ(w->Frame3->title(), "Averaging 23 Frames");
    EXPECT_EQ(w->AvgFrames, 23);
}

TEST_F(MeasureTest, CountsOutsideTheArraysMeasureNothing) {
    const auto before = w->LeftHistory;
    for (int zones : {0, 17, 1000}) {
        w->NZ = zones;
        Measure(Filled(qRgb(90, 90, 90)));
    }
    w->NZ = 4;
    for (int frames : {0, 31}) {
        w->AvgFrames = frames;
        Measure(Filled(qRgb(90, 90, 90)));
    }
    EXPECT_EQ(w->LeftHistory, before);
}
