// The platform and Foucault setup dialog over the real main window.

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTimer>
#include <array>

#include "ModalHelper.h"
#include "app/ui/frmMain.h"
#include "app_ui/frmmain_fixture.h"
#include "setup/ui/frmsetup.h"

namespace {

class SetupDialogTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        frmsetup::MaxLast = false;
        w = std::make_unique<frmMain>();
        // Different per axis, so that an axis that takes the other's step shows.
        w->StepSize = 0.000125;
        w->LRStepSize = 0.0000625;
        w->Max = 60;
        w->Min = 30;
    }
    void TearDown() override {
        w.reset();
        MainWindowTest::TearDown();
    }

    frmsetup* Open() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w->mnuWizard->trigger();
        return w->findChild<frmsetup*>(QStringLiteral("frmsetup"));
    }

    // The dialog has unloaded and gone.
    bool Gone() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return w->findChild<frmsetup*>(QStringLiteral("frmsetup")) == nullptr;
    }

    // The page rule: only the selected tab's page is in place and enabled.
    static void ExpectPage(frmsetup* d, int shown) {
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(d->picOptions[i]->x(), i == shown ? 14 : -1333) << i;
            EXPECT_EQ(d->picOptions[i]->isEnabled(), i == shown) << i;
        }
    }

    // The five setting marks of the main window, and what the dialog shows of
    // them, in one order: invert, L/R reversal, T/F reversal, axis swap, fixed source.
    using Marks5 = std::array<bool, 5>;
    Marks5 Marks() const {
        return {w->mnuinvert->isChecked(), w->mnuLRswap->isChecked(), w->mnuTFswap->isChecked(),
                w->mnuSwapMotors->isChecked(), w->MnuFixed->isChecked()};
    }
    void SetMarks(const Marks5& m) {
        QAction* items[] = {w->mnuinvert, w->mnuLRswap, w->mnuTFswap, w->mnuSwapMotors,
                            w->MnuFixed};
        for (int i = 0; i < 5; ++i) items[i]->setChecked(m[i]);
    }
    static Marks5 Shown(frmsetup* d) {
        EXPECT_NE(d->Option1->isChecked(), d->Option2->isChecked());
        return {d->Check1->isChecked(), d->Check3->isChecked(), d->Check4->isChecked(),
                d->Check2->isChecked(), d->Option2->isChecked()};
    }

    std::unique_ptr<frmMain> w;
};

}  // namespace

TEST_F(SetupDialogTest, LoadsFromTheMainWindowAndTicksCopyTheSlidersBack) {
    w->Maxdelay->setValue(1234);
    w->Mindelay->setValue(567);
    w->sldAcell->setValue(3);
    w->mnuTFswap->setChecked(true);
    w->MnuFixed->setChecked(true);
    frmsetup* d = Open();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->isModal());
    QStringList tabs;
    for (int i = 0; i < d->tbsOptions->count(); ++i) tabs << d->tbsOptions->tabText(i);
    EXPECT_EQ(tabs, QStringList({"Invert Output?", "Motor Speed", "Axis Setup", "Foucault Settings",
                                 "Zone Intensity"}));
    ExpectPage(d, 0);
    // Each speed slider with its own main-window slider: distinct values even after
    // the ranges clip them, so a copy from the wrong one shows.
    struct Speed {
        QSlider *mine, *main;
        int loaded, set;
    };
    const Speed speeds[] = {{d->Slider1, w->Maxdelay, 1234, 2345},
                            {d->Slider2, w->Mindelay, 567, 678},
                            {d->Slider3, w->sldAcell, 3, 7}};
    for (const Speed& s : speeds)
        EXPECT_EQ(s.mine->value(), s.loaded) << s.main->objectName().toStdString();
    EXPECT_TRUE(d->Check4->isChecked());
    EXPECT_EQ(d->Check3->text(), "&Reverse L/R Motor");
    EXPECT_EQ(d->Check4->text(), "Reverse &To/From Mirror Motor");
    EXPECT_TRUE(d->Option2->isChecked());
    EXPECT_EQ(d->sldMax->value(), 60);
    EXPECT_EQ(d->sldmin->value(), 30);
    EXPECT_TRUE(w->MnuFixed->isChecked());  // loading wrote back nothing new
    // The menu shows the same dialog again.
    w->mnuWizard->trigger();
    EXPECT_EQ(w->findChildren<frmsetup*>().size(), 1);

    // A speed slider never gives the main window a 0; the next tick overwrites
    // what another window wrote meanwhile.
    d->Slider1->setValue(0);
    w->Max = 99;
    Pump(300);
    EXPECT_EQ(w->Maxdelay->value(), 1);
    EXPECT_EQ(w->Max, 60);
    for (const Speed& s : speeds) s.mine->setValue(s.set);
    Pump(300);
    for (const Speed& s : speeds)
        EXPECT_EQ(s.main->value(), s.set) << s.main->objectName().toStdString();
}

