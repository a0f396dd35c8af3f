#include "platform/Counter.h"

#include <chrono>

int64_t QueryPerformanceCounter() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
}

int64_t QueryPerformanceFrequency() {
    return 1000000000;  // counts per second: the counter is in nanoseconds
}
