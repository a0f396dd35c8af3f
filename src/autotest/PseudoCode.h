#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The two pseudo-code explanations of the Auto Test Variables dialog: fixed
// wording with the values the dialog shows filled in. Lines are separated by
// CR LF; the last line has none. A step whose list value can't be read (a list
// without a selection, or not yet filled) is left out whole.

// The knife In/Out adjustment (TxtLrData).
struct LRPseudoCodeValues {
    int32_t frames = 0;            // SldLRminFrames
    int32_t max = 0;               // sldMax
    int32_t min = 0;               // sldmin
    std::optional<int32_t> delta;  // cmbLrDelta
    std::optional<int32_t> large;  // cmbLrLgMove, knife half steps
    std::optional<int32_t> small;  // cmbLrSmMove, knife half steps
    double lrStepSize = 0;         // inches per knife half step
};
QString LRPseudoCode(const LRPseudoCodeValues& v);

// The rough To/From step (TxtRough).
struct TFPseudoCodeValues {
    int32_t frames = 0;                  // SldTFRoughFrames
    std::optional<int32_t> oblateDelta;  // cmbTfOblateDelta
    std::optional<int32_t> oblateMove;   // cmbTfOblateMove, platform half steps
    std::optional<int32_t> roughDelta;   // CmbTfRoughDelta
    std::optional<int32_t> roughMove;    // CmbTfRoughMove, platform half steps
    double stepSize = 0;                 // inches per platform half step
};
QString TFPseudoCode(const TFPseudoCodeValues& v);
