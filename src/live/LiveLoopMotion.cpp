// Step 2 of a live pass: idle slow-down, moves with their speed-up, full-speed
// batches, fast runs with the video frozen, and the busy counts that pace them.

#include <algorithm>
#include <cmath>

#include "core/NumberText.h"
#include "live/LiveLoop.h"
#include "live/MotorPacing.h"
#include "platform/KeyState.h"

// One axis and direction, as a pass code asks for it.
struct LiveLoop::Motion {
    bool platform;  // the To/From motor, else the knife motor
    int direction;  // phase change of each half step
    int key;        // the jog key that holds a fast run
};

namespace {

// Codes 1/11 and 2/12 move the platform (keys I and M), 3/13 and 4/14 the knife
// (keys J and K). The position counters run against the platform's phase and
// with the knife's.
constexpr int kPlatformIn = 1;
constexpr int kPlatformOut = 2;
constexpr int kKnifeLeft = 3;
constexpr int kKnifeRight = 4;

bool IsMoveCode(int32_t code) {
    return (code >= kPlatformIn && code <= kKnifeRight) ||
           (code >= kPlatformIn + 10 && code <= kKnifeRight + 10);
}

}  // namespace

int32_t BatchHalfSteps(double stepSize, bool platformMotor) {
    if (!(stepSize > 0) || !std::isfinite(stepSize)) return 0;
    const double n = platformMotor ? 0.001 / stepSize * 10 : 0.001 / stepSize;
    return RoundToLong(n);
}

double LiveLoop::AccelExponent() {
    return std::clamp(S().Accel, 0, 9) * 0.1;
}

void LiveLoop::ActOnCode(LiveRun& run) {
    TestState& s = S();
    switch (run.code) {
        case 0:
            Idle(run, 0.85);
            break;
        case 10:
            Idle(run, 0.6);
            break;
        case 5:
        case 15:
            s.Xpos = 0;
            s.Ypos = 0;
            break;
        default:
            if (IsMoveCode(run.code)) Move(run);
            // 6 to 9 and 16 (and anything unknown) change nothing.
            break;
    }
}

void LiveLoop::Idle(LiveRun& run, double slowDownExponent) {
    TestState& s = S();
    if (run.d != 0 && run.d < Maxdelay()) {
        s.SpeedPercent = RoundToLong(100 - static_cast<double>(run.d) / Maxdelay() * 100);
        run.d = RoundToLong(run.d + std::pow(static_cast<double>(run.d), slowDownExponent));
    } else {
        run.d = 0;
    }
    if (run.idle < kIdlePassesBeforeRelease) {
        ++run.idle;
    } else {
        WriteAllOff();
    }
}

void LiveLoop::Move(LiveRun& run) {
    const int32_t base = run.code % 10;
    Motion motion{};
    switch (base) {
        case kPlatformIn:
            motion = {true, +1, VK_I};
            break;
        case kPlatformOut:
            motion = {true, -1, VK_M};
            break;
        case kKnifeLeft:
            motion = {false, -1, VK_J};
            break;
        default:
            motion = {false, +1, VK_K};
            break;
    }

    // Start from rest: energise the coils at their phases before the first step.
    if (run.d == 0) {
        run.d = Maxdelay();
        run.idle = 0;
        WriteMotorByte();
    }

    HalfStep(motion);

    if (run.d > 1) {
        run.d = RoundToLong(run.d - std::pow(static_cast<double>(run.d), AccelExponent()));
        if (run.d == 0) run.d = 1;
    } else if (run.code < 10) {
        FullSpeedBatch(motion);
    } else {
        FastRun(run, motion);
    }
}

void LiveLoop::HalfStep(const Motion& motion) {
    TestState& s = S();
    if (motion.platform) {
        s.TFPhase = StepPhase(s.TFPhase, motion.direction);
        s.Ypos -= motion.direction;
    } else {
        s.LRPhase = StepPhase(s.LRPhase, motion.direction);
        s.Xpos += motion.direction;
    }
    WriteMotorByte();
}

void LiveLoop::FullSpeedBatch(const Motion& motion) {
    const int32_t n = BatchHalfSteps(S().StepSize, motion.platform);
    const int32_t factor = motion.platform ? 1 : 3;
    LongMoveWatch watch(host_, busyStep_, [this] { return S().ClosingDown || !S().Manual; });
    for (int32_t i = 0; i < n; ++i) {
        HalfStep(motion);
        if (watch.AfterStep(factor)) return;
    }
}

void LiveLoop::FastRun(LiveRun& run, const Motion& motion) {
    run.d = -Maxdelay();
    for (;;) {
        const bool keyHeld = host_.GetAsyncKeyState(motion.key) != 0;
        const int32_t pad = host_.ReadHandpad();
        if (!keyHeld && pad != run.code) break;

        HalfStep(motion);

        // While d is negative each count covers |d| more steps: the motor starts
        // slowly and speeds up as d climbs (0 to the power 0 counts as 1).
        int64_t start = 0;
        if (run.d < 1) {
            run.d = RoundToLong(run.d +
                                std::pow(std::abs(static_cast<double>(run.d)), AccelExponent()));
            start = run.d;
        }
        host_.DoEvents();
        BusyCount(start, 1, 0);
    }
    run.d = 1;
}

void LiveLoop::BusyCount(int64_t start, int32_t factor, int32_t plus) {
    ::BusyCount(host_, busyStep_, start, factor, plus, PaceClock::now());
}
