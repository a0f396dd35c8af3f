// The capture driver's set-up at start-up, the clearing of its callbacks at
// shut-down and the four video menu commands. No capture driver is bound to the
// main window yet: these do nothing, and the live picture keeps its start image.

#include "app/ui/frmMain.h"

void frmMain::CaptureSetUp() {}

void frmMain::ClearCaptureCallbacks() {}

void frmMain::mnuDisplay_Click() {}

void frmMain::mnuFormat_Click() {}

void frmMain::mnuSource_Click() {}

void frmMain::mnuSelect_Click() {}
