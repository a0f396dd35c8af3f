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
#include "platform/ui/MsgBox.h"

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

// "text=data" of the first, the selected and the last item of a list.
QString Ends(const QComboBox* list) {
    auto item = [list](int i) {
        return list->itemText(i) + '=' + QString::number(list->itemData(i).toInt());
    };
    return item(0) + ' ' + item(list->currentIndex()) + ' ' + item(list->count() - 1);
}

void Choose(QComboBox* list, int data) {
    const int index = list->findData(data);
    ASSERT_GE(index, 0) << data;
    list->setCurrentIndex(index);
}

class AutoTestDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        magic::DefaultAutoTestVariables(host.s);
        host.s.units = QStringLiteral("\"");
        MsgBoxService::SetScript([](const MsgBoxRequest&) { return MsgResult::OK; });
        MsgBoxService::ClearHistory();
    }
    void TearDown() override {
        delete dialog.data();
        MsgBoxService::SetScript(nullptr);
    }

    // A platform of 0.00016 inch and a knife of 0.00002 inch per half step: list
    // steps of 3 and 2 half steps, and no text or item data alike on both axes.
    void TwoAxes() {
        TestState& s = host.s;
        s.StepSize = 0.00016;
        s.LRStepSize = 0.00002;
        s.LRDelta = 9;
        s.TFOblatedelta = 12;
        s.LRSmMove = 4;
        s.LRLgMove = 38;
        s.TFOblateMove = 30;
        s.TFRoughMove = 12;
        s.TFFinalMoves = 6;
    }

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
    s.Max = s.Min = 5;  // both sliders load at their minimum: no change to show
    s.LRMinFrames = 7;
    s.LRDelta = 3;
    s.TFRoughFrames = 12;
    s.TFFinalFrames = 20;
    s.LRSmMove = 2;
    s.TFFinalMoves = 12;
    FrmAutoTest& d = Open();
    EXPECT_EQ(d.Frame3->title() + '|' + d.Frame4->title(),
              "Zone Maximum Intensity (Brightnes) = 5|Zone Minimum Intensity (Brightness) = 5");
    EXPECT_EQ(MoveIndexes(d), (std::vector<int>{1, 5, 9, 3, 2}));
    d.sldMax->setValue(120);  // not applied: lost by Reset
    d.Command1->click();      // on a page out of sight: nothing happens
    EXPECT_EQ(s.LRDelta, 3);

    d.tbsOptions->setCurrentIndex(3);
    d.Command1->click();
    d.Command1->click();
    EXPECT_EQ(std::vector<int32_t>({s.LRMinFrames, s.LRDelta, s.TFRoughFrames, s.TFOblatedelta,
                                    s.TFRoughDelta, s.TFFinalFrames, s.Max, s.Min}),
              std::vector<int32_t>({4, 10, 15, 15, 20, 30, 5, 5}));
    EXPECT_EQ(d.sldMax->value(), 5);
    EXPECT_EQ(d.sldTfFinalFrames->value(), 30);
    EXPECT_EQ(MoveIndexes(d), (std::vector<int>{0, 5, 9, 3, 1}));
    EXPECT_EQ(d.cmbTfOblateMove->currentText() + d.cmbTfFinalMove->currentText(), "0.0050.001");
    for (QComboBox* list : {d.cmbLrDelta, d.cmbLrLgMove, d.CmbTfRoughMove, d.cmbTfFinalMove})
        EXPECT_EQ(list->count(), list == d.cmbLrDelta ? 31 : list == d.cmbTfFinalMove ? 26 : 101);

    d.cmdCancel->click();
    EXPECT_EQ(s.LRDelta, 10);
    EXPECT_EQ(s.TFFinalMoves, 8);
}

