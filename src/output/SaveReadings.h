#pragma once

#include "core/TestState.h"
#include "output/SaveData.h"

// "Save Data" as the button and the end of a test run it: the readings of the
// last completed test, saved only under the mirror and zone table they were
// measured on, and never over another test's files without a question.
//
// Writes nothing, keeps the number and says why when the readings are not the
// current mirror's (none completed since it was chosen, or measured before
// another mirror was chosen). Readings saved already are saved again only after
// a question naming the test number they were saved as; existing result files
// of the chosen formats for this test number are replaced only after a question
// naming one of them (not for the files that the last, failed, save of these
// readings was to write). Cancel writes nothing. Otherwise
// SaveData; a save that fails leaves the readings unsaved. Returns true when the
// test number advanced.
bool SaveTestReadings(TestState& s, SaveDataHost& host);
