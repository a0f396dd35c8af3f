// The Mirror Database menu: the profile editor and the ten recent mirrors.
// Nothing happens on these commands until mirror profiles are handled here.

#include "app/ui/frmMain.h"

void frmMain::mnuEditMirror_Click() {}

void frmMain::Mnu_Click(int index) {
    Q_UNUSED(index);
}
