// The Auto Test Variables dialog of the main window: one instance from the menu,
// the dialog a damaged settings file opens, and a test run after a change in it.

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>

#include "MagicRig.h"
#include "app_ui/frmmain_fixture.h"
#include "autotest/ui/FrmAutoTest.h"

namespace {

QList<FrmAutoTest*> OpenDialogs(const frmMain& w) {
    QList<FrmAutoTest*> open;
    for (FrmAutoTest* d : w.findChildren<FrmAutoTest*>())
        if (!d->Unloaded() && d->isVisible()) open << d;
    return open;
}

}  // namespace

using AutoTestVarsWindow = MainWindowTest;

TEST_F(AutoTestVarsWindow, TheMenuShowsOneModelessInstance) {
    frmMain w;
    magic::DefaultAutoTestVariables(w);
    w.MnuAuto->trigger();
    ASSERT_EQ(OpenDialogs(w).size(), 1);
    FrmAutoTest* first = OpenDialogs(w)[0];
    // A tool window of the main window, which stays usable beside it.
    EXPECT_EQ(first->windowType(), Qt::Tool);
    EXPECT_EQ(first->parentWidget(), &w);
    EXPECT_EQ(first->windowModality(), Qt::NonModal);
    EXPECT_FALSE(first->isModal());
    first->SldLRminFrames->setValue(9);
    w.MnuAuto->trigger();  // the same dialog, its edits kept
    EXPECT_EQ(OpenDialogs(w), QList<FrmAutoTest*>{first});
    EXPECT_EQ(first->SldLRminFrames->value(), 9);

    first->cmdCancel->click();
    w.MnuAuto->trigger();  // a new one, loaded from the test state
    ASSERT_EQ(OpenDialogs(w).size(), 1);
    EXPECT_EQ(OpenDialogs(w)[0]->SldLRminFrames->value(), 4);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.findChildren<FrmAutoTest*>().size(), 1);
}

TEST_F(AutoTestVarsWindow, ABadLine45OpensTheDialogWithTheLinesBeforeIt) {
    QStringList lines = GoodSettings();
    const QStringList before = {"6", "12", "2", "7", "17"};  // lines 40 to 44
    for (int i = 0; i < before.size(); ++i) lines[39 + i] = before[i];
    lines[44] = "1.5";
    WriteSettings(lines);
    frmMain w;
    w.Form_Load();

    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].text,
              "Unable to load Auto-Test Variuables, Now opening Auto-Test Dialog, please "
              "confirm data to continue");
    ASSERT_EQ(OpenDialogs(w).size(), 1);
    const FrmAutoTest& d = *OpenDialogs(w)[0];
    EXPECT_EQ(d.SldLRminFrames->value(), 6);
    EXPECT_EQ(d.cmbLrDelta->currentText(), "12");
    EXPECT_EQ(d.cmbLrSmMove->currentData().toInt(), 2);
    EXPECT_EQ(d.cmbLrLgMove->currentData().toInt(), 7);
    EXPECT_EQ(d.SldTFRoughFrames->value(), 17);
    EXPECT_EQ(d.cmbTfOblateDelta->currentText(), "15");  // its start-up default
    EXPECT_EQ(d.cmbTfOblateMove->currentIndex(), -1);    // 0: never set
}

// As a mirror maker would: the final move made finer in the dialog, and the next
// test reads every zone on that finer grid, still where the optics say.
TEST(AutoTestVarsMagic, AFinerFinalMoveGivesReadingsOnItsGrid) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SetAppPath(folder.path());
    magic::RigOptions options;
    options.reps = 1;
    magic::Rig rig(options);
    frmMain& w = rig.Start();
    w.SetBusyCountStep(std::chrono::nanoseconds(0));

    w.MnuAuto->trigger();
    auto* d = w.findChild<FrmAutoTest*>();
    ASSERT_NE(d, nullptr);
    d->cmbTfFinalMove->setCurrentIndex(d->cmbTfFinalMove->findText("0.0005"));
    d->cmdApply->click();
    ASSERT_EQ(w.TFFinalMoves, 4);
    MsgBoxService::ClearHistory();

    rig.DoTheMagic();

    EXPECT_TRUE(MsgBoxService::History().isEmpty());
    EXPECT_EQ(w.TestStatus, "Test Complete! :)");
    int offTheCoarseGrid = 0;
    for (int run = 0; run <= options.reps; ++run)
        for (int zone = 1; zone <= options.zones; ++zone) {
            const double reading = w.ZoneResults[run][zone];
            const double steps = reading / 0.0005;
            EXPECT_NEAR(steps, std::round(steps), 1e-6) << "zone " << zone << ": " << reading;
            offTheCoarseGrid += std::llround(steps) % 2 != 0;
            EXPECT_LE(std::abs(reading - rig.Ideal(zone)), 0.0015)
                << "zone " << zone << ": " << reading << ", ideal " << rig.Ideal(zone);
        }
    EXPECT_GT(offTheCoarseGrid, 0) << "every reading on the 0.001-inch grid";
}
