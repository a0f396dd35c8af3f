// Tracking and Pause during "Do the Magic" on the simulated tester, through the
// real main window: an image that drifts is followed, a pause holds the test,
// and closing the window while paused ends the test with the coils released.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cmath>

#include "MagicRig.h"
#include "OwnFolder.h"

namespace {

constexpr double kTolerance = 0.0015;  // inch

// The largest difference between a reading and what the simulated mirror gives.
double LargestError(const magic::Rig& rig, const frmMain& w) {
    double largest = 0;
    for (int run = 0; run <= w.Reps; ++run)
        for (int zone = 1; zone <= w.NZ; ++zone)
            largest = std::max(largest, std::abs(w.ZoneResults[run][zone] - rig.Ideal(zone)));
    return largest;
}

class TrackingMagic : public KnifeSideTest {};

// The image drifts 20 pixels a minute sideways and 10 down while the test runs at
// the program's own motor pace on the unpaced simulator (a few pixels over the
// test; more on a slower machine).
constexpr double kDriftX = 20;  // pixels a minute
constexpr double kDriftY = 10;

TEST_P(TrackingMagic, TrackedTestReadsEveryZoneWhileTheImageDrifts) {
    magic::RigOptions options;
    options.knifeRight = GetParam();
    options.reps = 1;
    magic::Rig rig(options);
    frmMain& w = rig.Start();
    SimSettings drifting = rig.tester->settings();
    drifting.driftX = kDriftX;
    drifting.driftY = kDriftY;
    ASSERT_TRUE(rig.tester->applySettings(drifting));
    w.Chk_trak->setChecked(true);
    QElapsedTimer clock;
    clock.start();
    int moves = 0;
    int lastX = w.MirX->value(), lastY = w.MirY->value();
    // A test that lost the mirror would not end: stop it after two minutes.
    rig.driver->onGrab = [&] {
        if (clock.elapsed() > 120000) w.abort->setChecked(true);
        if (w.MirX->value() != lastX || w.MirY->value() != lastY) ++moves;
        lastX = w.MirX->value();
        lastY = w.MirY->value();
    };

    rig.DoTheMagic();

    const double minutes = clock.elapsed() / 60000.0;
    EXPECT_EQ(w.TestStatus, "Test Complete! :)");
    const double largest = LargestError(rig, w);
    EXPECT_LE(largest, kTolerance);
    // The centre followed the image, within tracking's reach: tracking moved it
    // during the test, not only a drift too small to matter left it near.
    EXPECT_GT(moves, 0);
    EXPECT_LT(std::abs(w.MirX->value() - rig.simSettings.centreX - rig.tester->driftShiftX()), 4);
    EXPECT_LT(std::abs(w.MirY->value() - rig.simSettings.centreY - rig.tester->driftShiftY()), 4);
    RecordProperty("drift_x_pixels", QString::number(kDriftX * minutes).toStdString());
    RecordProperty("largest_error_inch", QString::number(largest).toStdString());
}

// A short test: two zones, one set of readings, no motor pace.
class PauseMagic : public OwnFolderTest<> {
  protected:
    void SetUp() override {
        OwnFolderTest::SetUp();
        if (HasFatalFailure()) return;
        options.zones = 2;
        options.reps = 0;
        rig = std::make_unique<magic::Rig>(options);
        frmMain& w = rig->Start();
        w.SetBusyCountStep(std::chrono::nanoseconds(0));
    }

    // Clicks "Pause" once the test has grabbed this many frames.
    void PauseAtFrame(int frame) {
        frmMain& w = *rig->window;
        rig->driver->onGrab = [this, &w, frame] {
            if (++testFrames == frame)
                QTimer::singleShot(0, w.cmdpause, [&w] { w.cmdpause->click(); });
        };
    }

    static bool FaceIs(const QPushButton* button, const char* colour) {
        return button->styleSheet().contains(QLatin1String(colour));
    }

