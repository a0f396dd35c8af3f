// The platform and Foucault setup dialog over the real main window.

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTimer>

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
        w->StepSize = 0.000125;
        w->LRStepSize = 0.000125;
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

    std::unique_ptr<frmMain> w;
};

}  // namespace

TEST_F(SetupDialogTest, LoadsEveryControlFromTheMainWindow) {
    w->Maxdelay->setValue(1234);
    w->Mindelay->setValue(99);
    w->sldAcell->setValue(7);
    w->mnuinvert->setChecked(true);
    w->mnuTFswap->setChecked(true);
    w->MnuFixed->setChecked(true);
    frmsetup* d = Open();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(d->parent(), w.get());
    EXPECT_EQ(d->windowTitle(), "Platfrom And Foucault Test setup");
    const QStringList tabs = {"Invert Output?", "Motor Speed", "Axis Setup", "Foucault Settings",
                              "Zone Intensity"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(d->tbsOptions->tabText(i), tabs[i]);
    ExpectPage(d, 0);
    EXPECT_EQ(d->Slider1->value(), 1234);
    EXPECT_EQ(d->Slider2->value(), 99);
    EXPECT_EQ(d->Slider3->value(), 7);
    EXPECT_TRUE(d->Check1->isChecked());
    EXPECT_FALSE(d->Check2->isChecked());
    EXPECT_FALSE(d->Check3->isChecked());
    EXPECT_TRUE(d->Check4->isChecked());
    EXPECT_EQ(d->Check3->text(), "&Reverse L/R Motor");
    EXPECT_EQ(d->Check4->text(), "Reverse &To/From Mirror Motor");
    EXPECT_FALSE(d->Option1->isChecked());
    EXPECT_TRUE(d->Option2->isChecked());
    EXPECT_EQ(d->sldMax->value(), 60);
    EXPECT_EQ(d->sldmin->value(), 30);
    EXPECT_EQ(d->Frame3->title(), "Max Intensity = 60");
    EXPECT_EQ(d->Frame4->title(), "Min Intensity = 30");
    EXPECT_TRUE(d->Timer1->isActive());
    EXPECT_EQ(d->Timer1->interval(), 200);
    // Loading wrote nothing back that was not already so.
    EXPECT_TRUE(w->mnuinvert->isChecked());
    EXPECT_TRUE(w->MnuFixed->isChecked());
    EXPECT_EQ(w->mnuLRswap->text(), "&Reverse L/R Motor");

    // The menu shows the same dialog again.
    w->mnuWizard->trigger();
    EXPECT_EQ(w->findChildren<frmsetup*>().size(), 1);
}

TEST_F(SetupDialogTest, TicksCopyTheSlidersIntoTheMainWindow) {
    w->Max = 0;
    frmsetup* d = Open();
    EXPECT_EQ(d->sldMax->value(), 70);
    EXPECT_EQ(d->sldmin->value(), 40);
    // A speed slider never gives the main window a 0.
    d->Slider1->setValue(0);
    d->Slider2->setValue(500);
    d->Slider3->setValue(10);
    Pump(300);
    EXPECT_EQ(w->Max, 70);
    EXPECT_EQ(w->Min, 40);
    EXPECT_EQ(w->Maxdelay->value(), 1);
    EXPECT_EQ(w->Mindelay->value(), 500);
    EXPECT_EQ(w->sldAcell->value(), 10);
    // What another window writes meanwhile is overwritten at the next tick.
    w->Max = 99;
    d->Timer1_Timer();
    EXPECT_EQ(w->Max, 70);
}

TEST_F(SetupDialogTest, TheSliderTouchedLastKeepsTheGapWithinOneTick) {
    frmsetup* d = Open();
    d->sldmin->setValue(40);
    d->sldMax->setSliderPosition(45);  // as the user drags it
    d->Timer1_Timer();
    EXPECT_EQ(d->sldMax->value(), 45);
    EXPECT_EQ(d->sldmin->value(), 35);
    EXPECT_EQ(w->Max, 45);
    EXPECT_EQ(w->Min, 35);
    EXPECT_EQ(d->Frame4->title(), "Min Intensity = 35");

    d->sldmin->setSliderPosition(40);
    d->Timer1_Timer();
    EXPECT_EQ(d->sldMax->value(), 50);
    EXPECT_EQ(d->sldmin->value(), 40);
    EXPECT_FALSE(frmsetup::MaxLast);

    // The choice outlives the dialog.
    d->sldMax->setSliderPosition(60);
    d->cmdOK->click();
    ASSERT_TRUE(Gone());
    EXPECT_TRUE(frmsetup::MaxLast);
}

TEST_F(SetupDialogTest, OutOfRangeIntensitiesStopAtTheEndsOfTheRange) {
    w->Max = 300;
    w->Min = 3;
    frmsetup* d = Open();
    EXPECT_EQ(d->sldMax->value(), 255);
    EXPECT_EQ(d->sldmin->value(), 5);
    w->Max = 6;
    w->Min = 1;
    d->cmdOK->click();
    d = Open();
    d->Timer1_Timer();
    EXPECT_EQ(w->Max, 15);
    EXPECT_EQ(w->Min, 5);
}

TEST_F(SetupDialogTest, CtrlTabSelectsTheNextTabAndWraps) {
    frmsetup* d = Open();
    d->tbsOptions->setCurrentIndex(4);
    ExpectPage(d, 4);
    // Shift+Tab with Ctrl comes as Backtab: nothing changes.
    PressKey(d->sldMax, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(d->tbsOptions->currentIndex(), 4);
    PressKey(d->sldMax, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d->tbsOptions->currentIndex(), 0);
    ExpectPage(d, 0);
    PressKey(d->Check1, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d->tbsOptions->currentIndex(), 1);
    // Keys of the main window are not the dialog's.
    PressKey(w.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(d->tbsOptions->currentIndex(), 1);
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
    EXPECT_FALSE(w->mnuTFswap->isChecked());

    // The axis swap exchanges the captions and marks of the two reversal items,
    // and the boxes still show their items.
    d->Check2->click();
    EXPECT_TRUE(w->mnuSwapMotors->isChecked());
    EXPECT_EQ(w->mnuLRswap->text(), "Reverse &To/From Mirror Motor");
    EXPECT_EQ(w->mnuTFswap->text(), "&Reverse L/R Motor");
    EXPECT_FALSE(w->mnuLRswap->isChecked());
    EXPECT_TRUE(w->mnuTFswap->isChecked());
    EXPECT_EQ(d->Check3->text(), w->mnuLRswap->text());
    EXPECT_EQ(d->Check4->text(), w->mnuTFswap->text());
    EXPECT_FALSE(d->Check3->isChecked());
    EXPECT_TRUE(d->Check4->isChecked());
    d->Check2->click();
    EXPECT_FALSE(w->mnuSwapMotors->isChecked());
    EXPECT_EQ(w->mnuLRswap->text(), "&Reverse L/R Motor");
    EXPECT_TRUE(w->mnuLRswap->isChecked());
    EXPECT_FALSE(w->mnuTFswap->isChecked());

    d->tbsOptions->setCurrentIndex(3);
    d->Option2->click();
    EXPECT_TRUE(w->MnuFixed->isChecked());
    d->Option1->click();
    EXPECT_FALSE(w->MnuFixed->isChecked());
    // Nothing is saved here.
    EXPECT_FALSE(QFile::exists(SettingsPath()));
}

TEST_F(SetupDialogTest, ClosingDerivesUnsetMoveSizes) {
    frmsetup* d = Open();
    d->cmdOK->click();
    ASSERT_TRUE(Gone());
    EXPECT_EQ(w->LRSmMove, 1);
    EXPECT_EQ(w->LRLgMove, 6);
    EXPECT_EQ(w->TFOblateMove, 40);
    EXPECT_EQ(w->TFRoughMove, 16);
    EXPECT_EQ(w->TFFinalMoves, 8);
    EXPECT_EQ(w->findChild<SaveOptions*>(), nullptr);  // not a first run

    // Moves already set stay as they are, also when the close box closes it.
    w->TFOblateMove = 33;
    w->StepSize = 0.0001;
    d = Open();
    d->close();
    ASSERT_TRUE(Gone());
    EXPECT_EQ(w->TFOblateMove, 33);
}

TEST_F(SetupDialogTest, OnAFirstRunClosingLeadsOnToSaveDataOptions) {
    w->WaitForIt = true;
    frmsetup* d = Open();
    d->cmdOK->click();
    ASSERT_TRUE(Gone());
    auto* options = w->findChild<SaveOptions*>();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isVisible());
    EXPECT_FALSE(options->isModal());
    EXPECT_EQ(options->parent(), w.get());
    EXPECT_EQ(w->findChildren<SaveOptions*>().size(), 1);

    // Every later closing opens it again, as one instance.
    d = Open();
    d->close();
    ASSERT_TRUE(Gone());
    EXPECT_EQ(w->findChildren<SaveOptions*>().size(), 1);
    options->OKButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w->findChild<SaveOptions*>(), nullptr);
    d = Open();
    d->close();
    EXPECT_EQ(w->findChildren<SaveOptions*>().size(), 1);
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
        bool timerRan = false;
        WhenModal([&](QDialog* modal) {
            opened = modal->objectName();
            // The setup dialog's timer keeps running meanwhile.
            w->Max = 0;
            Pump(250);
            timerRan = w->Max != 0;
            modal->reject();
        });
        button->click();
        EXPECT_EQ(opened, name);
        EXPECT_TRUE(timerRan) << name;
    }
}
