// The centre-and-size click into the live picture on the simulated tester.

#include <QMouseEvent>
#include <QSlider>

#include "platform/ui/PictureBox.h"
#include "sim/SimPort.h"
#include "video_fixture.h"

namespace {

// A mouse press as the window system delivers it, at canvas pixel (x, y) of
// the picture box (inside its 2-pixel border).
void Press(PictureBox& box, int x, int y) {
    const QPointF at(x + 2, y + 2);
    QMouseEvent event(QEvent::MouseButtonPress, at, box.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &event);
}

}  // namespace

using CentreSizeClick = VideoTest;

TEST_F(CentreSizeClick, ClickFindsTheSimulatedDiscWhereverItIs) {
    SimSettings settings = tester->settings();
    settings.centreX = 137;
    settings.centreY = 104;
    settings.radiusPixels = 83;
    settings.noiseSigma = 2;
    ASSERT_TRUE(tester->applySettings(settings));
    // The knife backed out of the beam: the whole mirror lit.
    tester->port()->setPositions(-800, 0);
    frmMain w;
    StartWithDriver(w, 0);
    ASSERT_EQ(w.MirX->value(), 160);
    const int rendered = tester->framesRendered();

    Press(*w.Picture1, 120, 130);

    EXPECT_EQ(tester->framesRendered(), rendered + 1) << "no still frame grabbed";
    EXPECT_NEAR(w.MirX->value(), 137, 1);
    EXPECT_NEAR(w.MirY->value(), 104, 1);
    EXPECT_NEAR(w.MirRad->value(), 83, 2);
    EXPECT_EQ(w.Picture1->canvas().GetPixel(w.MirX->value(), 2), kMagenta);

    // A click on the dark background beside the mirror finds no edge: nothing changes.
    const int x = w.MirX->value(), y = w.MirY->value(), r = w.MirRad->value();
    Press(*w.Picture1, 300, 20);
    EXPECT_EQ(w.MirX->value(), x);
    EXPECT_EQ(w.MirY->value(), y);
    EXPECT_EQ(w.MirRad->value(), r);
}
