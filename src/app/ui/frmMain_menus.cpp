// The main window's own menu commands: exit, the display toggles and the save
// after the Save Data Options dialog.

#include "app/ui/frmMain.h"
#include "platform/ui/PictureBox.h"

void frmMain::mnuExit_Click() {
    Unload();
}

void frmMain::mnuDebug_Click() {
    ShowDebug = !ShowDebug;
    Form_Resize();
}

void frmMain::MnuMoreText_Click() {
    ShowMoreText = !ShowMoreText;
    Form_Resize();
}

void frmMain::MnuBars_Click() {
    BarsOff = !BarsOff;
    Picture2->canvas().ClearPicture();
}

void frmMain::mnuSave_Click() {
    ShowSaveOptionsDialog();
    // Saved whether the dialog was confirmed or cancelled.
    SaveSettings();
}
