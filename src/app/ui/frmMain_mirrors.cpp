// The Mirror Database menu (the profile editor and the ten recent mirrors) and
// Zone_Calc, which turns the mirror of the test state into the zone table.

#include <QAction>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include "app/ui/frmMain.h"
#include "mirror/MirrorProfile.h"
#include "mirror/RecentMirrors.h"
#include "mirror/ZoneGeometry.h"
#include "mirror/ui/frmEdit.h"
#include "platform/ui/MsgBox.h"

bool frmMain::Zone_Calc() {
    const ZoneCalcResult zones = ComputeZones(*this, MnuFixed->isChecked());
    if (!zones.ok) return false;
    ++ZoneTable;
    Text2->setPlainText(zones.text2);
    Command5->setEnabled(true);
    return true;
}

RecentMirrors frmMain::RecentList() const {
    RecentMirrors list;
    for (int k = 1; k <= kRecentMirrors; ++k) {
        list.Caption[k] = Mnu[k]->text();
        list.Visible[k] = Mnu[k]->isVisible();
    }
    return list;
}

void frmMain::SetRecentList(const RecentMirrors& list) {
    for (int k = 1; k <= kRecentMirrors; ++k) {
        Mnu[k]->setText(list.Caption[k]);
        Mnu[k]->setVisible(list.Visible[k]);
    }
}

void frmMain::mnuEditMirror_Click() {
    QPointer<frmEdit> editor = new frmEdit(*this, this);
    editor->Form_Load();
    editor->exec();
    delete editor.data();
}

void frmMain::Mnu_Click(int index) {
    if (index < 1 || index > kRecentMirrors) return;
    RecentMirrors list = RecentList();
    const QString name = list.Caption[index];

    // A profile that is missing, unreadable or gives no zone table is refused
    // before anything of it reaches the test state.
    const ProfileLoad load = ReadMirrorProfile(name);
    bool loaded = load.ok;
    QString problem = load.reason;
    if (loaded) {
        const MirrorProfile before = ProfileOfState(*this);
        StoreProfile(*this, load.profile);
        if (Zone_Calc()) {
            ZoneOn = true;
        } else {
            StoreProfile(*this, before);
            loaded = false;
            problem = QStringLiteral("Its values give no zone table.");
        }
    }
    if (!loaded) {
        MsgBox(QStringLiteral("File Not Found :(\r\nRemoving entry from list"), MsgButtons::OK,
               MsgIcon::Critical, QStringLiteral("Oh Shit!"));
        const QString shown = name.size() > 60 ? name.left(60) + QStringLiteral("...") : name;
        LogLine(QStringLiteral("Mirror \"%1\" removed from the list: %2").arg(shown, problem));
    }

    ApplyRecentChoice(list, index, loaded);
    SetRecentList(list);
    Form_Resize();
    SaveSettings();
}

bool frmMain::FixedSource() const {
    return MnuFixed->isChecked();
}
