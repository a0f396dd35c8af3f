#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "core/TestState.h"

// The zone table: the mirror's face, less the central obstruction, divided into
// NZ rings of equal area. Zone 1 is the innermost ring. Edges and sampling
// radii are fractions of the mirror's radius (0 centre, 1 edge).
//
// The sampling radius is the radius the live measurement reads a zone at; the
// perfect reading is what a paraboloid gives at that radius, measured from
// zone 1 (doubled for a fixed light source, which moves the image twice as far).

struct ZoneTable {
    int32_t zones = 0;
    std::array<double, kMaxZones + 1> inner{};  // slot 0 unused
    std::array<double, kMaxZones + 1> outer{};
    std::array<double, kMaxZones + 1> radius{};
    // From "Use Zone data below ..." to the closing line about the light source.
    QString text;
};

struct ZoneTableResult {
    bool ok = false;
    QString reason;  // why the table cannot be built, when !ok
    ZoneTable table;
};

// Builds the table for a mirror. Refused (nothing computed): a zone count
// outside 1..16, a diameter or radius of curvature of 0, or values so large
// that the arithmetic overflows.
ZoneTableResult BuildZoneTable(double mirDiam, double obst, double roc, int32_t zones,
                               bool fixedSource);

// A length of the zone table: its number text cut to 7 characters, then taken
// to 3 decimals (123.4567 gives "123.456", 2.34567 gives "2.346").
QString ZoneTableNumber(double value);

// A line of a previous results file reduced to what follows its last reachable
// "= " (" Zone 1 radius = 1.531<TAB> Reading = 0.0123" gives " = 0.0123").
QString CutPreviousReading(const QString& line);

// The previous-readings block from the lines of a results file: the heading for
// test `previousTest`, then "Old Zone k" and the cut of each non-empty line after
// the header, each line ended by CR LF. At most 51 non-empty lines are used.
QString PreviousReadingsText(const QStringList& fileLines, int64_t previousTest);

// The same from the previous test's results file of the mirror in the state;
// empty when there is no such file (a mirror's first test) or it can't be read.
QString ReadPreviousReadings(const TestState& state);

struct ZoneCalcResult {
    bool ok = false;
    QString reason;
    QString text2;  // the whole text of the test-data box
};

// Zone_Calc: builds the table for the mirror in the state, stores the edges and
// radii of zones 1..NZ (slots above NZ keep what they held) and returns the text
// of the test-data box. On failure the state is left as it was.
// `fixedSource` is the check mark of the fixed-light-source menu item. The main
// window's Zone_Calc puts text2 into the test-data box, enables "Save Data" and
// sets ZoneOn when this succeeds.
ZoneCalcResult ComputeZones(TestState& state, bool fixedSource);
