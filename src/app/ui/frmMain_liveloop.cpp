// The live loop's place. Until the loop is built here it makes no pass: it
// releases the coils and returns, leaving LiveLoopBusy set, so the timer does
// not start it again while Manual stays on.

#include "app/ui/frmMain.h"

void frmMain::RunLiveLoop() {
    OutputAllOff();
}
