#include "setup/SetupRules.h"


void KeepIntensityGap(int32_t& max, int32_t& min, bool maxLast) {
    if (max - min >= kIntensityGap) return;
    if (maxLast) {
        min = max - kIntensityGap;
        if (min < kIntensityLow) {
            min = kIntensityLow;
            max = kIntensityLow + kIntensityGap;
        }
    } else {
        max = min + kIntensityGap;
        if (max > kIntensityHigh) {
            max = kIntensityHigh;
            min = kIntensityHigh - kIntensityGap;
        }
    }
}

int NextTab(int index, int count) {
    if (count <= 0) return 0;
    return (index + 1) % count;
}

