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

// The image drifts a fixed amount at every frame grabbed, so the drift over a
// test is the same on any machine: about 20 pixels sideways and 12 down, far
// more than the zones survive unfollowed. Tracking reads the disc's edge on the
// side away from the knife and holds the outline a pixel or two towards the
// knife, which leaves its five-pixel edge search the most room when the image
// drifts towards the knife's side.
constexpr double kDriftPerFrameX = 1.0 / 120;  // pixels a frame
constexpr double kDriftPerFrameY = 1.0 / 200;

// What one drifting test gave.
struct DriftRun {
    QString status;
    double largest = 0;  // inch
    int64_t frames = 0;
    int moves = 0;  // frames in which tracking moved the centre
    int shiftX = 0, shiftY = 0;
    int mirX = 0, mirY = 0;
    int centreX = 0, centreY = 0;  // where the disc stood at the end
    int worstX = 0, worstY = 0;    // the largest distance of MirX / MirY from it during the test
};

class TrackingMagic : public KnifeSideTest {
  protected:
    // "Do the Magic" with the image drifting from the first frame of the test;
    // a test still running after frameLimit frames is aborted.
    DriftRun RunDrifting(bool track, int64_t frameLimit) {
        magic::RigOptions options;
        options.knifeRight = GetParam();
        options.reps = 1;
        magic::Rig rig(options);
        frmMain& w = rig.Start();
        w.Chk_trak->setChecked(track);
        rig.driver->driftPerFrameX = GetParam() ? kDriftPerFrameX : -kDriftPerFrameX;
        rig.driver->driftPerFrameY = kDriftPerFrameY;
        DriftRun run;
        int lastX = w.MirX->value(), lastY = w.MirY->value();
        const auto centreX = [&] { return int(rig.simSettings.centreX) + rig.driver->ShiftX(); };
        const auto centreY = [&] { return int(rig.simSettings.centreY) + rig.driver->ShiftY(); };
        rig.driver->onGrab = [&] {
            if (rig.driver->grabs == frameLimit) w.abort->setChecked(true);
            if (w.MirX->value() != lastX || w.MirY->value() != lastY) ++run.moves;
            lastX = w.MirX->value();
            lastY = w.MirY->value();
            // The centre as the previous frame left it, against where that frame stood.
            if (rig.driver->grabs > 1) {
                run.worstX = std::max(run.worstX, std::abs(lastX - centreX()));
                run.worstY = std::max(run.worstY, std::abs(lastY - centreY()));
            }
        };

        rig.DoTheMagic();
        rig.driver->onGrab = nullptr;

        run.status = w.TestStatus;
        run.largest = LargestError(rig, w);
        run.frames = rig.driver->grabs;
        run.shiftX = rig.driver->ShiftX();
        run.shiftY = rig.driver->ShiftY();
        run.mirX = w.MirX->value();
        run.mirY = w.MirY->value();
        run.centreX = centreX();
        run.centreY = centreY();
        return run;
    }
};

// Frames a tracked test takes, with room for a slower search on either side.
constexpr int64_t kFrameLimit = 3000;

TEST_P(TrackingMagic, TrackedTestReadsEveryZoneWhileTheImageDrifts) {
    const DriftRun run = RunDrifting(true, kFrameLimit);

    EXPECT_EQ(run.status, "Test Complete! :)");
    EXPECT_LE(run.largest, kTolerance);
    // The image went well beyond what an unfollowed outline survives, both ways.
    EXPECT_GE(std::abs(run.shiftX), 12) << run.frames << " frames";
    EXPECT_GE(std::abs(run.shiftY), 8) << run.frames << " frames";
    // Tracking kept following it to the end, not only at the start.
    EXPECT_GE(run.moves, std::abs(run.shiftX) + std::abs(run.shiftY) - 4);
    EXPECT_LT(run.worstX, 4);
    EXPECT_LT(run.worstY, 4);
    EXPECT_LT(std::abs(run.mirX - run.centreX), 3) << run.mirX << " " << run.centreX;
    EXPECT_LT(std::abs(run.mirY - run.centreY), 3) << run.mirY << " " << run.centreY;
    RecordProperty("frames", QString::number(run.frames).toStdString());
    RecordProperty("drift_pixels",
                   QStringLiteral("%1 x %2").arg(run.shiftX).arg(run.shiftY).toStdString());
    RecordProperty("largest_error_inch", QString::number(run.largest).toStdString());
}

TEST_P(TrackingMagic, UntrackedTestLosesTheDriftingImage) {
    const DriftRun run = RunDrifting(false, kFrameLimit);

    EXPECT_EQ(run.moves, 0);
    EXPECT_TRUE(run.status != "Test Complete! :)" || run.largest > kTolerance)
        << run.status.toStdString() << ", largest error " << run.largest << " in, " << run.frames
        << " frames";
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
