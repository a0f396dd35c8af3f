#pragma once

#include <QString>

#include "core/TestState.h"
#include "platform/MsgBoxRequest.h"

// The distance per full step of both axes, as the step-size dialog shows and
// stores it. The user enters full steps in the chosen unit; the test state keeps
// half steps in inches.

// The dialog's help text.
QString StepSizeHelpText();

// A half step in inches as the full-step text of the dialog's fields: twice the
// half step, times 25.4 in millimetres, in the general number format.
QString FullStepText(double halfStepInches, bool millimetres);

struct StepSizeOutcome {
    bool accepted = false;
    MsgBoxRequest message;  // why the entry was refused (when not accepted)
};

// OK of the step-size dialog: checks both fields, then stores the half steps,
// the unit choice and, for an axis whose step changed, its move sizes derived
// anew. A refused entry stores nothing.
StepSizeOutcome ApplyStepSizes(const QString& platformText, const QString& knifeText,
                               bool millimetres, TestState& state);

// Cancel may close the dialog only while both step sizes are set; otherwise the
// dialog shows this message and stays open.
bool StepSizesSet(const TestState& state);
MsgBoxRequest StepSizeMissingMessage();
