#pragma once

#include <cstdint>

#include "core/TestState.h"

// Rules of the platform and Foucault setup dialog that need no window.

// Keeps the two intensity sliders at least 10 apart. The slider the user touched
// last (sldMax when maxLast) keeps its value and the other gives way; when the
// other one would leave 5..255 it stops at the end of the range, and the touched
// one then stops 10 short of it.
void KeepIntensityGap(int32_t& max, int32_t& min, bool maxLast);
