#pragma once

#include <QString>
#include <cstdint>

#include "autotest/AutoTestHost.h"
#include "core/TestState.h"

enum class AutoTestOutcome {
    Refused,    // not started: a message said why; nothing changed
    Completed,  // every run done; the spread is computed and Save Data has run
    Stopped,    // ended by the abort box or by the closing program
};

// Command3_Click, "Do the Magic": the whole test for the knife side of KnifeRight.
AutoTestOutcome Command3_Click(TestState& s, AutoTestHost& host);

// RunAutoTest: every zone of every run, the rewind after each run, the debug log,
// and the end steps (coils off, live state back, elapsed time, spread, end sound,
// Save Data). Refuses with a message, before anything changes, when no zone table
// is set up or the test variables would not fit the readings or could never
// finish a zone.
AutoTestOutcome RunAutoTest(TestState& s, AutoTestHost& host, bool knifeRight);

// Why the test cannot run with these values: zones or runs beyond the readings,
// frame counts, an intensity window or moves with which no zone could end or
// find its null. Each problem names its value; empty when the test can run.
// ZoneOn is checked apart from this.
QString AutoTestSettingsProblem(const TestState& s);

// Why a zone could never end with this intensity window: Max not above Min, or
// the window outside the zone values 0 to 255. Empty when a zone can end. Part of
// the start check above; Apply in the Auto Test Variables dialog refuses the same.
QString IntensityWindowProblem(int32_t max, int32_t min);

// "Elapsed Test Time, <m> Minutes <s> seconds" and CR LF, the seconds rounded to a
// whole number first (59.5 s gives 1 minute 0 seconds).
QString ElapsedTimeLine(double seconds);

// The mean over zones 1..zones of each zone's standard deviation over runs
// 0..reps (divided by reps), in the readings' units; 0 when there is nothing to
// average.
double TestSpread(const TestState& s, int zones, int reps);

// "Standard Deviation for this test was: " and the spread to 5 decimals, the unit
// mark and CR LF.
QString SpreadLine(double spread, const QString& units);

// The debug log Debug.txt and the zone and end sounds, in the program folder.
QString DebugLog();
QString ZoneSound(int zone);
QString EndSound();