TEST_F(AutoTestDialog, FrameCountsStayInIncreasingOrderAndOkStoresAllThirteen) {
    TwoAxes();
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

    // Every control at a value of its own that the state does not hold: OK stores
    // each one in its own variable.
    d.sldMax->setValue(201);
    d.sldmin->setValue(57);
    d.sldTfFinalFrames->setValue(23);
    Choose(d.cmbLrDelta, 11);
    Choose(d.cmbLrSmMove, 8);
    Choose(d.cmbLrLgMove, 26);
    Choose(d.cmbTfOblateDelta, 13);
    Choose(d.cmbTfOblateMove, 42);
    Choose(d.CmbTfRoughDelta, 19);
    Choose(d.CmbTfRoughMove, 33);
    Choose(d.cmbTfFinalMove, 27);
    d.cmdOK->click();
    const TestState& s = host.s;
    EXPECT_EQ(
        std::vector<int32_t>({s.Max, s.Min, s.LRMinFrames, s.LRDelta, s.LRSmMove, s.LRLgMove,
                              s.TFRoughFrames, s.TFOblatedelta, s.TFOblateMove, s.TFRoughDelta,
                              s.TFRoughMove, s.TFFinalFrames, s.TFFinalMoves}),
        std::vector<int32_t>({201, 57, 2, 11, 8, 26, 21, 13, 42, 19, 33, 23, 27}));
    EXPECT_TRUE(d.Unloaded());
}

