#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "FakeLiveHost.h"
#include "platform/KeyState.h"

namespace {

class LiveLoopRun : public ::testing::Test, public LiveFixture {
  protected:
    LiveLoopRun() { host.marks.invert = true; }  // all-off is 255

    // Clears Manual at the given grab, so the loop ends after that pass.
    void StopAfterGrabs(int grabs) {
        host.onGrab = [this, grabs] {
            if (host.grabs == grabs) host.state.Manual = false;
        };
    }
};

TEST_F(LiveLoopRun, TickStartsTheLoopWhichEndsWhenManualGoesOff) {
    host.state.TestStatus = QStringLiteral("Zone 3");
    host.state.AvgFrames = 25;
    StopAfterGrabs(3);
    loop.Timer1_Timer();

    EXPECT_EQ(host.grabs, 3);
    EXPECT_EQ(host.timerEnables, 1);
    EXPECT_TRUE(host.state.TestStatus.isEmpty());
    EXPECT_EQ(host.state.AvgFrames, 10);
    ASSERT_FALSE(host.bytes.empty());
    EXPECT_EQ(host.bytes.front(), 255);  // coils released at the start
    EXPECT_EQ(host.bytes.back(), 255);   // and at the end
    EXPECT_FALSE(host.state.LiveLoopBusy);
    EXPECT_FALSE(loop.Running());
    EXPECT_EQ(host.unloads, 0);
    EXPECT_EQ(host.state.SpeedPercent, 0);  // idle from the start: at rest at once
}

TEST_F(LiveLoopRun, ClosingDownDuringAPassEndsItAndUnloads) {
    host.onEvents = [this] {
        if (host.grabs == 2) host.state.ClosingDown = true;
    };
    host.state.Manual = true;
    loop.Timer1_Timer();
    EXPECT_EQ(host.grabs, 2);
    EXPECT_EQ(host.bytes.back(), 255);
    EXPECT_EQ(host.unloads, 2);  // by the loop, then by the tick that ran it
    EXPECT_FALSE(host.state.LiveLoopBusy);
}

TEST_F(LiveLoopRun, TickRules) {
    // A tick that finds Manual off clears the busy mark and starts nothing.
    host.state.Manual = false;
    host.state.LiveLoopBusy = true;
    loop.Timer1_Timer();
    EXPECT_FALSE(host.state.LiveLoopBusy);
    EXPECT_EQ(host.grabs, 0);

    // Busy and in manual mode: nothing at all.
    host.state.Manual = true;
    host.state.LiveLoopBusy = true;
    loop.Timer1_Timer();
    EXPECT_TRUE(host.state.LiveLoopBusy);
    EXPECT_EQ(host.grabs, 0);
    EXPECT_EQ(host.unloads, 0);

    // Closing: no loop, the mark cleared, the window unloaded.
    host.state.LiveLoopBusy = false;
    host.state.ClosingDown = true;
    loop.Timer1_Timer();
    EXPECT_EQ(host.grabs, 0);
    EXPECT_FALSE(host.state.LiveLoopBusy);
    EXPECT_EQ(host.unloads, 1);
}

TEST_F(LiveLoopRun, ZoneEvaluationMeasuresInsteadOfDrawing) {
    host.state.ZoneOn = true;
    StopAfterGrabs(2);
    loop.Timer1_Timer();
    EXPECT_EQ(host.measures, 2);
    EXPECT_EQ(host.refreshes, 0);
    EXPECT_EQ(host.events, 2);
}

TEST_F(LiveLoopRun, FastRunOutlastsManualUntilTheKeyIsReleased) {
    host.maxdelay = 1;
    int held = 6;  // the pass code's query and five in the run
    host.keyFn = [&](int vk) -> short { return vk == VK_I && held-- > 0 ? 1 : 0; };
    host.onEvents = [this] { host.state.Manual = false; };
    loop.Timer1_Timer();
    EXPECT_EQ(host.state.Ypos, -6);
    EXPECT_EQ(host.grabs, 1);  // the released pass still grabs and draws
    EXPECT_EQ(host.bytes.back(), 255);
    EXPECT_FALSE(host.state.LiveLoopBusy);
}

TEST_F(LiveLoopRun, ResumedLoopIsNotNestedBySecondLoop) {
    // A handler in the first pass holds the loop with Manual off while ticks come,
    // then sets Manual again and returns, as the video format dialog does.
    int grabsInside = -1;
    host.onEvents = [&] {
        if (host.grabs != 1) return;
        host.state.Manual = false;
        loop.Timer1_Timer();
        EXPECT_FALSE(host.state.LiveLoopBusy);
        host.state.Manual = true;
        loop.Timer1_Timer();
        grabsInside = host.grabs;
        EXPECT_TRUE(host.state.LiveLoopBusy);
    };
    StopAfterGrabs(3);
    loop.Timer1_Timer();
    EXPECT_EQ(grabsInside, 1);  // the tick started no loop of its own
    EXPECT_EQ(host.grabs, 3);   // the held loop went on
    EXPECT_FALSE(host.state.LiveLoopBusy);
    EXPECT_FALSE(loop.Running());
}

TEST_F(LiveLoopRun, TimerTicksAreDispatchedWhileTheLoopRuns) {
    // The real timer path: ticks that come while the loop runs reach the tick's
    // closing rule, which unloads the window as soon as ClosingDown is set.
    int nestedUnloads = -1;
    host.onEvents = [&] {
        QCoreApplication::processEvents();
        if (host.grabs < 3 || host.state.ClosingDown) return;
        host.state.ClosingDown = true;
        QElapsedTimer waited;
        waited.start();
        while (host.unloads == 0 && waited.elapsed() < 2000) QCoreApplication::processEvents();
        nestedUnloads = host.unloads;
    };

    QTimer timer1;
    timer1.setInterval(5);
    loop.AttachTimer1(timer1);
    timer1.start();
    QElapsedTimer waited;
    waited.start();
    while (!(host.state.ClosingDown && !loop.Running() && host.unloads >= 3) &&
           waited.elapsed() < 5000) {
        QCoreApplication::processEvents();
    }
    timer1.stop();

    EXPECT_GE(host.grabs, 3);
    EXPECT_GE(nestedUnloads, 1);
    EXPECT_FALSE(loop.Running());
    EXPECT_FALSE(host.state.LiveLoopBusy);
}

}  // namespace
