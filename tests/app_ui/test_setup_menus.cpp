// The menu items that open the Save Data Options and repetition dialogs.

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "frmmain_fixture.h"
#include "setup/ui/Dialog.h"
#include "setup_ui/ModalHelper.h"

using SetupMenus = MainWindowTest;

TEST_F(SetupMenus, SaveDataOptionsSavesTheSettingsEvenWhenCancelled) {
    WriteSettings(GoodSettings());
    frmMain w;
    w.LoadSettings();  // nothing is saved before the file has been read
    QWidget* owner = nullptr;
    WhenModal([&](QDialog* d) {
        owner = d->parentWidget();
        Child<QLineEdit>(d, "textpath")->setText("/elsewhere/");
        Child<QPushButton>(d, "CancelButton")->click();
    });
    w.mnuSave->trigger();
    EXPECT_EQ(owner, &w);
    QStringList lines;
    ASSERT_TRUE(ReadTextLines(SettingsPath(), lines));
    EXPECT_EQ(lines.value(12), "/results");

    WhenModal([](QDialog* d) {
        Child<QLineEdit>(d, "textpath")->setText("/elsewhere/");
        Child<QPushButton>(d, "OKButton")->click();
    });
    w.mnuSave->trigger();
    ASSERT_TRUE(ReadTextLines(SettingsPath(), lines));
    EXPECT_EQ(lines.value(12), "/elsewhere");
    EXPECT_EQ(w.findChildren<QDialog*>().size(), 0);
}

TEST_F(SetupMenus, RepetitionOptionsOpensModallyAndSavesNothing) {
    frmMain w;
    w.Reps = 1;
    QString title;
    WhenModal([&](QDialog* d) {
        title = d->windowTitle();
        EXPECT_EQ(d->parentWidget(), &w);
        auto* dialog = qobject_cast<Dialog*>(d);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->Option1[1]->isChecked());
        dialog->Option1[3]->click();
        dialog->OKButton->click();
    });
    w.mnuReps->trigger();
    EXPECT_EQ(title, "Repetition Options");
    EXPECT_EQ(w.Reps, 3);
    EXPECT_FALSE(QFile::exists(SettingsPath()));
}