    magic::RigOptions options;
    std::unique_ptr<magic::Rig> rig;
    int testFrames = 0;
};

TEST_F(PauseMagic, PauseHoldsTheTestAndASecondClickResumesIt) {
    frmMain& w = *rig->window;
    PauseAtFrame(30);
    int framesWhilePaused = -1;
    int32_t yposWhilePaused = 0;
    bool heldState = false;
    bool flashed = false;
    // While paused: watch for a while, then click "Pause" again.
    QTimer watch;
    QElapsedTimer pausedFor;
    QObject::connect(&watch, &QTimer::timeout, w.cmdpause, [&] {
        if (!w.PauseState.Paused()) return;
        if (!pausedFor.isValid()) {
            pausedFor.start();
            framesWhilePaused = testFrames;
            yposWhilePaused = w.Ypos;
            heldState = !w.Command3->isEnabled() && !w.Chk_trak->isEnabled() &&
                        w.TestStatus == "Testing Zone 1";
        }
        flashed = flashed || !FaceIs(w.cmdpause, "#00ffff");
        if (pausedFor.elapsed() < 1500) return;
        framesWhilePaused = testFrames - framesWhilePaused;
        watch.stop();
        w.cmdpause->click();
    });
    watch.start(5);

    rig->DoTheMagic();

    EXPECT_TRUE(heldState);
    EXPECT_TRUE(flashed) << "no flash in 1.5 s";
    EXPECT_EQ(framesWhilePaused, 0) << "frames grabbed while paused";
    EXPECT_NE(yposWhilePaused, 0) << "paused before the platform moved";
    EXPECT_FALSE(w.PauseState.Paused());
    EXPECT_TRUE(FaceIs(w.cmdpause, "#00ffff"));
    EXPECT_TRUE(w.Chk_trak->isEnabled());
    // The test went on from where it stood and read both zones.
    EXPECT_EQ(w.TestStatus, "Test Complete! :)");
    for (int zone = 1; zone <= 2; ++zone)
        EXPECT_LE(std::abs(w.ZoneResults[0][zone] - rig->Ideal(zone)), kTolerance) << zone;
    EXPECT_TRUE(w.Command3->isEnabled());
}

TEST_F(PauseMagic, ClosingWhilePausedEndsTheWaitThenTheTest) {
    frmMain& w = *rig->window;
    PauseAtFrame(30);
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &w, [&] {
        if (!w.PauseState.Paused()) return;
        closer.stop();
        w.close();
    });
    closer.start(50);

    rig->DoTheMagic();

    EXPECT_TRUE(w.ClosingDown);
    EXPECT_FALSE(w.PauseState.Paused());
    EXPECT_TRUE(FaceIs(w.cmdpause, "#00ffff"));
    EXPECT_EQ(testFrames, 31) << "the frame in which the pause came, then the end's still frame";
    EXPECT_EQ(w.TestStatus, "Test Aborted!");
    EXPECT_EQ(rig->port->last, 0) << "coils not released";
}

TEST_F(PauseMagic, ResetWithAZoneTableStopsZoneEvaluationAndLeavesTheMotors) {
    frmMain& w = *rig->window;
    ASSERT_TRUE(w.ZoneOn);
    ASSERT_TRUE(w.Command5->isEnabled());
    w.Xpos = 12;
    w.Ypos = -340;
    w.LRPhase = 3;
    const int64_t writes = rig->port->writes;

    w.Command1->click();

    EXPECT_FALSE(w.ZoneOn);
    EXPECT_EQ(w.Xpos, 0);
    EXPECT_EQ(w.Ypos, 0);
    EXPECT_EQ(w.LRPhase, 3);
    EXPECT_TRUE(w.Text2->toPlainText().isEmpty());
    EXPECT_FALSE(w.Command5->isEnabled());
    EXPECT_EQ(rig->port->writes, writes) << "Reset moved or released the motors";
    EXPECT_EQ(w.NZ, 2);
    // "Do the Magic" now refuses.
    MsgBoxService::ClearHistory();
    w.Command3->click();
    ASSERT_EQ(MsgBoxService::History().size(), 1);
    EXPECT_EQ(MsgBoxService::History().first().text, "Please setup zones first ;)");
}

INSTANTIATE_TEST_SUITE_P(KnifeSide, TrackingMagic, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "KnifeRight" : "KnifeLeft";
                         });

}  // namespace
