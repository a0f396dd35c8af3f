// The step-size, knife-side and repetition dialogs.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/MsgBox.h"
#include "setup/ui/Dialog.h"
#include "setup/ui/frmOptions.h"
#include "setup/ui/frmStepSize.h"

namespace {

class SmallDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        MsgBoxService::SetScript([](const MsgBoxRequest&) { return MsgResult::OK; });
        MsgBoxService::ClearHistory();
        s.StepSize = 0.000125;
        s.LRStepSize = 0.000125;
        s.units = UnitMark(false);
        s.TFOblateMove = 41;
        s.LRLgMove = 7;
    }
    void TearDown() override { MsgBoxService::SetScript(nullptr); }

    static QStringList Titles() {
        QStringList titles;
        for (const MsgBoxRequest& m : MsgBoxService::History()) titles << m.title;
        return titles;
    }

    TestState s;
};

}  // namespace

TEST_F(SmallDialogTest, StepSizeShowsFullStepsAndAnUnchangedOkKeepsEverything) {
    for (const bool metric : {false, true}) {
        s.Metric = metric;
        frmStepSize d(s);
        d.Form_Load();
        d.show();
        EXPECT_EQ(d.Text1->text(), metric ? "0.00635" : "0.00025");
        EXPECT_EQ(d.Text2->text(), metric ? "0.00635" : "0.00025");
        EXPECT_EQ(d.OptMil->isChecked(), metric);
        EXPECT_EQ(d.OptInch->isChecked(), !metric);
        EXPECT_TRUE(d.Label1->text().startsWith("You need to calculate"));
        d.cmdOK->click();
        EXPECT_TRUE(d.Unloaded());
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(s.StepSize, 0.000125);
        EXPECT_EQ(s.TFOblateMove, 41);
        EXPECT_EQ(s.LRLgMove, 7);
    }
}

TEST_F(SmallDialogTest, StepSizeRefusalsKeepTheDialogOpen) {
    frmStepSize d(s);
    d.Form_Load();
    d.show();
    d.Text1->setText("0.00025 in");
    d.cmdOK->click();
    d.Text1->setText("0");
    d.cmdOK->click();
    d.Text1->setText("-0.00025");
    d.cmdOK->click();
    EXPECT_EQ(Titles(), QStringList({"Ooops1", "Ooops", "Ooops"}));
    EXPECT_FALSE(d.Unloaded());
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(s.StepSize, 0.000125);

    // A new knife step of 0.0005 inch: 3 and 0 (0.5 to the even 0).
    d.Text1->setText("0.00025");
    d.Text2->setText("0.0005");
    d.cmdOK->click();
    EXPECT_TRUE(d.Unloaded());
    EXPECT_EQ(s.LRLgMove, 3);
    EXPECT_EQ(s.LRSmMove, 0);
    EXPECT_EQ(s.TFOblateMove, 41);
}

TEST_F(SmallDialogTest, StepSizeCancelIsRefusedWhileAStepSizeIsZero) {
    s.StepSize = 0;
    frmStepSize d(s);
    d.Form_Load();
    d.show();
    d.Text2->setText("0.001");
    d.OptMil->setChecked(true);
    d.cmdCancel->click();
    d.close();  // the close box is Cancel
    EXPECT_EQ(Titles(), QStringList({"HEY!", "HEY!"}));
    EXPECT_EQ(MsgBoxService::History().value(0).text, "You must enter a Step size to continue!");
    EXPECT_TRUE(d.isVisible());

    s.StepSize = 0.000125;
    d.cmdCancel->click();
    EXPECT_TRUE(d.Unloaded());
    EXPECT_EQ(s.LRStepSize, 0.000125);
    EXPECT_FALSE(s.Metric);
}

TEST_F(SmallDialogTest, RepetitionsStoreOnOkOnly) {
    s.Reps = 2;
    {
        Dialog d(s);
        d.Form_Load();
        EXPECT_EQ(d.windowTitle(), "Repetition Options");
        EXPECT_TRUE(d.Option1[2]->isChecked());
        EXPECT_EQ(d.Option1[2]->text(), "3 Sets of Readings");
        d.OKButton->click();
        EXPECT_EQ(s.Reps, 2);
    }
    {
        Dialog d(s);
        d.Form_Load();
        d.Option1[0]->click();
        d.CancelButton->click();
        EXPECT_EQ(s.Reps, 2);
    }
    {
        Dialog d(s);
        d.Form_Load();
        d.Option1[0]->click();
        d.OKButton->click();
        EXPECT_EQ(s.Reps, 0);
    }
    // A Reps no button stands for (a hand-edited settings file) opens with none
    // selected and stays as it is.
    for (const bool ok : {true, false}) {
        s.Reps = 7;
        Dialog d(s);
        d.Form_Load();
        for (QRadioButton* option : d.Option1) EXPECT_FALSE(option->isChecked());
        (ok ? d.OKButton : d.CancelButton)->click();
        EXPECT_EQ(s.Reps, 7);
    }
}

TEST_F(SmallDialogTest, KnifeSideLabelFollowsTheSelectionAndOkStoresIt) {
    s.KnifeRight = true;
    {
        frmOptions d(s);
        d.Form_Load();
        EXPECT_EQ(d.Label1->text(), "Current Selection Places Knife on Right!");
        d.Option1[0]->click();
        EXPECT_EQ(d.Label1->text(), "Current Selection Places Knife on Left!");
        d.cmdCancel->click();
        EXPECT_TRUE(s.KnifeRight);
    }
    {
        frmOptions d(s);
        d.Form_Load();
        d.Option1[0]->click();
        d.cmdOK->click();
        EXPECT_FALSE(s.KnifeRight);
    }
    frmOptions d(s);
    d.Form_Load();
    EXPECT_EQ(d.Label1->text(), "Current Selection Places Knife on Left!");
}
