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

bool HalfStepUsable(double halfStepInches) {
    const double fullStep = std::abs(halfStepInches) * 2;
    return std::isfinite(fullStep) && fullStep >= kMinFullStepInches &&
           fullStep <= kMaxTravelInches;
}

QString HalfStepProblem(const QString& what, double halfStepInches) {
    if (HalfStepUsable(halfStepInches)) return QString();
    return QStringLiteral(
               "%1 is %2 inch per half step; a tester's full step is %3 to %4 inches (half "
               "steps of %5 to %6 inch).")
        .arg(what, NumText(halfStepInches), NumText(kMinFullStepInches), NumText(kMaxTravelInches),
             NumText(kMinFullStepInches / 2), NumText(kMaxTravelInches / 2));
}

QString MoveSizeProblem(const QString& name, int64_t halfSteps) {
    if (halfSteps <= kMaxMoveHalfSteps) return QString();
    return QStringLiteral(
               "%1 is %2 half steps; no tester travels that far: a move is at most %3 half "
               "steps (%4 inches at the finest full step of %5 inch).")
        .arg(name, QString::number(halfSteps), QString::number(kMaxMoveHalfSteps),
             NumText(kMaxTravelInches), NumText(kMinFullStepInches));
}

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
