#pragma once

#include <QString>

#include "autotest/AutoTestHost.h"
#include "core/TestState.h"

// What one test keeps across its zones: the knife side, the three search flags
// (cleared after every zone by the test) and the text Text2 held at the test's
// first null.
struct AutoTestRun {
    bool knifeRight = false;
    bool MovedIn = false;      // the knife moved in; no large knife-out move meanwhile
    bool MovedOut = false;     // the knife moved out; no large knife-in move meanwhile
    bool FoundOblate = false;  // the platform has turned; from now on it only moves away
    QString firstNullText;
};

enum class ZoneOutcome { NullFound, FramesUsedUp, Stopped };

// FindZoneNull: grabs and measures frames one by one, keeping the zone's reference
// half inside Min..Max with the knife and moving the platform until both halves
// of the zone are equally lit. At a null the reading goes into
// ZoneResults[run][zone], Text2 shows the results table and the log gets a
// "Found Zone" line. Stopped: the abort box or ClosingDown, seen after a frame's
// work. A zone or run outside the readings gives FramesUsedUp at once.
ZoneOutcome FindZoneNull(TestState& s, AutoTestHost& host, AutoTestRun& test, int run, int zone);

// The reading of a platform position: Ypos x StepSize (x 25.4 in millimetres),
// rounded to 4 decimals.
double ZoneReading(int32_t ypos, double stepSize, bool metric);

// Text2 after a null: "Zone z" and a TAB before each run's reading per zone, then
// an empty line and the first-null text.
QString ResultsTableText(const TestState& s, const QString& firstNullText);

// Puts a line (and its CR LF) on top of the log in Text1.
void LogLine(AutoTestHost& host, const QString& line);
