#include "autotest/HalfStep.h"

#include <chrono>

#include "live/Motors.h"

namespace {

// Counts while below factor x Mindelay, the slider read at every comparison. Each
// count ends a fixed time after the previous one, so reading the slider is part
// of the count rather than added to it.
void BusyCount(AutoTestHost& host, int32_t factor) {
    using Clock = std::chrono::steady_clock;
    const std::chrono::nanoseconds step = host.BusyCountStepTime();
    const bool timed = step.count() > 0;
    Clock::time_point due = timed ? Clock::now() : Clock::time_point{};
    for (int64_t i = 0; i < static_cast<int64_t>(factor) * host.MindelayValue(); ++i) {
        if (!timed) continue;
        due += step;
        while (Clock::now() < due) {
        }
    }
}

}  // namespace

void OutputMotorPhases(const TestState& s, AutoTestHost& host) {
    host.WriteDataPort(MotorByte(s.CoilTable, s.LRPhase, s.TFPhase, host.Wiring()));
}

void HalfStep(TestState& s, AutoTestHost& host, Axis axis, int direction) {
    const int d = direction < 0 ? -1 : 1;
    if (axis == Axis::Knife) {
        s.LRPhase = StepPhase(s.LRPhase, d);
        s.Xpos += d;
    } else {
        s.TFPhase = StepPhase(s.TFPhase, -d);
        s.Ypos += d;
    }
    OutputMotorPhases(s, host);
    BusyCount(host, 2);
}

void HalfSteps(TestState& s, AutoTestHost& host, Axis axis, int direction, int64_t count) {
    for (int64_t i = 0; i < count; ++i) HalfStep(s, host, axis, direction);
}
