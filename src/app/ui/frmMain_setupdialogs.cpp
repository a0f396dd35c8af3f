// The setup dialogs the main window opens: the platform and Foucault setup, the
// repetition options and the Save Data Options.

#include "app/ui/frmMain.h"

void frmMain::mnuWizard_Click() {
    ShowSetupDialog();
}

void frmMain::mnuReps_Click() {}

// The setup dialog, modeless, owned by the main window.
void frmMain::ShowSetupDialog() {}

// The Save Data Options dialog, modal; returns when it has closed.
void frmMain::ShowSaveOptionsDialog() {}
