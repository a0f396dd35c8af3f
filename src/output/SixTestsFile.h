#pragma once

#include <QStringList>
#include <vector>

#include "core/TestState.h"
#include "output/MessageSink.h"
#include "output/OutsidePrograms.h"

// The input file of the outside reduction program sixtests.exe,
// SixTests/Test<N>.set in a mirror's result tree, always in millimetres; the
// program's copy, its start and the keystrokes that make it read the file and
// write the 3-D file test<N>.3d; and the start of the viewer 3vivuvuz.exe.

// The file's lines in millimetres (inch values times 25.4; CC and TestStdDev as
// they are), ending with an empty line. Works on copies: the test state is never
// converted. fixedSource: the check mark of MnuFixed.
QStringList SixTestsLines(const TestState& s, bool fixedSource);

// One step of the keystroke script: a pause, or keys sent with or without
// waiting until the program has taken them.
struct ScriptStep {
    float pauseMs = 0;  // > 0: a pause, no keys
    KeySequence keys;
    bool wait = false;
};

// The script that makes sixtests.exe read the input file and write the 3-D file.
std::vector<ScriptStep> SixTestsScript(const QString& inputFile, const QString& file3d);

// The 3-D file sixtests.exe is told to write: SixTests/test<N>.3d, or the file
// of that name in any letter case once it is there (a DOS program writes
// TEST<N>.3D).
QString Test3dFilePath(const TestState& s);

// SaveSixTestsFile: copies sixtests.exe from Sixtestspath unless the SixTests
// folder has it, writes the file whole, starts and drives sixtests.exe when
// LaunchSixtests is on, then, when Launch3d is on, asks "Launch 3D Mirror?" and
// starts 3vivuvuz.exe from the program folder with the 3-D file's path typed
// into it. Paths are typed as the started program names them (a DOS program
// sees the folders holding the files as drives). A failed write, start or
// keystroke shows "Problem Saving Sixtests File as:" and sets SaveFailed; the
// remaining steps are skipped. A program refused a file it can't name is
// reported before that message, naming the file. The test state
// keeps the user's units in every case. Returns true when everything asked for
// was done.
bool SaveSixTestsFile(TestState& s, bool fixedSource, MessageSink& messages,
                      OutsidePrograms& programs);
