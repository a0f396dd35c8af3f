// The Auto Test Variables dialog over a test state of its own.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>

#include "MagicRig.h"
#include "autotest/ui/FrmAutoTest.h"

namespace {

class StateHost : public AutoTestVarsHost {
  public:
    TestState& State() override { return s; }
    TestState s;
};

void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(target, &press);
}

QString Line(const QString& text, int index) {
    return text.split(QStringLiteral("\r\n")).value(index);
}

class AutoTestDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        magic::DefaultAutoTestVariables(host.s);
        host.s.units = QStringLiteral("\"");
    }
    void TearDown() override { delete dialog.data(); }

    FrmAutoTest& Open() {
        dialog = new FrmAutoTest(host, nullptr);
        dialog->Form_Load();
        dialog->show();
        return *dialog;
    }

    // The selected indexes of the move lists: small, large, forward, away, final.
    static std::vector<int> MoveIndexes(const FrmAutoTest& d) {
        return {d.cmbLrSmMove->currentIndex(), d.cmbLrLgMove->currentIndex(),
                d.cmbTfOblateMove->currentIndex(), d.CmbTfRoughMove->currentIndex(),
                d.cmbTfFinalMove->currentIndex()};
    }

    StateHost host;
    QPointer<FrmAutoTest> dialog;
};

}  // namespace

TEST_F(AutoTestDialog, OpeningWithoutMoveSizesStoresTheDerivedOnesEvenWhenCancelled) {
    host.s.LRSmMove = host.s.LRLgMove = host.s.TFOblateMove = 0;
    host.s.TFRoughMove = host.s.TFFinalMoves = 0;
    FrmAutoTest& d = Open();
    EXPECT_EQ(MoveIndexes(d), (std::vector<int>{0, 5, 9, 3, 1}));
    d.cmdCancel->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    const TestState& s = host.s;
    EXPECT_EQ(std::vector<int32_t>(
                  {s.LRSmMove, s.LRLgMove, s.TFOblateMove, s.TFRoughMove, s.TFFinalMoves}),
              std::vector<int32_t>({1, 6, 40, 16, 8}));
}

TEST_F(AutoTestDialog, ResetWritesTheDefaultsAndLoadsAgain) {
    TestState& s = host.s;
    s.Max = 90;
    s.LRMinFrames = 7;
    s.LRDelta = 3;
    s.TFRoughFrames = 12;
    s.TFFinalFrames = 20;
    s.LRSmMove = 2;
    s.TFFinalMoves = 12;
    FrmAutoTest& d = Open();
    EXPECT_EQ(MoveIndexes(d), (std::vector<int>{1, 5, 9, 3, 2}));
    d.sldMax->setValue(120);  // not applied: lost by Reset
    d.Command1->click();      // on a page out of sight: nothing happens
    EXPECT_EQ(s.LRDelta, 3);

    d.tbsOptions->setCurrentIndex(3);
    d.Command1->click();
    d.Command1->click();
    EXPECT_EQ(std::vector<int32_t>({s.LRMinFrames, s.LRDelta, s.TFRoughFrames, s.TFOblatedelta,
                                    s.TFRoughDelta, s.TFFinalFrames, s.Max, s.Min}),
              std::vector<int32_t>({4, 10, 15, 15, 20, 30, 90, 30}));
    EXPECT_EQ(d.sldMax->value(), 90);
    EXPECT_EQ(d.sldTfFinalFrames->value(), 30);
    EXPECT_EQ(MoveIndexes(d), (std::vector<int>{0, 5, 9, 3, 1}));
    EXPECT_EQ(d.cmbTfOblateMove->currentText() + d.cmbTfFinalMove->currentText(), "0.0050.001");
    for (QComboBox* list : {d.cmbLrDelta, d.cmbLrLgMove, d.CmbTfRoughMove, d.cmbTfFinalMove})
        EXPECT_EQ(list->count(), list == d.cmbLrDelta ? 31 : list == d.cmbTfFinalMove ? 26 : 101);

    d.cmdCancel->click();
    EXPECT_EQ(s.LRDelta, 10);
    EXPECT_EQ(s.TFFinalMoves, 8);
}

