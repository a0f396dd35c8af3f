#include "setup/SetupRules.h"

void KeepIntensityGap(int32_t& max, int32_t& min, bool maxLast) {
    if (max - min >= kIntensityGap) return;
    if (maxLast) {
        min = max - kIntensityGap;
        if (min < kIntensityLowest) {
            min = kIntensityLowest;
            max = kIntensityLowest + kIntensityGap;
        }
    } else {
        max = min + kIntensityGap;
        if (max > kIntensityHighest) {
            max = kIntensityHighest;
            min = kIntensityHighest - kIntensityGap;
        }
    }
}
