// The dialogs and tool windows the main window opens. Each command does nothing
// until its window exists.

#include "app/ui/frmMain.h"

void frmMain::mnuWizard_Click() {
    ShowSetupDialog();
}

void frmMain::MnuAuto_Click() {
    ShowAutoTestDialog();
}

void frmMain::mnuReps_Click() {}

void frmMain::mnuText_Click() {}

// The setup dialog, modeless, owned by the main window.
void frmMain::ShowSetupDialog() {}

// The Auto Test Variables dialog, modeless, owned by the main window.
void frmMain::ShowAutoTestDialog() {}

// The Save Data Options dialog, modal; returns when it has closed.
void frmMain::ShowSaveOptionsDialog() {}
