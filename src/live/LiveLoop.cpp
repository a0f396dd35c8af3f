#include "live/LiveLoop.h"

#include <QMetaObject>
#include <QTimer>
#include <algorithm>

#include "platform/KeyState.h"

namespace {

// Keeps the count of loops on the call stack right however a run ends.
class ActiveLoop {
  public:
    explicit ActiveLoop(int& count) : count_(count) { ++count_; }
    ~ActiveLoop() { --count_; }
    ActiveLoop(const ActiveLoop&) = delete;
    ActiveLoop& operator=(const ActiveLoop&) = delete;

  private:
    int& count_;
};

}  // namespace

void sldAcell_OnValue(TestState& state, int32_t sldAcellValue) {
    state.Accel = std::clamp(10 - sldAcellValue, 0, 9);
}

LiveLoop::LiveLoop(LiveLoopHost& host) : host_(host) {}

void LiveLoop::AttachTimer1(QTimer& timer1) {
    // The timer is the context of both calls: once it is gone, no tick and no
    // queued call reaches the loop.
    QObject::connect(&timer1, &QTimer::timeout, &timer1, [this, &timer1] {
        QMetaObject::invokeMethod(
            &timer1, [this] { Timer1_Timer(); }, Qt::QueuedConnection);
    });
}

void LiveLoop::Timer1_Timer() {
    TestState& s = S();
    if (s.Manual && !s.LiveLoopBusy && !s.ClosingDown) {
        s.LiveLoopBusy = true;
        s.Manual = true;
        // A loop held below a handler that cleared Manual resumes by itself once
        // Manual is back; it is the busy one, and no second loop starts above it.
        if (!Running()) RunLiveLoop();
    }
    if (!s.Manual || s.ClosingDown) s.LiveLoopBusy = false;
    if (s.ClosingDown) host_.UnloadMainWindow();
}

void LiveLoop::RunLiveLoop() {
    ActiveLoop active(activeLoops_);
    LiveRun run = StartRun();
    while (RunPass(run)) {
    }
}

LiveRun LiveLoop::StartRun() {
    TestState& s = S();
    s.TestStatus.clear();
    host_.EnableTimer1();
    LiveRun run;
    run.d = Maxdelay();
    run.idle = 0;
    WriteAllOff();
    s.AvgFrames = 10;
    s.QpcLast = host_.QueryPerformanceCounter();
    return run;
}

bool LiveLoop::RunPass(LiveRun& run) {
    run.code = ReadPassCode();
    ActOnCode(run);

    host_.GrabFrame();

    if (S().ZoneOn) {
        host_.MeasureZones();
    } else {
        DrawLiveOverlays();
    }

    DrawSpeedGauge(run);

    // The end test reads the flags as the pass leaves them: handlers that ran in
    // this pass's event pumping may have changed them.
    if (S().Manual && !S().ClosingDown) return true;
    WriteAllOff();
    if (S().ClosingDown) host_.UnloadMainWindow();
    return false;
}

int32_t LiveLoop::ReadPassCode() {
    int32_t code = host_.ReadHandpad();
    // Every key is queried on every pass, in this order; the last one down wins,
    // so M beats I, I beats J, J beats K, and any key beats the handpad.
    if (host_.GetAsyncKeyState(VK_K) != 0) code = 14;
    if (host_.GetAsyncKeyState(VK_J) != 0) code = 13;
    if (host_.GetAsyncKeyState(VK_I) != 0) code = 11;
    if (host_.GetAsyncKeyState(VK_M) != 0) code = 12;
    return code;
}

int32_t LiveLoop::Maxdelay() {
    // The slider's least value is 1; the speed ratio divides by it.
    return std::max(host_.MaxdelayValue(), 1);
}

void LiveLoop::WriteAllOff() {
    host_.WriteDataPort(AllOffByte(host_.Wiring().invert));
}

void LiveLoop::WriteMotorByte() {
    const TestState& s = S();
    host_.WriteDataPort(MotorByte(s.CoilTable, s.LRPhase, s.TFPhase, host_.Wiring()));
}
