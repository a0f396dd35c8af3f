// The floating text window the main window opens.

#include "app/ui/frmMain.h"

void frmMain::mnuText_Click() {}
