#pragma once

#include <cstdint>

// The monotonic high-resolution counter: nanoseconds, frequency 1e9.
int64_t QueryPerformanceCounter();
int64_t QueryPerformanceFrequency();
