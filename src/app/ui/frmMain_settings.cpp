// The settings file quenz.ini, read at start-up and written whole at each save.

#include <QAction>
#include <QPushButton>
#include <QSlider>

#include "app/ui/frmMain.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "platform/ui/MsgBox.h"

ControlSettings frmMain::ReadControlSettings() const {
    ControlSettings c;
    c.mnuinvert = mnuinvert->isChecked();
    c.mnuLRswapCaption = mnuLRswap->text();
    c.mnuLRswap = mnuLRswap->isChecked();
    c.mnuTFswapCaption = mnuTFswap->text();
    c.mnuTFswap = mnuTFswap->isChecked();
    c.mnuSwapMotors = mnuSwapMotors->isChecked();
    c.MnuFixed = MnuFixed->isChecked();
    c.Maxdelay = Maxdelay->value();
    c.Mindelay = Mindelay->value();
    c.sldAcell = sldAcell->value();
    for (int i = 1; i <= kRecentMirrors; ++i) c.Mnu[i] = Mnu[i]->text();
    c.Save_picture = Save_picture->isChecked() ? 1 : 0;
    return c;
}

void frmMain::ApplyControlSettings(const ControlSettings& c) {
    mnuinvert->setChecked(c.mnuinvert);
    mnuLRswap->setText(c.mnuLRswapCaption);
    mnuLRswap->setChecked(c.mnuLRswap);
    mnuTFswap->setText(c.mnuTFswapCaption);
    mnuTFswap->setChecked(c.mnuTFswap);
    mnuSwapMotors->setChecked(c.mnuSwapMotors);
    MnuFixed->setChecked(c.MnuFixed);
    Maxdelay->setValue(c.Maxdelay);
    Mindelay->setValue(c.Mindelay);
    sldAcell->setValue(c.sldAcell);
    for (int i = 1; i <= kRecentMirrors; ++i) {
        Mnu[i]->setText(c.Mnu[i]);
        Mnu[i]->setVisible(MirrorEntryVisible(c.Mnu[i]));
    }
    Save_picture->setChecked(c.Save_picture == 1);
}

void frmMain::SaveSettings() {
    // Never before the file has been read (a menu command while the splash
    // shows): the state is still start-up's and would replace the user's file.
    if (!settingsRead_) return;
    const QString path = SettingsFilePath(AppPath());
    QString error;
    if (!KeepUnreadSettingsFile(path, error)) return ReportSettingsSaveFailure(path, error);
    if (WriteTextLines(path, BuildSettingsLines(*this, ReadControlSettings()), &error)) return;
    ReportSettingsSaveFailure(path, error);
}

void frmMain::LoadSettings() {
    QStringList lines;
    const bool read = ReadSettingsFile(SettingsFilePath(AppPath()), lines);
    ControlSettings controls = ReadControlSettings();
    const SettingsLoadOutcome outcome =
        ApplySettingsLines(read, lines, static_cast<TestState&>(*this), controls, AppPath());
    ApplyControlSettings(controls);
    settingsRead_ = true;
    NoteFailedSettingsLoad(outcome);

    if (outcome.recovery1) {
        MsgBox(QLatin1String(kSettingsLoadMessage), MsgButtons::OK, MsgIcon::Critical,
               QLatin1String(kSettingsErrorTitle));
        ShowSetupDialog();
    }
    if (outcome.autoTestMessage) {
        MsgBox(QLatin1String(kAutoTestLoadMessage), MsgButtons::OK, MsgIcon::Critical,
               QLatin1String(kSettingsErrorTitle));
        ShowAutoTestDialog();
    }
}
