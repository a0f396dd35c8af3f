#include "live/MotorPacing.h"

#include <utility>

void BusyCount(RigHost& host, std::chrono::nanoseconds step, int64_t start, int32_t factor,
               int32_t plus, PaceClock::time_point begin) {
    const bool timed = step.count() > 0;
    PaceClock::time_point due = begin;
    for (int64_t i = start; i < static_cast<int64_t>(factor) * host.MindelayValue() + plus; ++i) {
        if (!timed) continue;
        due += step;
        while (PaceClock::now() < due) {
        }
    }
}

LongMoveWatch::LongMoveWatch(RigHost& host, std::chrono::nanoseconds step,
                             std::function<bool()> stop)
    : host_(host), step_(step), stop_(std::move(stop)), next_(PaceClock::now() + kInterval) {}

bool LongMoveWatch::AfterStep(int32_t factor) {
    const PaceClock::time_point begin = PaceClock::now();
    bool stop = false;
    if (begin >= next_) {
        host_.DoEvents();
        next_ = PaceClock::now() + kInterval;
        stop = stop_();
    }
    BusyCount(host_, step_, 0, factor, 0, begin);
    return stop;
}
