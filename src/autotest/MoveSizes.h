#pragma once

#include <QString>
#include <cstdint>

#include "core/TestState.h"

// The five move sizes of the automated test, derived from the step sizes: each
// is the nearest whole number of half steps (halves to even) of a fixed travel
// in inches, divided by the inches per half step of the axis that moves.

inline constexpr double kLRSmTravel = 0.000125;   // LRSmMove, knife
inline constexpr double kLRLgTravel = 0.00075;    // LRLgMove, knife
inline constexpr double kTFOblateTravel = 0.005;  // TFOblateMove, platform
inline constexpr double kTFRoughTravel = 0.002;   // TFRoughMove, platform
inline constexpr double kTFFinalTravel = 0.001;   // TFFinalMoves, platform

// What a tester's drive can travel. The platform and knife slides of a knife-edge
// tester travel a few inches at most: 4 inches (about 100 mm) holds every rig.
// A full step finer than 0.000005 inch (an eighth of a micrometre) is more than
// any screw, gearing and motor of a tester give, and a full step longer than the
// whole travel is no step at all. So no move is longer than 4 inches at the
// finest half step of 0.0000025 inch: 1600000 half steps.
inline constexpr double kMaxTravelInches = 4;
inline constexpr double kMinFullStepInches = 0.000005;
inline constexpr int32_t kMaxMoveHalfSteps =
    static_cast<int32_t>(kMaxTravelInches / (kMinFullStepInches / 2) + 0.5);
static_assert(kMaxMoveHalfSteps == 1600000);

// True when a half step (inches, either sign) is one a tester's drive can make:
// its full step within kMinFullStepInches to kMaxTravelInches.
bool HalfStepUsable(double halfStepInches);

// "<what> is <value> inch per half step; ..." naming the limits, or empty when
// the half step is usable.
QString HalfStepProblem(const QString& what, double halfStepInches);

// "<name> is <value> half steps; ..." naming the limit, or empty when the move is
// at most kMaxMoveHalfSteps.
QString MoveSizeProblem(const QString& name, int64_t halfSteps);

// Half steps for a travel at a step size. A step size that is not a positive
// finite number gives 0; a result past the 32-bit range saturates.
int32_t MoveHalfSteps(double travel, double stepSize);

// True when every move of the axis, derived at this step size, is a whole number
// inside the 32-bit range (and the step size is positive and finite).
bool KnifeMovesFit(double lrStepSize);
bool PlatformMovesFit(double stepSize);

// LRLgMove, then LRSmMove, from LRStepSize.
void DeriveKnifeMoves(TestState& state);
// TFOblateMove, TFRoughMove, TFFinalMoves, from StepSize.
void DerivePlatformMoves(TestState& state);
// All five, in the order LRSmMove, LRLgMove, TFOblateMove, TFRoughMove, TFFinalMoves.
void DeriveMoveSizes(TestState& state);
// All five when LRLgMove is 0 (the move sizes were never set); true when it derived.
// The setup and auto-test dialogs run it as they close and load.
bool DeriveUnsetMoveSizes(TestState& state);
