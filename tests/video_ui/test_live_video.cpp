// Frames into the live picture, jog keys on the simulated tester, and shut-down
// while the live loop runs, through the real main window.

#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QSlider>

#include "live/Motors.h"
#include "platform/ui/PictureBox.h"
#include "sim/SimPort.h"
#include "video_fixture.h"

namespace {

// Mean grey level of the picture inside or outside a circle.
double MeanLevel(const QImage& picture, double cx, double cy, double r, bool inside) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (((x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r) == inside) {
                sum += qGray(picture.pixel(x, y));
                ++count;
            }
    return count ? sum / count : 0;
}

// A key as the window system delivers it to the focused window.
void SendKey(QWidget& window, Qt::Key key, bool press) {
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier,
                    QString(QChar(key).toLower()));
    QCoreApplication::sendEvent(&window, &event);
}

}  // namespace

using LiveVideoTest = VideoTest;

TEST_F(LiveVideoTest, GrabPutsTheSimulatedMirrorIntoPicture1) {
    frmMain w;
    StartWithDriver(w, 0);  // no camera: the simulator
    ASSERT_EQ(w.CapWnd->driver, simulator);

    w.GrabFrame();
    const QImage frame = w.Picture1->canvas().Picture();
    const SimSettings& s = tester->settings();
    EXPECT_GT(MeanLevel(frame, s.centreX, s.centreY, s.radiusPixels - 3, true), 60);
    EXPECT_LT(MeanLevel(frame, s.centreX, s.centreY, s.radiusPixels + 3, false), 10);

    // The live loop grabs a frame a pass and draws the centring cross on it.
    EXPECT_TRUE(RunLive(w, [&] { return tester->framesRendered() > 5; }));
    EXPECT_EQ(w.Picture1->canvas().GetPixel(w.MirX->value(), 3), kMagenta);
    EXPECT_EQ(w.Picture1->canvas().GetPixel(3, w.MirY->value()), kMagenta);
}

