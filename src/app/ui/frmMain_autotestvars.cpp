// The Auto Test Variables dialog the main window opens.

#include "app/ui/frmMain.h"

void frmMain::MnuAuto_Click() {
    ShowAutoTestDialog();
}

// The Auto Test Variables dialog, modeless, owned by the main window. Opened
// again while it is open, the same instance comes to the front without loading
// again; once unloaded, the next opening loads a new one from the test state.
void frmMain::ShowAutoTestDialog() {
    if (!autoTest_ || autoTest_->Unloaded()) {
        autoTest_ = new FrmAutoTest(*this, this);
        autoTest_->Form_Load();
    }
    autoTest_->show();
    autoTest_->raise();
    autoTest_->activateWindow();
}
