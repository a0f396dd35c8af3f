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

bool HalfSteps(TestState& s, AutoTestHost& host, Axis axis, int direction, int64_t count) {
    LongMoveWatch watch(host, host.BusyCountStepTime(),
                        [&s, &host] { return host.AbortChecked() || s.ClosingDown; });
    for (int64_t i = 0; i < count; ++i) {
        StepAndWrite(s, host, axis, direction);
        if (watch.AfterStep(2)) return false;
    }
    return true;
}