TEST_F(LiveVideoTest, NoFrameKeepsTheLastFrameWithoutOldOverlaysAndTheLoopGoesOn) {
    auto camera = AddCamera("Front camera");
    frmMain w;
    StartWithDriver(w, 0);
    PictureCanvas& canvas = w.Picture1->canvas();
    const int x = w.MirX->value();
    ASSERT_TRUE(RunLive(w, [&] { return camera->grabs > 3; }));
    ASSERT_EQ(canvas.GetPixel(x, 3), kMagenta);

    // A grab that brings nothing: the frame stays, the last pass's overlays no
    // longer stand in the pixels the measurement reads.
    camera->delivering = false;
    w.GrabFrame();
    EXPECT_EQ(canvas.GetPixel(x, 3), 0x646464u);
    EXPECT_EQ(canvas.Picture(), FakeCamera::Grey(100));

    // The loop goes on without frames, and after the camera has gone.
    int grabs = camera->grabs;
    EXPECT_TRUE(RunLive(w, [&] { return camera->grabs > grabs + 5; }));
    camera->connected = false;
    grabs = camera->grabs;
    int passes = 0;
    EXPECT_TRUE(RunLive(w, [&] { return (canvas.GetPixel(x, 3) == kMagenta && ++passes > 5); }));
    EXPECT_EQ(camera->grabs, grabs);
    EXPECT_EQ(canvas.Picture(), FakeCamera::Grey(100));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(LiveVideoTest, JogKeysMoveTheSimulatedTesterWhileTheProgramHasTheFocus) {
    frmMain w;
    StartWithDriver(w, 0);
    if (PortService::HasRealPort()) {
        PortService::SetOverride(tester->port());  // keep the bytes off the real port
    } else {
        // Without a real port the simulator's port takes the bytes, start-up's
        // all-off byte first.
        PortService::SetOverride(nullptr);
        EXPECT_EQ(tester->port()->lastByte(), 0);
    }
    w.Maxdelay->setValue(1);  // full speed at once: a held key runs the motor
    SimPort& port = *tester->port();

    struct Jog {
        Qt::Key key;
        int knife, platform;  // directions: knife to the right, platform away
    };
    for (const Jog& jog : {Jog{Qt::Key_K, +1, 0}, Jog{Qt::Key_J, -1, 0}, Jog{Qt::Key_I, 0, -1},
                           Jog{Qt::Key_M, 0, +1}}) {
        SCOPED_TRACE(QKeySequence(jog.key).toString().toStdString());
        const int64_t knife = port.knifeSteps();
        const int64_t platform = port.platformSteps();
        const int32_t xpos = w.Xpos;
        const int32_t ypos = w.Ypos;
        const uint64_t frames = tester->framesRendered();
        bool pressed = false;
        EXPECT_TRUE(RunLive(w, [&] {
            // Pressed after the loop's first pass, so the move starts from rest.
            if (!pressed && tester->framesRendered() > frames) {
                SendKey(w, jog.key, true);
                pressed = true;
            }
            const int64_t travel =
                std::abs(port.knifeSteps() - knife) + std::abs(port.platformSteps() - platform);
            if (travel < 40) return false;
            SendKey(w, jog.key, false);
            return true;
        }));
        EXPECT_GE((port.knifeSteps() - knife) * jog.knife, 0);
        EXPECT_GE((port.platformSteps() - platform) * jog.platform, 0);
        // The counters follow the motors half step for half step.
        EXPECT_EQ(port.knifeSteps() - knife, w.Xpos - xpos);
        EXPECT_EQ(port.platformSteps() - platform, w.Ypos - ypos);
    }

    // Another program takes the focus while K is held: the motor stops and stays.
    SendKey(w, Qt::Key_K, true);
    int64_t stoppedAt = 0;
    uint64_t framesThen = 0;
    EXPECT_TRUE(RunLive(w, [&] {
        if (framesThen > 0) return tester->framesRendered() > framesThen + 10;
        if (port.knifeSteps() == 0) return false;
        QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
        QCoreApplication::sendEvent(qApp, &inactive);
        stoppedAt = port.knifeSteps();
        framesThen = tester->framesRendered();
        return false;
    }));
    EXPECT_EQ(port.knifeSteps(), stoppedAt);
}

TEST_F(LiveVideoTest, ClosingDuringTheLoopSavesOnceReleasesTheCoilsAndEnds) {
    frmMain w;
    StartWithDriver(w, 0);
    w.Maxdelay->setValue(1);

    int unloads = 0;
    QObject::connect(&w, &frmMain::unloaded, &w, [&] {
        // Only the first shut-down may save: the file is gone for the later ones.
        if (++unloads == 1) {
            EXPECT_TRUE(QFile::remove(SettingsPath()));
        }
    });
    size_t bytesAtClose = 0;
    const size_t bytesAtStart = port->bytes.size();
    SendKey(w, Qt::Key_K, true);  // the coils are energised
    // Close once the loop runs and has stepped the knife, however long the
    // first tick takes on a loaded machine.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &w, [&] {
        if (!w.LiveLoopBusy || port->bytes.size() < bytesAtStart + 3) return;
        closer.stop();
        SendKey(w, Qt::Key_K, false);
        bytesAtClose = port->bytes.size();
        w.close();
    });
    closer.start(5);
    w.Timer1->start();
    QElapsedTimer clock;
    clock.start();
    while (!(unloads >= 2 && !w.LiveLoopBusy) && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    EXPECT_GE(unloads, 2);  // the close, then the loop's own unload
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(QFile::exists(SettingsPath()));
    ASSERT_GT(port->bytes.size(), bytesAtClose);
    EXPECT_EQ(port->bytes.back(), AllOffByte(false));
    // The capture callbacks are off: a grab no longer reaches Picture1.
    const QImage last = w.Picture1->canvas().Picture();
    tester->port()->setPositions(500, 500);
    w.GrabFrame();
    EXPECT_EQ(w.Picture1->canvas().Picture(), last);
}
