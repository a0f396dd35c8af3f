// Frames into the live picture, jog keys on the simulated tester, and shut-down
// while the live loop runs, through the real main window.

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QSlider>

#include "live/Motors.h"
#include "platform/ui/PictureBox.h"
#include "sim/SimPort.h"
#include "video_fixture.h"

namespace {

int BrightnessAt(const PictureCanvas& canvas, int x, int y) {
    const OleColor c = canvas.GetPixel(x, y);
    return std::max({c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF});
}

// Mean brightness of the picture (not the drawn image) inside or outside a circle.
double MeanBrightness(const QImage& picture, double cx, double cy, double r, bool inside) {
    double sum = 0;
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool in = (x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r;
            if (in != inside) continue;
            sum += qGray(picture.pixel(x, y));
            ++count;
        }
    }
    return count ? sum / count : 0;
}

// A key as the window system delivers it to the focused window.
void SendKey(QWidget& window, Qt::Key key, bool press) {
    QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier,
                    QString(QChar(key).toLower()));
    QCoreApplication::sendEvent(&window, &event);
}

void Deactivate() {
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QCoreApplication::sendEvent(qApp, &inactive);
}

}  // namespace

using LiveVideoTest = VideoTest;

TEST_F(LiveVideoTest, GrabPutsTheSimulatedMirrorIntoPicture1) {
    WriteSettingsWithDriver(0);  // no camera: the simulator
    frmMain w;
    LoadQuiet(w);
    ASSERT_EQ(w.CapWnd->driver, simulator);

    w.GrabFrame();
    const QImage frame = w.Picture1->canvas().Picture();
    ASSERT_EQ(frame.size(), QSize(320, 240));
    // A lit disc where the simulator draws the mirror, dark background around it.
    const SimSettings& s = tester->settings();
    EXPECT_GT(MeanBrightness(frame, s.centreX, s.centreY, s.radiusPixels - 3, true), 60);
    EXPECT_LT(MeanBrightness(frame, s.centreX, s.centreY, s.radiusPixels + 3, false), 10);
    EXPECT_EQ(tester->framesRendered(), 1u);

    // The live loop grabs a frame a pass and draws the centring overlays on it.
    EXPECT_TRUE(RunLive(w, [&] { return tester->framesRendered() > 5; }));
    const PictureCanvas& canvas = w.Picture1->canvas();
    EXPECT_EQ(canvas.GetPixel(w.MirX->value(), 3), kMagenta);
    EXPECT_EQ(canvas.GetPixel(3, w.MirY->value()), kMagenta);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(LiveVideoTest, NoFrameKeepsTheLastFrameWithoutOldOverlaysAndTheLoopGoesOn) {
    auto camera = AddCamera("Front camera");
    bool delivering = true;
    camera->frameFn = [&] { return delivering ? FakeCamera::Grey(100) : QImage(); };
    WriteSettingsWithDriver(0);
    frmMain w;
    LoadQuiet(w);

    EXPECT_TRUE(RunLive(w, [&] { return camera->grabs > 3; }));
    PictureCanvas& canvas = w.Picture1->canvas();
    ASSERT_EQ(canvas.GetPixel(w.MirX->value(), 3), kMagenta);  // the pass's overlays

    // A grab that brings nothing: the picture stays, the overlays of the last pass
    // no longer stand in the pixels the measurement reads.
    delivering = false;
    w.GrabFrame();
    EXPECT_EQ(BrightnessAt(canvas, w.MirX->value(), 3), 100);
    EXPECT_EQ(canvas.Picture(), FakeCamera::Grey(100));
    w.GrabStill();
    EXPECT_EQ(BrightnessAt(canvas, w.MirX->value(), 3), 100);

    // The loop goes on without frames, and after the camera has gone.
    const int grabs = camera->grabs;
    EXPECT_TRUE(RunLive(w, [&] { return camera->grabs > grabs + 5; }));
    camera->connected = false;
    int passes = 0;
    EXPECT_TRUE(RunLive(w, [&] {
        // Each pass ends with its overlays on the kept frame.
        if (canvas.GetPixel(w.MirX->value(), 3) == kMagenta) ++passes;
        return passes > 5;
    }));
    EXPECT_EQ(canvas.Picture(), FakeCamera::Grey(100));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(LiveVideoTest, JogKeysMoveTheSimulatedTesterWhileTheProgramHasTheFocus) {
    WriteSettingsWithDriver(0);
    frmMain w;
    LoadQuiet(w);
    if (PortService::HasRealPort()) {
        // Bytes go to the real port first; drive the simulator's port directly.
        PortService::SetOverride(tester->port());
    } else {
        // Without a real port, the simulator's port takes the bytes: the first
        // all-off byte of start-up has reached it.
        PortService::SetOverride(nullptr);
        EXPECT_EQ(tester->port()->lastByte(), 0);
    }
    w.Maxdelay->setValue(1);  // full speed at once: each key runs the motor
    SimPort& port = *tester->port();

    struct Jog {
        Qt::Key key;
        int knife;     // sign of the knife's move (to the right)
        int platform;  // sign of the platform's move (away from the mirror)
    };
    for (const Jog& jog : {Jog{Qt::Key_K, +1, 0}, Jog{Qt::Key_J, -1, 0}, Jog{Qt::Key_I, 0, -1},
                           Jog{Qt::Key_M, 0, +1}}) {
        SCOPED_TRACE(QKeySequence(jog.key).toString().toStdString());
        const int64_t knife = port.knifeSteps();
        const int64_t platform = port.platformSteps();
        const int32_t xpos = w.Xpos;
        const int32_t ypos = w.Ypos;
        bool pressed = false;
        const uint64_t frames = tester->framesRendered();
        const bool moved = RunLive(w, [&] {
            // Pressed after the loop's first pass, so the move starts from rest.
            if (!pressed) {
                if (tester->framesRendered() == frames) return false;
                SendKey(w, jog.key, true);
                pressed = true;
                return false;
            }
            const int64_t travel =
                std::abs(port.knifeSteps() - knife) + std::abs(port.platformSteps() - platform);
            if (travel < 40) return false;
            SendKey(w, jog.key, false);
            return true;
        });
        EXPECT_TRUE(moved);
        EXPECT_EQ((port.knifeSteps() - knife) * jog.knife, std::abs(port.knifeSteps() - knife));
        EXPECT_EQ((port.platformSteps() - platform) * jog.platform,
                  std::abs(port.platformSteps() - platform));
        // The counters follow the motors half step for half step.
        EXPECT_EQ(port.knifeSteps() - knife, w.Xpos - xpos);
        EXPECT_EQ(port.platformSteps() - platform, w.Ypos - ypos);
    }

    // Another program takes the focus while K is held: the motor stops and stays.
    SendKey(w, Qt::Key_K, true);
    int64_t stoppedAt = 0;
    uint64_t framesThen = 0;
    EXPECT_TRUE(RunLive(w, [&] {
        if (framesThen == 0) {
            if (port.knifeSteps() == 0) return false;
            Deactivate();
            stoppedAt = port.knifeSteps();
            framesThen = tester->framesRendered();
            return false;
        }
        return tester->framesRendered() > framesThen + 10;
    }));
    EXPECT_EQ(port.knifeSteps(), stoppedAt);
    EXPECT_EQ(GetAsyncKeyState(VK_K), 0);
}

TEST_F(LiveVideoTest, ClosingDuringTheLoopSavesOnceReleasesTheCoilsAndEnds) {
    WriteSettingsWithDriver(0);
    frmMain w;
    LoadQuiet(w);
    w.Maxdelay->setValue(1);

    int unloads = 0;
    QObject::connect(&w, &frmMain::unloaded, &w, [&] {
        // Only the first shut-down saves: the file is gone for the later ones.
        if (++unloads == 1) {
            EXPECT_TRUE(QFile::remove(SettingsPath()));
        }
    });
    bool closingSeen = false;
    size_t bytesAtClose = 0;
    SendKey(w, Qt::Key_K, true);  // the coils are energised
    w.Timer1->start();
    QTimer::singleShot(50, &w, [&] {
        SendKey(w, Qt::Key_K, false);
        bytesAtClose = port->bytes.size();
        closingSeen = true;
        w.close();
    });
    QElapsedTimer clock;
    clock.start();
    while (!(closingSeen && unloads >= 2 && !w.LiveLoopBusy) && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_GE(unloads, 2);  // the close, then the loop's own unload

    EXPECT_TRUE(w.ClosingDown);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(QFile::exists(SettingsPath()));
    // The loop wrote the all-off byte after the close, as its last byte.
    ASSERT_GT(port->bytes.size(), bytesAtClose);
    EXPECT_EQ(port->bytes.back(), AllOffByte(false));
    // The capture callbacks are off: a grab no longer reaches Picture1.
    EXPECT_FALSE(w.CapWnd->onFrame);
    const QImage last = w.Picture1->canvas().Picture();
    tester->port()->setPositions(500, 500);
    w.GrabFrame();
    EXPECT_EQ(w.Picture1->canvas().Picture(), last);
}
