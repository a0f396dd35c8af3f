// A click into the live picture of the real main window, on the simulated tester:
// the centre-and-size puts the mirror's outline on the simulated disc.

#include <QSlider>
#include <QTest>

#include "autotest_ui/MagicRig.h"
#include "autotest_ui/OwnFolder.h"
#include "live/ZoneMeasure.h"
#include "platform/ui/PictureBox.h"

namespace {

// A disc away from the picture's middle, with a different centre on each axis.
constexpr int kDiscX = 203;
constexpr int kDiscY = 97;
constexpr int kDiscRadius = 64;

class PictureClick : public OwnFolderTest<> {
  protected:
    void SetUp() override {
        OwnFolderTest::SetUp();
        if (HasFatalFailure()) return;
        rig = std::make_unique<magic::Rig>(magic::RigOptions{});
        frmMain& w = rig->Start(false);
        SimSettings disc = rig->tester->settings();
        disc.centreX = kDiscX;
        disc.centreY = kDiscY;
        disc.radiusPixels = kDiscRadius;
        // The knife backed out: the whole mirror is lit.
        disc.knifeStart = disc.knifeRight ? 0.05 : -0.05;
        ASSERT_TRUE(rig->tester->applySettings(disc));
        // The outline where start-up leaves it, away from the disc.
        w.MirX->setValue(160);
        w.MirY->setValue(120);
        w.MirRad->setValue(125);
        picture = w.findChild<PictureBox*>(QStringLiteral("Picture1"));
        ASSERT_NE(picture, nullptr);
    }

    // A click at picture pixel (x, y); the picture's sunken frame is two pixels wide.
    void ClickAt(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(picture, button, Qt::NoModifier, QPoint(x + 2, y + 2));
    }

    std::unique_ptr<magic::Rig> rig;
    PictureBox* picture = nullptr;
};

TEST_F(PictureClick, CentresAndSizesTheOutlineOnTheDisc) {
    frmMain& w = *rig->window;
    const int64_t grabs = rig->driver->grabs;
    // Near the centre, off it on both axes; the same point with x and y exchanged
    // lies outside the disc.
    ClickAt(kDiscX - 7, kDiscY + 4);

    EXPECT_EQ(rig->driver->grabs, grabs + 1) << "the click grabs one still frame";
    EXPECT_NEAR(w.MirX->value(), kDiscX, 1);
    EXPECT_NEAR(w.MirY->value(), kDiscY, 1);
    EXPECT_NEAR(w.MirRad->value(), kDiscRadius - 1, 1);
    // The cross-hair through the centre found, in magenta, over the still frame.
    const PictureCanvas& canvas = picture->canvas();
    EXPECT_EQ(canvas.GetPixel(w.MirX->value(), 5), kMagenta);
    EXPECT_EQ(canvas.GetPixel(5, w.MirY->value()), kMagenta);
    EXPECT_GT(Brightness(canvas.GetPixel(kDiscX + 20, kDiscY - 20)), 100) << "the disc is lit";

    // Another point of the disc, with another button, finds the same outline.
    const int x = w.MirX->value(), y = w.MirY->value(), r = w.MirRad->value();
    w.MirX->setValue(100);
    w.MirY->setValue(200);
    ClickAt(kDiscX + 30, kDiscY - 25, Qt::RightButton);
    EXPECT_EQ(w.MirX->value(), x);
    EXPECT_EQ(w.MirY->value(), y);
    EXPECT_EQ(w.MirRad->value(), r);
}

TEST_F(PictureClick, AClickBesideTheDiscLeavesTheOutline) {
    frmMain& w = *rig->window;
    // Right of the disc on its centre row: no edge with a brighter inside.
    ClickAt(300, kDiscY);
    EXPECT_EQ(w.MirX->value(), 160);
    EXPECT_EQ(w.MirY->value(), 120);
    EXPECT_EQ(w.MirRad->value(), 125);
}

}  // namespace
