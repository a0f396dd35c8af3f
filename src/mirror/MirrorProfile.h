#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/TestState.h"

// A mirror profile: one mirror under test, kept as a seven-line text file in
// the mirrors folder of the program folder (ResultPaths.h), named after the
// profile:
//   1 name (WorkFile)   2 diameter (MirDiam)   3 radius of curvature (Roc)
//   4 conic constant (CC)   5 obstruction diameter (Obst)
//   6 number of zones (NZ)  7 number of the next test (WorkNum)
// Lengths are in the units the user entered them in. Whole numbers are read to
// the nearest value, halves to even.
struct MirrorProfile {
    QString WorkFile;
    double MirDiam = 0;
    double Roc = 0;
    double CC = 0;
    double Obst = 0;
    int32_t NZ = 0;
    int32_t WorkNum = 0;
};

// Test numbers a profile may hold: the reader refuses others, Save Data never
// counts past the last one, and one less than the first is still a 32-bit number
// (the previous test's results file).
inline constexpr int32_t kMinTestNumber = INT32_MIN + 1;
inline constexpr int32_t kMaxTestNumber = INT32_MAX - 1;

struct ProfileLoad {
    bool ok = false;
    QString reason;  // why the profile is refused, when !ok
    MirrorProfile profile;
};

// Takes the lines of a profile file. A missing line 7 gives test number 0 (a
// six-line profile is accepted); every other missing or bad value refuses the
// profile: a line that is not a number (an empty line included), an unusable
// name, more than seven lines (blank lines at the end aside), and values the
// zone table cannot be built from (zone count outside 1..16, diameter or radius
// of curvature 0). A test number must leave room to count one more test.
ProfileLoad ParseMirrorProfile(const QStringList& lines);

// Reads and takes the profile of that name from the mirrors folder (name found
// without regard to letter case). A missing or unreadable file is refused.
ProfileLoad ReadMirrorProfile(const QString& name);

// Puts the seven values into the test state.
void StoreProfile(TestState& state, const MirrorProfile& profile);

// The seven profile values as the test state holds them.
MirrorProfile ProfileOfState(const TestState& state);

// The seven lines written by Save Data: the name and the number texts of the
// state's MirDiam, Roc, CC, Obst, NZ and WorkNum.
QStringList MirrorProfileLines(const TestState& state);

// Makes the mirrors folder when missing and writes the lines whole as the
// profile <name>.ini (CR LF line ends, replacing the old file only when the new
// one is complete). Refuses a name that is not one plain file name, so nothing
// is ever written outside the mirrors folder.
bool WriteMirrorProfile(const QString& name, const QStringList& lines, QString* error = nullptr);

// The message for a profile that could not be written: the file and the reason.
QString ProfileNotSavedText(const QString& name, const QString& error);

// True when a profile of that name exists (any letter case).
bool MirrorProfileExists(const QString& name);
