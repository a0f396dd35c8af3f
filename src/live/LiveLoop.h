#pragma once

#include <chrono>
#include <cstdint>

#include "live/LiveLoopHost.h"
#include "platform/PictureCanvas.h"

class QTimer;

// The live loop: while manual mode lasts, each pass reads the handpad and the jog
// keys, moves at most one motor with a speed ramp, grabs one frame into Picture1,
// measures it or draws the centring overlays and the frame rate, lets window
// events run once and draws the speed gauge.
//
// Starting it. Qt does not deliver a QTimer's timeout again while that timeout's
// own slot is still running, so the loop must not run inside Timer1's slot: ticks
// that arrive during the loop would never be seen. AttachTimer1() connects
// Timer1's timeout to a queued call of Timer1_Timer(); the loop then runs inside
// that queued call, and every later tick posts another queued call, which the
// loop's own event pumping dispatches (those ticks only do the tick's closing
// rule, since a loop is already running).
//
// Nested loops. A handler that clears Manual while it holds the loop below it
// (the video format and source dialogs) lets a tick clear LiveLoopBusy. When the
// handler sets Manual again, the loop below resumes on its own; a tick that comes
// meanwhile finds a loop on the call stack and starts no second one. It marks the
// resumed loop busy again instead, so there is never more than one loop.

// The values one call of the loop keeps from pass to pass.
struct LiveRun {
    int32_t d = 0;     // step delay: 0 at rest, 1 full speed, above 1 ramping,
                       // below 1 only inside a fast run
    int32_t idle = 0;  // consecutive idle passes, up to 50
    int32_t code = 0;  // the pass code of the current pass
};

// Idle passes that keep the coils energised after a move; the next ones release them.
constexpr int32_t kIdlePassesBeforeRelease = 50;

// One step of a busy count. A count step is this fixed delay, its fresh read of the
// slider included: Mindelay at its default 136 then takes about 1 ms, so a full-speed
// To/From batch runs at about 1000 half steps a second, a pace a unipolar stepper
// follows. The sliders keep their meaning as counts.
constexpr std::chrono::nanoseconds kBusyCountStep{7350};

// Half steps of one full-speed live batch: round(0.001 / StepSize x 10) for the
// To/From motor, round(0.001 / StepSize) for the knife (which uses the To/From step
// size too). A step size that is not positive gives no batch.
int32_t BatchHalfSteps(double stepSize, bool platformMotor);

// Colour of the speed wedge: green below 70 %, yellow 70 to 95 %, red above.
OleColor GaugeColour(int32_t speedPercent);

// The value handler of the slider sldAcell: Accel = 10 - the slider's value (0 to 9).
void sldAcell_OnValue(TestState& state, int32_t sldAcellValue);

class LiveLoop {
  public:
    explicit LiveLoop(LiveLoopHost& host);

    // Connects Timer1's timeout to a queued call of Timer1_Timer (see above). Call
    // it once; the loop object must outlive the timer's ticks (stop or delete the
    // timer before the loop object goes).
    void AttachTimer1(QTimer& timer1);

    // Timer1's tick: starts the loop when Manual is on, LiveLoopBusy off and the
    // program not closing; then clears LiveLoopBusy when Manual is off or the
    // program closes, and unloads the main window while it closes.
    void Timer1_Timer();

    // Runs passes until one ends with Manual off or ClosingDown on. Its caller is
    // Timer1_Timer.
    void RunLiveLoop();

    // The parts of a run, in their order (used by RunLiveLoop, and by tests).
    LiveRun StartRun();                       // loop start: the values a run begins with
    bool RunPass(LiveRun& run);               // steps 1 to 7; false when the loop has ended
    int32_t ReadPassCode();                   // step 1
    void ActOnCode(LiveRun& run);             // step 2
    void DrawLiveOverlays();                  // step 4 without zones (with step 5)
    void ShowFrameRate();                     // step 5
    void DrawSpeedGauge(const LiveRun& run);  // step 6

    // True while a loop runs (or waits below a nested handler).
    bool Running() const { return activeLoops_ > 0; }

    // The duration of one busy-count step; zero makes counts take no time.
    void SetBusyCountStep(std::chrono::nanoseconds step) { busyStep_ = step; }
    std::chrono::nanoseconds BusyCountStep() const { return busyStep_; }

  private:
    struct Motion;

    TestState& S() { return host_.State(); }
    int32_t Maxdelay();
    double AccelExponent();
    void WriteAllOff();
    void WriteMotorByte();
    void Idle(LiveRun& run, double slowDownExponent);
    void Move(LiveRun& run);
    void HalfStep(const Motion& motion);
    void FullSpeedBatch(const Motion& motion);
    void FastRun(LiveRun& run, const Motion& motion);
    // Counts from start while below factor x Mindelay + plus, the limit computed
    // afresh (with a fresh read of Mindelay) before every comparison.
    void BusyCount(int64_t start, int32_t factor, int32_t plus);
    void DrawVideoOffLabel();

    LiveLoopHost& host_;
    std::chrono::nanoseconds busyStep_ = kBusyCountStep;
    int activeLoops_ = 0;
};
