// The step-size, knife-side and repetition dialogs.

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "core/NumberText.h"
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
        // Different per axis, so that swapped fields show.
        s.StepSize = 0.000125;
        s.LRStepSize = 0.0000625;
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

TEST_F(SmallDialogTest, StepSizeShowsFullStepsAndKeepsRefusedEntriesOpen) {
    s.Metric = true;
    frmStepSize d(s);
    d.Form_Load();
    d.show();
    EXPECT_EQ(d.Text1->text(), "0.00635");
    EXPECT_EQ(d.Text2->text(), "0.003175");
    EXPECT_TRUE(d.OptMil->isChecked());
    EXPECT_TRUE(d.Label1->text().startsWith("You need to calculate"));
    d.Text1->setText("0.00025 in");
    d.cmdOK->click();
    d.Text1->setText("-0.00025");
    d.cmdOK->click();
    EXPECT_EQ(Titles(), QStringList({"Ooops1", "Ooops"}));
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(s.StepSize, 0.000125);
    EXPECT_EQ(s.LRStepSize, 0.0000625);

    // The shown texts read back as exactly the steps: nothing is derived anew.
    d.Text1->setText("0.00635");
    d.cmdOK->click();
    EXPECT_TRUE(d.Unloaded());
    EXPECT_EQ(s.StepSize, 0.000125);
    EXPECT_EQ(s.LRStepSize, 0.0000625);
    EXPECT_EQ(s.TFOblateMove, 41);
    EXPECT_EQ(s.LRLgMove, 7);
}

TEST_F(SmallDialogTest, StepSizeFieldsShowTheirWholeText) {
    frmStepSize d(s);
    d.Form_Load();
    // The longest steps the number format writes for a real rig: 15 digits after
    // the leading zeros, with a sign.
    const QString longest[] = {"0.000499999999999999", NumText(0.000123456789012345 * 25.4),
                               "-0.0000123456789012345"};
    for (QLineEdit* box : {d.Text1, d.Text2}) {
        // Inside the frame: its border, the text margins, 2 pixels each side and the cursor.
        const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
        const QMargins margins = box->textMargins();
        const int room = box->width() - 2 * frame - margins.left() - margins.right() - 4 - 1;
        for (const QString& text : longest)
            EXPECT_GE(room, box->fontMetrics().horizontalAdvance(text)) << text.toStdString();
        EXPECT_TRUE(d.Frame1->rect().contains(box->geometry()));
        for (QWidget* other : std::initializer_list<QWidget*>{d.Label2, d.Label3, d.OptMil,
                                                              d.OptInch, d.Text1, d.Text2})
            if (other != box) {
                EXPECT_FALSE(box->geometry().intersects(other->geometry()));
            }
    }
}

TEST_F(SmallDialogTest, StepSizeCancelIsRefusedWhileAStepSizeIsZero) {
    s.StepSize = 0;
    frmStepSize d(s);
    d.Form_Load();
    d.show();
    d.OptMil->setChecked(true);
    d.cmdCancel->click();
    d.close();  // the close box is Cancel
    EXPECT_EQ(Titles(), QStringList({"HEY!", "HEY!"}));
    EXPECT_TRUE(d.isVisible());

    s.StepSize = 0.000125;
    d.cmdCancel->click();
    EXPECT_TRUE(d.Unloaded());
    EXPECT_FALSE(s.Metric);
}

TEST_F(SmallDialogTest, RepetitionsStoreOnOkOnly) {
    struct Case {
        int32_t reps;
        int choose;  // -1: no change
        bool ok;
        int32_t after;
    };
    // A Reps no button stands for (a hand-edited settings file) opens with none
    // selected and stays as it is.
    for (const Case c : {Case{2, -1, true, 2}, Case{2, 0, false, 2}, Case{2, 0, true, 0},
                         Case{7, -1, true, 7}, Case{7, 1, false, 7}}) {
        s.Reps = c.reps;
        Dialog d(s);
        d.Form_Load();
        for (int i = 0; i < 4; ++i) EXPECT_EQ(d.Option1[i]->isChecked(), i == c.reps);
        if (c.choose >= 0) d.Option1[c.choose]->click();
        (c.ok ? d.OKButton : d.CancelButton)->click();
        EXPECT_EQ(s.Reps, c.after) << c.reps << " " << c.choose << " " << c.ok;
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
