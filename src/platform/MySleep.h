#pragma once

// Waits the given number of milliseconds while letting pending window events
// run, so every window stays responsive. Measured on the monotonic counter, so
// a wait never ends early and never hangs when the clock of the day turns over.
// A wait of 0 or less returns at once without running any events.
void MySleep(float ms);