TEST_F(AutoTestDialog, FrameCountsStayInIncreasingOrder) {
    FrmAutoTest& d = Open();
    d.SldLRminFrames->setValue(20);
    EXPECT_EQ(d.SldTFRoughFrames->value(), 21);
    EXPECT_EQ(d.SldTFRoughFrames->minimum(), 21);
    EXPECT_GE(d.sldTfFinalFrames->value(), 22);
    EXPECT_EQ(d.sldTfFinalFrames->minimum(), 22);
    EXPECT_EQ(d.frmTFRoughFrames->title(),
              "# of frames prior to rough adjust To/From distance = 21");
    EXPECT_EQ(Line(d.RoughText(), 1), "If Frame Average > 21 Then ");
    // Lowering a count lowers the next minimum, not the next value.
    d.SldLRminFrames->setValue(2);
    EXPECT_EQ(d.SldTFRoughFrames->minimum(), 3);
    EXPECT_EQ(d.SldTFRoughFrames->value(), 21);
    d.cmdOK->click();
    EXPECT_EQ(host.s.LRMinFrames, 2);
    EXPECT_EQ(host.s.TFRoughFrames, 21);
    EXPECT_TRUE(d.Unloaded());
}

TEST_F(AutoTestDialog, GapOfTenOnlyWhenTheUserMovesAnIntensitySlider) {
    host.s.Min = 55;
    FrmAutoTest& d = Open();
    EXPECT_EQ(d.sldmin->value(), 55);  // shown as the state holds it
    d.sldmin->setValue(45);
    d.sldMax->setSliderPosition(50);  // as a drag does
    EXPECT_EQ(d.sldmin->value(), 40);
    EXPECT_EQ(d.Frame3->title(), "Zone Maximum Intensity (Brightnes) = 50");
    EXPECT_EQ(Line(d.LrDataText(), 1), "   If Zone Intensity > 50 + 10 {Max + Delta} Then:");
    Key(d.sldmin, Qt::Key_PageUp);  // large change, to 45: sldMax to 55
    EXPECT_EQ(d.sldMax->value(), 55);
    EXPECT_EQ(host.s.Max, 60);
}

TEST_F(AutoTestDialog, CtrlTabSelectsTheNextPageAndWraps) {
    FrmAutoTest& d = Open();
    d.tbsOptions->setCurrentIndex(3);
    EXPECT_EQ(d.tbsOptions->tabText(3), "Zone Null Step #2");
    Key(d.cmbTfFinalMove, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d.tbsOptions->currentIndex(), 0);
    EXPECT_TRUE(d.picOptions[1]->isEnabled() && d.picOptions[1]->x() == 210 / 15);
    EXPECT_FALSE(d.picOptions[4]->isEnabled() || d.picOptions[4]->x() != -20000 / 15);
    Key(&d, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    Key(d.sldMax, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(d.tbsOptions->currentIndex(), 0);
    Key(&d, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d.tbsOptions->currentIndex(), 1);
}

TEST_F(AutoTestDialog, EachExplanationFollowsOnlyItsOwnControls) {
    FrmAutoTest& d = Open();
    const QString knife = d.LrDataText();
    const QString rough = d.RoughText();
    d.cmbTfFinalMove->setCurrentIndex(0);
    d.sldTfFinalFrames->setValue(25);
    EXPECT_EQ(d.FrmTfFinalFrames->title(), "Number of frames for final zone null evaluation = 25");
    EXPECT_EQ(d.LrDataText() + d.RoughText(), knife + rough);
    d.cmbLrSmMove->setCurrentIndex(2);
    EXPECT_EQ(Line(d.LrDataText(), 12),
              "      Cut Knife Into Return Beam 0.000375 {Or 3 Half-Steps}");
    EXPECT_EQ(d.RoughText(), rough);

    // Apply leaves the variable of a list without a selection as it is.
    d.CmbTfRoughMove->setCurrentIndex(-1);
    EXPECT_FALSE(d.RoughText().contains("Away From Mirror"));
    d.cmdApply->click();
    EXPECT_EQ(host.s.TFRoughMove, 16);
    EXPECT_EQ(host.s.TFFinalMoves, 4);

    // Escape stores nothing, as Cancel and the close box.
    d.SldLRminFrames->setValue(9);
    Key(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.Unloaded());
    EXPECT_EQ(host.s.LRMinFrames, 4);
}
