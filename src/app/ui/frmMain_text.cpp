// The floating text window the main window opens.

#include "app/ui/frmMain.h"
#include "app/ui/frmText.h"

void frmMain::mnuText_Click() {
    // One instance: choosing the item again shows the open window.
    if (!TextWindow) {
        TextWindow = new frmText(*this, this);
        TextWindow->Form_Load();
    }
    TextWindow->show();
    TextWindow->raise();
    TextWindow->activateWindow();
}
