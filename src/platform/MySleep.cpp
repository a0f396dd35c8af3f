#include "platform/MySleep.h"

#include <chrono>
#include <thread>

#include "platform/Counter.h"
#include "platform/Events.h"

void MySleep(float ms) {
    const int64_t start = QueryPerformanceCounter();
    const double frequency = static_cast<double>(QueryPerformanceFrequency());
    // The milliseconds scaled in double precision, then held as a single.
    const float target = static_cast<float>(static_cast<double>(ms) * 0.001);
    for (;;) {
        const float elapsed =
            static_cast<float>(static_cast<double>(QueryPerformanceCounter() - start) / frequency);
        if (!(elapsed < target)) return;
        DoEvents();
        // Give the processor back between rounds of events, but never sleep past
        // the end of the wait.
        const float left = target - elapsed;
        if (left > 0.002f) std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
}
