#pragma once

#include <QStringList>

#include "core/TestState.h"
#include "output/MessageSink.h"

// The plain-text results file TextData/test<N>.txt of a mirror's result tree:
// a header line and one line per zone with its readings. Zone_Calc reads the file
// of the previous test back, so its layout is also an input format.

// The file's lines: the header, the zone lines by Reps (none when Reps lies
// outside 0 to 3), and a final empty line, so that written with WriteTextLines
// the file ends in an empty line. fixedSource: the check mark of MnuFixed.
QStringList TextResultLines(const TestState& s, bool fixedSource);

// SaveTextDataFile: makes the missing folders of the tree and writes the file
// whole. An empty textpath, an unusable mirror name or a failed write shows
// "Problem saving Text File to ..." and sets SaveFailed; a failed write leaves any
// earlier file as it was. Returns true when the file was written.
bool SaveTextDataFile(TestState& s, bool fixedSource, MessageSink& messages);

// The file for test N: textpath/WorkFile/TextData/test<N>.txt (an existing file
// whose name differs only in letter case is the same file); empty when textpath is
// empty or WorkFile is not a usable folder name.
QString TextResultFile(const TestState& s, int32_t testNumber);