// A moving-source tester must stay one (and a fixed one fixed) whatever way the
// dialog is opened and closed; likewise every wiring mark.
TEST_F(SetupDialogTest, OpeningAndClosingKeepEveryMark) {
    // The two patterns differ in every mark; the first two cases close with OK,
    // the last two by the close box after ticks of the timer.
    const Marks5 patterns[] = {{true, false, true, false, false}, {false, true, false, true, true}};
    for (int c = 0; c < 4; ++c) {
        const Marks5& marks = patterns[c % 2];
        SetMarks(marks);
        frmsetup* d = Open();
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(Shown(d), marks) << c;
        EXPECT_EQ(Marks(), marks) << c;
        if (c < 2) {
            d->cmdOK->click();
        } else {
            Pump(300);
            d->close();
        }
        ASSERT_TRUE(Gone());
        EXPECT_EQ(Marks(), marks) << c;
    }
}

TEST_F(SetupDialogTest, EachClickWritesItsOwnMarkOnly) {
    Marks5 marks = {true, false, true, false, false};
    SetMarks(marks);
    frmsetup* d = Open();
    struct Click {
        QAbstractButton* control;
        int page, mark;  // the mark it toggles; the axis swap also exchanges 1 and 2
    };
    const Click clicks[] = {{d->Check1, 0, 0}, {d->Check3, 2, 1},  {d->Check4, 2, 2},
                            {d->Check2, 2, 3}, {d->Option2, 3, 4}, {d->Option1, 3, 4}};
    for (const Click& c : clicks) {
        d->tbsOptions->setCurrentIndex(c.page);
        c.control->click();
        marks[c.mark] = !marks[c.mark];
        if (c.mark == 3) std::swap(marks[1], marks[2]);
        EXPECT_EQ(Marks(), marks) << c.control->objectName().toStdString();
        EXPECT_EQ(Shown(d), marks) << c.control->objectName().toStdString();
    }
}

TEST_F(SetupDialogTest, WithMaxZeroTheDesignIntensitiesReachTheMainWindow) {
    w->Max = 0;
    frmsetup* d = Open();
    EXPECT_EQ(d->Frame3->title(), "Max Intensity = 70");
    EXPECT_EQ(d->Frame4->title(), "Min Intensity = 40");
    d->Timer1_Timer();
    EXPECT_EQ(w->Max, 70);
    EXPECT_EQ(w->Min, 40);
}

TEST_F(SetupDialogTest, TheSliderTouchedLastKeepsTheGapWithinOneTick) {
    frmsetup* d = Open();
    d->sldmin->setValue(40);
    d->sldMax->setSliderPosition(45);  // as the user drags it
    d->Timer1_Timer();
    EXPECT_EQ(w->Max, 45);
    EXPECT_EQ(w->Min, 35);
    EXPECT_EQ(d->Frame3->title(), "Max Intensity = 45");
    EXPECT_EQ(d->Frame4->title(), "Min Intensity = 35");
    d->sldmin->setSliderPosition(40);
    d->Timer1_Timer();
    EXPECT_EQ(w->Max, 50);
    EXPECT_EQ(w->Min, 40);
    // The choice outlives the dialog.
    d->sldMax->setSliderPosition(60);
    d->cmdOK->click();
    EXPECT_TRUE(frmsetup::MaxLast);
}

