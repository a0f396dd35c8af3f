// The setup dialogs the main window opens: the platform and Foucault setup, the
// repetition options and the Save Data Options, and what they read and write of
// the main window.

#include <QAction>
#include <QSlider>

#include "app/ui/frmMain.h"
#include "output/ui/SaveOptions.h"
#include "setup/ui/Dialog.h"
#include "setup/ui/frmsetup.h"

void frmMain::mnuWizard_Click() {
    ShowSetupDialog();
}

void frmMain::mnuReps_Click() {
    Dialog dialog(*this, this);
    dialog.Form_Load();
    dialog.exec();
}

// The setup dialog, modeless, owned by the main window; one instance, shown
// again while it is open.
void frmMain::ShowSetupDialog() {
    if (setup_) {
        setup_->show();
        setup_->raise();
        setup_->activateWindow();
        return;
    }
    setup_ = new frmsetup(*this, this);
    // Closed: the next opening makes a new one, even before this one is deleted.
    connect(setup_, &QDialog::finished, this, [this] { setup_.clear(); });
    setup_->Form_Load();
    EnableTestHeld();
    setup_->show();
}

// The Save Data Options dialog, modal; returns when it has closed.
void frmMain::ShowSaveOptionsDialog() {
    ShowSaveOptions(this);
}

void frmMain::ShowSaveOptions(QWidget* owner) {
    // Already open (modeless, after a first run): the same dialog, now modal, and
    // wait until it closes. A window already on screen takes no modality, so it is
    // hidden first and shown again modal; its fields keep what the user typed.
    if (saveOptions_) {
        saveOptions_->hide();
        saveOptions_->exec();
        return;
    }
    QPointer<SaveOptions> dialog = new SaveOptions(*this, owner);
    saveOptions_ = dialog;
    dialog->Form_Load();
    dialog->exec();
    delete dialog.data();
}

void frmMain::ShowSaveOptionsModeless() {
    if (saveOptions_) return;
    saveOptions_ = new SaveOptions(*this, this);
    saveOptions_->setAttribute(Qt::WA_DeleteOnClose);
    connect(saveOptions_, &QDialog::finished, this, [this] { saveOptions_.clear(); });
    saveOptions_->Form_Load();
    saveOptions_->show();
}

void frmMain::FocusMainWindow() {
    activateWindow();
    raise();
}

QAction* frmMain::SettingAction(SettingItem item) const {
    switch (item) {
        case SettingItem::mnuinvert:
            return mnuinvert;
        case SettingItem::mnuLRswap:
            return mnuLRswap;
        case SettingItem::mnuTFswap:
            return mnuTFswap;
        case SettingItem::mnuSwapMotors:
            return mnuSwapMotors;
        case SettingItem::MnuFixed:
            break;
    }
    return MnuFixed;
}

QSlider* frmMain::SpeedSliderOf(SpeedSlider slider) const {
    switch (slider) {
        case SpeedSlider::Maxdelay:
            return Maxdelay;
        case SpeedSlider::Mindelay:
            return Mindelay;
        case SpeedSlider::sldAcell:
            break;
    }
    return sldAcell;
}

bool frmMain::ItemChecked(SettingItem item) const {
    return SettingAction(item)->isChecked();
}

void frmMain::SetItemChecked(SettingItem item, bool checked) {
    SettingAction(item)->setChecked(checked);
}

QString frmMain::ItemCaption(SettingItem item) const {
    return SettingAction(item)->text();
}

void frmMain::SetItemCaption(SettingItem item, const QString& caption) {
    SettingAction(item)->setText(caption);
}

int frmMain::SpeedValue(SpeedSlider slider) const {
    return SpeedSliderOf(slider)->value();
}

void frmMain::SetSpeedValue(SpeedSlider slider, int value) {
    SpeedSliderOf(slider)->setValue(value);
}
