#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "frmmain_fixture.h"
#include "platform/ui/PictureBox.h"

namespace {

void ExpectSlider(const frmMain& w, const char* name, int min, int max, int value) {
    const auto* slider = w.findChild<QSlider*>(QLatin1String(name));
    ASSERT_NE(slider, nullptr) << name;
    EXPECT_EQ(slider->minimum(), min) << name;
    EXPECT_EQ(slider->maximum(), max) << name;
    EXPECT_EQ(slider->value(), value) << name;
}

QAction* Action(const frmMain& w, const char* name) {
    return w.findChild<QAction*>(QLatin1String(name));
}

}  // namespace

using MainWindowDesign = MainWindowTest;

TEST_F(MainWindowDesign, ControlsCarryTheirNamesAndDesignValues) {
    frmMain w;
    EXPECT_EQ(w.windowTitle(), "Drelmont");
    ExpectSlider(w, "Slider1", 1, 30, 10);
    ExpectSlider(w, "MirX", 1, 320, 160);
    ExpectSlider(w, "MirY", 1, 240, 120);
    ExpectSlider(w, "MirRad", 1, 180, 125);
    ExpectSlider(w, "Maxdelay", 1, 5000, 2000);
    ExpectSlider(w, "Mindelay", 1, 1000, 136);
    ExpectSlider(w, "sldAcell", 1, 10, 4);

    struct Caption {
        const char* name;
        const char* text;
    };
    for (const Caption& c : {Caption{"Chk_trak", "Track"}, Caption{"Command3", " Do the Magic"},
                             Caption{"abort", "Abort Action"}, Caption{"Command5", "Save Data"},
                             Caption{"Command1", "Reset"}, Caption{"cmdpause", "Pause"},
                             Caption{"Save_picture", "Save Pics"}}) {
        const auto* button = w.findChild<QPushButton*>(QLatin1String(c.name));
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->text(), c.text);
    }
    for (QPushButton* check : {w.Chk_trak, w.abort, w.Save_picture}) {
        EXPECT_TRUE(check->isCheckable());
        EXPECT_FALSE(check->isChecked());
    }
    EXPECT_FALSE(w.Command5->isEnabled());
    EXPECT_EQ(w.findChild<QGroupBox*>("Frame3")->title(), "Averaging 10 Frames");
    EXPECT_EQ(w.findChild<QGroupBox*>("Frame2")->title(), "Faster <----------->  Slower");
    EXPECT_TRUE(w.Frame2->isHidden());
    EXPECT_EQ(w.findChild<QPlainTextEdit*>("Text1")->toPlainText(), "Debug Output Screen\n");
    EXPECT_EQ(w.findChild<QTimer*>("Timer1")->interval(), 25);
    EXPECT_FALSE(w.Timer1->isActive());

    const auto* picture1 = w.findChild<PictureBox*>("Picture1");
    ASSERT_NE(picture1, nullptr);
    EXPECT_EQ(picture1->geometry(), QRect(120, 0, 324, 244));
    EXPECT_TRUE(picture1->canvas().HasPicture());
    for (const char* name : {"Picture2", "Picture3", "pBlack", "pBlue", "pRed"})
        EXPECT_NE(w.findChild<PictureBox*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(w.pBlue->canvas().GetPixel(7, 7), 0xFF0000u);
    EXPECT_EQ(w.pRed->canvas().GetPixel(0, 13), 0x0000FFu);
}

TEST_F(MainWindowDesign, MenuTreeHasItsCaptionsShortcutsAndHiddenSettingItems) {
    frmMain w;
    struct Item {
        const char* name;
        const char* caption;
    };
    for (const Item& item : {Item{"mnuFile", "&File"},
                             Item{"mnuExit", "E&xit"},
                             Item{"mnuControl", "&Video Control"},
                             Item{"mnuDisplay", "&Display"},
                             Item{"mnuFormat", "&Format"},
                             Item{"mnuSource", "S&ource"},
                             Item{"mnuSelect", "&Select"},
                             Item{"mnuWizard2", "&Platform Settings"},
                             Item{"mnuWizard", "&Platform and Foucault Setup..."},
                             Item{"MnuAuto", "&Auto Test Variables..."},
                             Item{"mnuRecent", "&Mirror Database"},
                             Item{"mnuEditMirror", "&Add or Edit Mirror Specifications"},
                             Item{"mnutest", "&Test Options"},
                             Item{"mnuReps", "&Repetition Options"},
                             Item{"mnuSave", "&Save Data Options"},
                             Item{"mnuWindow", "&Windows"},
                             Item{"mnuText", "&Show Floating Text Data Window"},
                             Item{"mnuDebug", "Toggle &Debug Display"},
                             Item{"MnuMoreText", "Toggle &More Text"},
                             Item{"MnuBars", "Toggle &Bar Graphics"}}) {
        QAction* action = Action(w, item.name);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), item.caption);
        EXPECT_TRUE(action->isVisible()) << item.name;
        EXPECT_FALSE(action->isCheckable()) << item.name;
    }
    EXPECT_EQ(w.mnuFormat->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_EQ(w.mnuSelect->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_TRUE(w.mnuLine1->isSeparator());
    EXPECT_TRUE(w.mnuspace->isSeparator());

    for (const Item& item :
         {Item{"mnuinvert", "&Invert Output"}, Item{"mnuLRswap", "&Reverse L/R Motor"},
          Item{"mnuTFswap", "Reverse &To/From Mirror Motor"}, Item{"mnuSwapMotors", "Swap &Motors"},
          Item{"MnuFixed", "&Fixed Source Light?"}}) {
        QAction* action = Action(w, item.name);
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), item.caption);
        EXPECT_FALSE(action->isVisible()) << item.name;
        EXPECT_TRUE(action->isCheckable()) << item.name;
        EXPECT_FALSE(action->isChecked()) << item.name;
    }
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(w.Mnu[i]->text(), "mnu");
        EXPECT_FALSE(w.Mnu[i]->isVisible());
        EXPECT_EQ(w.Mnu[i]->property("Index").toInt(), i);
    }

    const int helpIds[] = {210, 220, 230, 240, 250, 260};
    const QAction* tops[] = {w.mnuFile,   w.mnuControl, w.mnuWizard2,
                             w.mnuRecent, w.mnutest,    w.mnuWindow};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tops[i]->menu()->property("HelpContextID").toInt(), helpIds[i]);
    EXPECT_EQ(w.property("HelpContextID").toInt(), 10);
}

TEST_F(MainWindowDesign, AccelerationAndMotorByteFollowTheControls) {
    frmMain w;
    w.sldAcell->setValue(7);
    EXPECT_EQ(w.Accel, 3);
    w.sldAcell->setValue(10);
    EXPECT_EQ(w.Accel, 0);

    BuildCoilTable(w.CoilTable);
    w.mnuSwapMotors->setChecked(true);
    w.LRPhase = 0;
    w.TFPhase = 2;
    w.OutputMotorPhases();
    w.mnuSwapMotors->setChecked(false);
    w.mnuLRswap->setChecked(true);
    w.LRPhase = 1;
    w.TFPhase = 0;
    w.OutputMotorPhases();
    w.mnuLRswap->setChecked(false);
    w.mnuinvert->setChecked(true);
    w.OutputAllOff();
    EXPECT_EQ(port->bytes, (std::vector<uint8_t>{18, 25, 255}));
}
