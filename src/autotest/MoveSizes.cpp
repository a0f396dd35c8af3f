#include "autotest/MoveSizes.h"

#include <cmath>
#include <limits>

#include "core/NumberText.h"

namespace {

bool UsableStep(double stepSize) {
    return std::isfinite(stepSize) && stepSize > 0;
}

bool MoveFits(double travel, double stepSize) {
    if (!UsableStep(stepSize)) return false;
    const double steps = RoundHalfEven(travel / stepSize);
    return std::isfinite(steps) && steps <= std::numeric_limits<int32_t>::max();
}

}  // namespace

int32_t MoveHalfSteps(double travel, double stepSize) {
    if (!UsableStep(stepSize)) return 0;
    return RoundToLong(travel / stepSize);
}

bool KnifeMovesFit(double lrStepSize) {
    return MoveFits(kLRSmTravel, lrStepSize) && MoveFits(kLRLgTravel, lrStepSize);
}

bool PlatformMovesFit(double stepSize) {
    return MoveFits(kTFOblateTravel, stepSize) && MoveFits(kTFRoughTravel, stepSize) &&
           MoveFits(kTFFinalTravel, stepSize);
}

void DeriveKnifeMoves(TestState& s) {
    s.LRLgMove = MoveHalfSteps(kLRLgTravel, s.LRStepSize);
    s.LRSmMove = MoveHalfSteps(kLRSmTravel, s.LRStepSize);
}

void DerivePlatformMoves(TestState& s) {
    s.TFOblateMove = MoveHalfSteps(kTFOblateTravel, s.StepSize);
    s.TFRoughMove = MoveHalfSteps(kTFRoughTravel, s.StepSize);
    s.TFFinalMoves = MoveHalfSteps(kTFFinalTravel, s.StepSize);
}

void DeriveMoveSizes(TestState& s) {
    s.LRSmMove = MoveHalfSteps(kLRSmTravel, s.LRStepSize);
    s.LRLgMove = MoveHalfSteps(kLRLgTravel, s.LRStepSize);
    DerivePlatformMoves(s);
}

bool DeriveUnsetMoveSizes(TestState& s) {
    if (s.LRLgMove != 0) return false;
    DeriveMoveSizes(s);
    return true;
}
