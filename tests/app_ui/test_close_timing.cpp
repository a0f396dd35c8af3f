// How long closing takes on the real main window, from the close to the moment
// every loop that was running has ended and the program's own event loop has
// control again: two seconds of shut-down, two more when the loop that was
// running unloads the window again, and little else. Closed idle (the live loop
// running), paused, and during "Do the Magic".

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "autotest/MoveSizes.h"
#include "autotest_ui/MagicRig.h"
#include "autotest_ui/OwnFolder.h"

namespace {

// Shut-down's own wait, once more for the loop that unloads again, and a second
// for everything else on a loaded machine.
constexpr qint64 kCloseLimitMs = 2000 + 2000 + 1000;

class CloseTiming : public OwnFolderTest<> {
  protected:
    void SetUp() override {
        OwnFolderTest::SetUp();
        if (HasFatalFailure()) return;
        magic::RigOptions options;
        options.zones = 2;
        options.reps = 0;
        rig = std::make_unique<magic::Rig>(options);
        rig->Start();
    }

    // Starts the live loop as start-up does, lets `step` act from inside its
    // event pumping until it returns true, then closes the window from there.
    // Returns the milliseconds from the close until the outermost event loop has
    // control again (-1 when the window was never closed).
    qint64 CloseWhen(const std::function<bool()>& step) {
        frmMain& w = *rig->window;
        QEventLoop program;
        QObject::connect(&w, &frmMain::unloaded, &program, [&] { program.quit(); });
        QElapsedTimer sinceClose;
        QTimer poll;
        bool looping = false;
        QObject::connect(&poll, &QTimer::timeout, &w, [&] {
            looping = looping || w.LiveLoopBusy;
            if (!looping || !step()) return;
            poll.stop();
            sinceClose.start();
            w.close();
        });
        // Whatever happens, the test ends.
        QTimer::singleShot(60000, &program, [&] { program.quit(); });
        poll.start(5);
        w.Timer1->start();
        program.exec();
        return sinceClose.isValid() ? sinceClose.elapsed() : -1;
    }

    // Clicks the button once, from inside the live loop's event pumping.
    static void ClickLater(QPushButton* button) {
        QTimer::singleShot(0, button, [button] { button->click(); });
    }

    std::unique_ptr<magic::Rig> rig;
};

TEST_F(CloseTiming, IdleLiveLoop) {
    frmMain& w = *rig->window;
    const int64_t grabs = rig->driver->grabs;
    const qint64 ms = CloseWhen([&] { return rig->driver->grabs > grabs + 5; });
    EXPECT_GE(ms, 2000);
    EXPECT_LT(ms, kCloseLimitMs);
    EXPECT_TRUE(w.ClosingDown);
    EXPECT_FALSE(w.LiveLoopBusy);
    EXPECT_FALSE(w.isVisible());
    RecordProperty("close_ms", static_cast<int>(ms));
}

TEST_F(CloseTiming, Paused) {
    frmMain& w = *rig->window;
    bool clicked = false;
    const qint64 ms = CloseWhen([&] {
        if (!clicked) {
            clicked = true;
            ClickLater(w.cmdpause);
        }
        return w.PauseState.Paused();
    });
    EXPECT_GE(ms, 2000);
    EXPECT_LT(ms, kCloseLimitMs);
    EXPECT_FALSE(w.PauseState.Paused());
    EXPECT_FALSE(w.LiveLoopBusy);
    RecordProperty("close_ms", static_cast<int>(ms));
}

TEST_F(CloseTiming, DuringDoTheMagic) {
    frmMain& w = *rig->window;
    bool clicked = false;
    int64_t grabsAtClick = 0;
    const qint64 ms = CloseWhen([&] {
        if (!clicked) {
            clicked = true;
            grabsAtClick = rig->driver->grabs;
            ClickLater(w.Command3);
        }
        // The test runs with the live loop held below it.
        return !w.Manual && rig->driver->grabs > grabsAtClick + 20;
    });
    EXPECT_GE(ms, 2000);
    EXPECT_LT(ms, kCloseLimitMs);
    EXPECT_EQ(w.TestStatus, "Test Aborted!");
    EXPECT_EQ(rig->port->last, 0) << "coils not released";
    EXPECT_FALSE(w.LiveLoopBusy);
    RecordProperty("close_ms", static_cast<int>(ms));
}

// During a move of the longest size a tester travels (about an hour of half
// steps), a termination signal ends the program within about a second and Abort
// ends the test within about a second; the close box takes shut-down's usual time.
TEST_F(CloseTiming, DuringALongMove) {
    struct Case {
        const char* name;
        std::function<void(frmMain&)> act;
        qint64 limitMs;
    };
    const Case cases[] = {
        {"signal", [](frmMain& w) { w.UnloadOnSignal(); }, 1000},
        {"abort", [](frmMain& w) { w.abort->click(); }, 1000},
        {"close box", [](frmMain& w) { w.close(); }, kCloseLimitMs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        magic::RigOptions options;
        options.zones = 2;
        options.reps = 0;
        options.editSettings = [](TestState& s) {
            s.LRSmMove = s.LRLgMove = s.TFOblateMove = s.TFRoughMove = s.TFFinalMoves =
                kMaxMoveHalfSteps;
        };
        rig.reset();
        rig = std::make_unique<magic::Rig>(options);
        frmMain& w = rig->Start();
        auto steps = [&] { return rig->port->knifeSteps + rig->port->platformSteps; };
        QEventLoop program;
        QObject::connect(&w, &frmMain::unloaded, &program, [&] { program.quit(); });
        QElapsedTimer sinceAct;
        qint64 ms = -1;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &w, [&] {
            if (!w.LiveLoopBusy || w.ClosingDown) return;
            if (w.Command3->isEnabled() && !sinceAct.isValid()) ClickLater(w.Command3);
            if (!sinceAct.isValid() && steps() > 1000) {
                sinceAct.start();
                c.act(w);
            } else if (sinceAct.isValid() && w.Manual) {
                ms = sinceAct.elapsed();  // the test has ended: the live loop runs again
                w.close();
            }
        });
        poll.start(5);
        w.Timer1->start();
        program.exec();
        if (ms < 0) ms = sinceAct.elapsed();
        ASSERT_TRUE(sinceAct.isValid()) << "no long move started";
        EXPECT_LT(ms, c.limitMs);
        EXPECT_EQ(w.TestStatus, "Test Aborted!");
        EXPECT_LT(steps(), 3000) << "the move went on";
        RecordProperty(std::string(c.name) + "_ms", static_cast<int>(ms));
    }
}

}  // namespace
