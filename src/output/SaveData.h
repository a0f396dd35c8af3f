#pragma once

#include <QStringList>

#include "core/TestState.h"
#include "output/MessageSink.h"
#include "output/OutsidePrograms.h"

// What Save Data needs of the main window beyond the test state.
//   ShowMessage  shows a message box (MsgBox) and returns the answer.
//   FixedSource  the check mark of MnuFixed, read at each call.
//   Programs     starts the outside reduction programs and sends them keys.
class SaveDataHost : public virtual MessageSink {
  public:
    virtual bool FixedSource() = 0;
    virtual OutsidePrograms& Programs() = 0;
};

// Command5_Click, "Save Data": runs the chosen writers in their order (Figure45,
// plain text, SixTests), shows "Not Configured!" when none is chosen or one
// failed, and otherwise advances WorkNum and rewrites the mirror profile with the
// new number (a profile that can't be rewritten is reported, the number stays
// advanced). Returns true when the test number advanced. At the last test number
// a profile can hold (kMaxTestNumber) it says so and saves nothing.
bool SaveData(TestState& s, SaveDataHost& host);