TEST_F(SetupDialogTest, CtrlTabSelectsTheNextTabAndWraps) {
    frmsetup* d = Open();
    d->tbsOptions->setCurrentIndex(4);
    PressKey(d->sldMax, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(d->tbsOptions->currentIndex(), 4);
    PressKey(d->sldMax, Qt::Key_Tab, Qt::ControlModifier);
    ExpectPage(d, 0);
    // Keys of the main window are not the dialog's.
    PressKey(w.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d->tbsOptions->currentIndex(), 0);
}

TEST_F(SetupDialogTest, WiringBoxesWriteTheMenuMarksAtOnce) {
    w->mnuLRswap->setChecked(true);
    frmsetup* d = Open();
    d->Check1->click();
    EXPECT_TRUE(w->mnuinvert->isChecked());
    d->tbsOptions->setCurrentIndex(2);
    d->Check4->click();
    EXPECT_TRUE(w->mnuTFswap->isChecked());
    d->Check4->click();

    // The axis swap exchanges the captions and marks of the two reversal items,
    // and the boxes still show their items.
    d->Check2->click();
    EXPECT_TRUE(w->mnuSwapMotors->isChecked());
    EXPECT_EQ(w->mnuLRswap->text(), "Reverse &To/From Mirror Motor");
    EXPECT_EQ(w->mnuTFswap->text(), "&Reverse L/R Motor");
    EXPECT_FALSE(w->mnuLRswap->isChecked());
    EXPECT_TRUE(w->mnuTFswap->isChecked());
    EXPECT_EQ(d->Check3->text(), w->mnuLRswap->text());
    EXPECT_FALSE(d->Check3->isChecked());
    EXPECT_TRUE(d->Check4->isChecked());

    d->tbsOptions->setCurrentIndex(3);
    d->Option2->click();
    EXPECT_TRUE(w->MnuFixed->isChecked());
    EXPECT_FALSE(QFile::exists(SettingsPath()));  // nothing is saved here
}

TEST_F(SetupDialogTest, ClosingDerivesUnsetMoveSizesAndOnAFirstRunOpensSaveDataOptions) {
    frmsetup* d = Open();
    d->close();
    ASSERT_TRUE(Gone());
    EXPECT_EQ(w->LRSmMove, 2);
    EXPECT_EQ(w->LRLgMove, 12);
    EXPECT_EQ(w->TFOblateMove, 40);
    EXPECT_EQ(w->TFRoughMove, 16);
    EXPECT_EQ(w->TFFinalMoves, 8);
    EXPECT_EQ(w->findChild<SaveOptions*>(), nullptr);  // not a first run

    w->TFOblateMove = 33;
    w->WaitForIt = true;
    Open()->cmdOK->click();
    ASSERT_TRUE(Gone());
    EXPECT_EQ(w->TFOblateMove, 33);
    auto* options = w->findChild<SaveOptions*>();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isVisible());
    EXPECT_FALSE(options->isModal());
    // Every later closing shows it again, as one instance.
    Open()->close();
    ASSERT_TRUE(Gone());
    EXPECT_EQ(w->findChildren<SaveOptions*>().size(), 1);

    // Its button opens that same dialog, modal over the setup dialog.
    d = Open();
    options->textpath->setText("/typed");
    QString typed;
    WhenModal([&](QDialog* modal) {
        if (modal == options) typed = options->textpath->text();
        modal->reject();
    });
    // Not modal: nothing above closes it, and this ends the wait.
    QTimer::singleShot(6000, options, [options] { options->reject(); });
    d->tbsOptions->setCurrentIndex(3);
    d->Command3->click();
    EXPECT_EQ(typed, "/typed");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w->findChild<SaveOptions*>(), nullptr);
}

TEST_F(SetupDialogTest, TheFourButtonsOpenTheOtherDialogsModally) {
    frmsetup* d = Open();
    d->tbsOptions->setCurrentIndex(3);
    const std::pair<QPushButton*, const char*> buttons[] = {{d->Command1, "frmStepSize"},
                                                            {d->Command2, "frmOptions"},
                                                            {d->Command3, "SaveOptions"},
                                                            {d->Command4, "Dialog"}};
    for (const auto& [button, name] : buttons) {
        QString opened;
        WhenModal([&](QDialog* modal) {
            opened = modal->objectName();
            modal->reject();
        });
        button->click();
        EXPECT_EQ(opened, name);
    }
}
