// The Auto Test Variables dialog the main window opens.

#include "app/ui/frmMain.h"

void frmMain::MnuAuto_Click() {
    ShowAutoTestDialog();
}

// The Auto Test Variables dialog, modeless, owned by the main window.
void frmMain::ShowAutoTestDialog() {}
