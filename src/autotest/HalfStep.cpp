#include "autotest/HalfStep.h"

#include "live/MotorPacing.h"
#include "live/Motors.h"

namespace {

// The phase and position change of one half step, and the motor byte.
void StepAndWrite(TestState& s, AutoTestHost& host, Axis axis, int direction) {
    const int d = direction < 0 ? -1 : 1;
    if (axis == Axis::Knife) {
        s.LRPhase = StepPhase(s.LRPhase, d);
        s.Xpos += d;
    } else {
        s.TFPhase = StepPhase(s.TFPhase, -d);
        s.Ypos += d;
    }
    OutputMotorPhases(s, host);
}

}  // namespace

void OutputMotorPhases(const TestState& s, AutoTestHost& host) {
    host.WriteDataPort(MotorByte(s.CoilTable, s.LRPhase, s.TFPhase, host.Wiring()));
}

void HalfStep(TestState& s, AutoTestHost& host, Axis axis, int direction) {
    StepAndWrite(s, host, axis, direction);
    BusyCount(host, host.BusyCountStepTime(), 0, 2, 0, PaceClock::now());
}

bool HalfSteps(TestState& s, AutoTestHost& host, Axis axis, int direction, int64_t count) {
    LongMoveWatch watch(host, [&s, &host] { return host.AbortChecked() || s.ClosingDown; });
    const std::chrono::nanoseconds step = host.BusyCountStepTime();
    for (int64_t i = 0; i < count; ++i) {
        StepAndWrite(s, host, axis, direction);
        const PaceClock::time_point begin = PaceClock::now();
        const bool stop = watch.MustStop();
        // The last step gets its full time too before anything else drives the motor.
        BusyCount(host, step, 0, 2, 0, begin);
        if (stop) return false;
    }
    return true;
}
