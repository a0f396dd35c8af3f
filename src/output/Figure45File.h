#pragma once

#include <QStringList>

#include "core/TestState.h"
#include "output/MessageSink.h"
#include "output/OutsidePrograms.h"

// The input file of the outside reduction program figure45.exe,
// Figure/Test<N>.fig in a mirror's result tree, always in inches, and the
// program's copy and start.

// The file's lines in inches (millimetre values divided by 25.4; CC as it is),
// ending with an empty line so that, written with WriteTextLines, the file ends
// in an empty line. Works on copies: the test state is never converted.
// fixedSource: the check mark of MnuFixed.
QStringList Figure45Lines(const TestState& s, bool fixedSource);

// SaveFigure45File: copies figure45.exe, Egavga.bgi and Bessel.dat from
// FigurePath into the Figure folder where they are missing, writes the file
// whole and, when LaunchFigure is on, starts figure45.exe in the Figure folder.
// An empty FigurePath, a failed write or a failed start shows "Problem saving
// Figure File as ..." and sets SaveFailed. The test state keeps the user's units
// in every case. Returns true when everything asked for was done.
bool SaveFigure45File(TestState& s, bool fixedSource, MessageSink& messages,
                      OutsidePrograms& programs);
