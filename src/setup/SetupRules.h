#pragma once

#include <cstdint>

#include "core/TestState.h"

// Rules of the platform and Foucault setup dialog that need no window.

// The zone intensity window: both ends lie in 5..255 and at least 10 apart.
inline constexpr int32_t kIntensityLow = 5;
inline constexpr int32_t kIntensityHigh = 255;
inline constexpr int32_t kIntensityGap = 10;

// Keeps the two intensity sliders at least 10 apart. The slider the user touched
// last (sldMax when maxLast) keeps its value and the other gives way; when the
// other one would leave 5..255 it stops at the end of the range, and the touched
// one then stops 10 short of it.
void KeepIntensityGap(int32_t& max, int32_t& min, bool maxLast);

// The tab Ctrl+Tab selects after `index` (0-based) of `count` tabs: the next
// one, and after the last the first.
int NextTab(int index, int count);
