#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "live/RigHost.h"

// The pacing of the motors' half steps, shared by the live loop and the
// automated test.

using PaceClock = std::chrono::steady_clock;

// A busy count: counts from start while below factor x Mindelay + plus, the limit
// computed afresh (with a fresh read of the slider) before every comparison. Each
// count ends one step after the previous one, counted from begin, so the time
// spent reading the slider, or anything done since begin, is part of the count
// rather than added to it. A step of zero makes the count take no time.
void BusyCount(RigHost& host, std::chrono::nanoseconds step, int64_t start, int32_t factor,
               int32_t plus, PaceClock::time_point begin);

// A move runs its half steps without window events, so that nothing upsets the
// motors' pace. A move that goes on past a tenth of a second lets the pending
// events run once every tenth of a second, between the port write and the busy
// count of a half step (inside the time the count waits anyway), so that Abort,
// the close box and a termination signal are seen; the move then ends when the
// given condition holds. Moves shorter than that run exactly as before.
class LongMoveWatch {
  public:
    static constexpr std::chrono::milliseconds kInterval{100};

    // step: the duration of one count of the half steps' busy counts.
    LongMoveWatch(RigHost& host, std::chrono::nanoseconds step, std::function<bool()> stop);

    // Called after a half step's port write: the pending events when they are
    // due, then the step's busy count up to factor x Mindelay, the events' time
    // part of it. True when the move must end now; the last step still gets its
    // full count before anything else drives the motor.
    bool AfterStep(int32_t factor);

  private:
    RigHost& host_;
    std::chrono::nanoseconds step_;
    std::function<bool()> stop_;
    PaceClock::time_point next_;
};