TEST_F(AutoTestDialog, GapOfTenOnlyWhenTheUserMovesAnIntensitySlider) {
    host.s.Min = 55;
    FrmAutoTest& d = Open();
    // 5 apart, shown as the state holds them: the rule waits for the user.
    EXPECT_EQ(std::vector<int>({d.sldMax->value(), d.sldmin->value()}), std::vector<int>({60, 55}));
    EXPECT_EQ(d.Frame3->title() + '|' + d.Frame4->title(),
              "Zone Maximum Intensity (Brightnes) = 60|Zone Minimum Intensity (Brightness) = 55");
    EXPECT_EQ(Line(d.LrDataText(), 6), "   If Zone Intensity < 55 - 10 {Min - Delta} Then:");
    d.sldmin->setValue(45);
    d.sldMax->setSliderPosition(50);  // as a drag does
    EXPECT_EQ(d.sldmin->value(), 40);
    EXPECT_EQ(d.Frame3->title(), "Zone Maximum Intensity (Brightnes) = 50");
    EXPECT_EQ(Line(d.LrDataText(), 1), "   If Zone Intensity > 50 + 10 {Max + Delta} Then:");
    Key(d.sldmin, Qt::Key_PageUp);  // large change, to 45: sldMax to 55
    EXPECT_EQ(d.sldMax->value(), 55);
    EXPECT_EQ(host.s.Max, 60);

    // Pushed against the top end the two meet: Apply and OK refuse a window no
    // zone can end in, with the test's own message, store nothing, stay open.
    d.SldLRminFrames->setValue(9);
    d.sldmin->setSliderPosition(255);
    ASSERT_EQ(d.sldMax->value(), 255);
    d.cmdApply->click();
    d.cmdOK->click();
    EXPECT_FALSE(d.Unloaded());
    EXPECT_EQ(std::vector<int32_t>({host.s.Max, host.s.Min, host.s.LRMinFrames}),
              std::vector<int32_t>({60, 55, 4}));
    ASSERT_EQ(MsgBoxService::History().size(), 2);
    for (const MsgBoxRequest& m : MsgBoxService::History()) {
        EXPECT_EQ(m.text,
                  "Max is 255 and Min 255; Max must be above Min, inside 0 to 255, or no zone "
                  "can end.");
        EXPECT_EQ(m.title, "Auto Test Variables");
        EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    }
    d.sldmin->setSliderPosition(240);
    d.cmdOK->click();
    EXPECT_TRUE(d.Unloaded());
    EXPECT_EQ(std::vector<int32_t>({host.s.Max, host.s.Min, host.s.LRMinFrames}),
              std::vector<int32_t>({255, 240, 9}));
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
    TwoAxes();
    FrmAutoTest& d = Open();
    // Knife lists step by 2 knife half steps, platform lists by 3 platform ones.
    EXPECT_EQ(Ends(d.cmbLrSmMove), "0.00004\"=2 0.00008\"=4 0.00404\"=202");
    EXPECT_EQ(Ends(d.cmbLrLgMove), "0.00004\"=2 0.00076\"=38 0.00404\"=202");
    EXPECT_EQ(Ends(d.cmbTfOblateMove), "0.0005=3 0.0048=30 0.0485=303");
    EXPECT_EQ(Ends(d.CmbTfRoughMove), "0.0005=3 0.0019=12 0.0485=303");
    EXPECT_EQ(Ends(d.cmbTfFinalMove), "0.0005=3 0.001=6 0.0125=78");
    const QString knife = d.LrDataText();
    const QString rough = d.RoughText();
    EXPECT_EQ(knife.toStdString(),
              "If Frame Average > 4 Then\r\n"
              "   If Zone Intensity > 60 + 9 {Max + Delta} Then:\r\n"
              "      Cut Knife Into Return Beam 0.00076 {Or 38 Half-Steps}\r\n"
              "      Reset Current Frame Average to 1 and Start All Over!\r\n"
              "   End If\r\n"
              "\r\n"
              "   If Zone Intensity < 30 - 9 {Min - Delta} Then:\r\n"
              "      Cut Knife Out of Return Beam 0.00076 {Or 38 Half-Steps}\r\n"
              "      Reset Current Frame Average to 1 and Start All Over!\r\n"
              "   End If\r\n"
              "\r\n"
              "   If Zone Intensity > 60 {Max} Then:\r\n"
              "      Cut Knife Into Return Beam 0.00008 {Or 4 Half-Steps}\r\n"
              "      Reset Current Frame Average to 1 and Start All Over!\r\n"
              "   End If\r\n"
              "\r\n"
              "   If Zone Intensity < 30 {Min} Then:\r\n"
              "      Cut Knife Out of Return Beam 0.00008 {Or 4 Half-Steps}\r\n"
              "      Reset Current Frame Average to 1 and Start All Over!\r\n"
              "   End If\r\n"
              "\r\n"
              "End If ** If the code gets this far,\r\n"
              "          ** Then its time to Rough Adust Distance from Mirror! :) ");
    EXPECT_EQ(rough.toStdString(),
              "   ***Assuming Knife On Right side of light source!***\r\n"
              "If Frame Average > 15 Then \r\n"
              "   If Found_Oblate = False Then:\r\n"
              "      If Left Zone Value > Right Zone Value + 12 Then:\r\n"
              "         Move Knife Towards Mirror 0.0048 {or 30 Half-Steps\r\n"
              "         Reset Frame Average to 1 and Start Over!\r\n"
              "      Else\r\n"
              "          Found_Oblate = True\r\n"
              "      End If\r\n"
              "   End If\r\n"
              "\r\n"
              "   If Found_Oblate = True Then:\r\n"
              "      If Left Zone Value > Right Zone Value + 20 Then:\r\n"
              "         Move Knife Away From Mirror 0.00192 {or 12 Half-Steps\r\n"
              "         Reset Frame Average to 1 and Start Over!\r\n"
              "      End If\r\n"
              "   End IF\r\n"
              " End If\r\n"
              "**** If we made it this far, then its time to Move onto Final Null Code!");

    d.cmbTfFinalMove->setCurrentIndex(0);
    d.sldTfFinalFrames->setValue(25);
    EXPECT_EQ(d.FrmTfFinalFrames->title(), "Number of frames for final zone null evaluation = 25");
    EXPECT_EQ(d.LrDataText() + d.RoughText(), knife + rough);
    d.cmbLrSmMove->setCurrentIndex(2);
    EXPECT_EQ(Line(d.LrDataText(), 12),
              "      Cut Knife Into Return Beam 0.00012 {Or 6 Half-Steps}");
    EXPECT_EQ(d.RoughText(), rough);

    // Apply leaves the variable of a list without a selection as it is.
    d.CmbTfRoughMove->setCurrentIndex(-1);
    EXPECT_FALSE(d.RoughText().contains("Away From Mirror"));
    d.cmdApply->click();
    EXPECT_EQ(host.s.TFRoughMove, 12);
    EXPECT_EQ(host.s.TFFinalMoves, 3);

    // Escape stores nothing, as Cancel and the close box.
    d.SldLRminFrames->setValue(9);
    Key(&d, Qt::Key_Escape);
    EXPECT_TRUE(d.Unloaded());
    EXPECT_EQ(host.s.LRMinFrames, 4);
}
