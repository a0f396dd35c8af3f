// The main window's side of the setup dialogs: the menu items that open them
// and the first run, where a missing settings file leads through the setup
// dialog to the Save Data Options dialog.

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
#include "setup/ui/frmsetup.h"
#include "setup_ui/ModalHelper.h"

using SetupMenus = MainWindowTest;

TEST_F(SetupMenus, SaveDataOptionsSavesTheSettingsEvenWhenCancelled) {
    frmMain w;
    w.textpath = "/results";
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

TEST_F(SetupMenus, AFirstRunLeadsThroughSetupToSaveDataOptions) {
    frmMain w;
    w.Form_Load();
    w.Timer1->stop();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].title, "Initialization Error :(");
    auto* setup = w.findChild<frmsetup*>();
    ASSERT_NE(setup, nullptr);
    EXPECT_TRUE(setup->isVisible());
    EXPECT_FALSE(setup->isModal());
    EXPECT_EQ(setup->sldMax->value(), 60);
    EXPECT_EQ(setup->sldmin->value(), 30);
    EXPECT_EQ(w.LRLgMove, 0);
    EXPECT_EQ(w.findChild<SaveOptions*>(), nullptr);

    setup->cmdOK->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.findChild<frmsetup*>(), nullptr);
    EXPECT_EQ(w.LRSmMove, 1);
    EXPECT_EQ(w.LRLgMove, 6);
    EXPECT_EQ(w.TFOblateMove, 40);
    EXPECT_EQ(w.TFRoughMove, 16);
    EXPECT_EQ(w.TFFinalMoves, 8);
    auto* options = w.findChild<SaveOptions*>();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(Child<QLineEdit>(options, "textpath")->text(), AppPath() + "/TestResults");
    options->OKButton->click();
    EXPECT_TRUE(w.Savetext);
    EXPECT_EQ(w.textpath, AppPath() + "/TestResults");
    // No dialog wrote the settings file; the next save does.
    EXPECT_FALSE(QFile::exists(SettingsPath()));
    EXPECT_EQ(Messages().size(), 1);
}
