#pragma once

#include <cstdint>

#include "autotest/AutoTestHost.h"
#include "core/TestState.h"

enum class Axis {
    Knife,   // in and out of the beam: LRPhase and Xpos
    ToFrom,  // the platform: TFPhase and Ypos
};

// A move of count half steps in a row; a count of 0 or less makes no step. Each
// half step: Knife: LRPhase + d, Xpos + d. To/From: TFPhase - d, Ypos + d, so
// d = -1 is a step towards the mirror and d = +1 one away. Then the motor byte
// for both phases goes to the port, and the busy count of 2 x Mindelay counts
// runs (the slider read at every count). No window events run during a step; a
// move that lasts longer than a tenth of a second lets them in now and then
// (LongMoveWatch) and ends early, returning false, once the abort box is checked
// or the program is closing.
bool HalfSteps(TestState& s, AutoTestHost& host, Axis axis, int direction, int64_t count);

// OutputMotorPhases: the motor byte for the current phases of both motors.
void OutputMotorPhases(const TestState& s, AutoTestHost& host);
