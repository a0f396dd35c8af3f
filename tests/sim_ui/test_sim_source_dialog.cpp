#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "platform/ProgramFolder.h"
#include "platform/ui/MsgBox.h"
#include "sim/SimTester.h"
#include "sim/ui/SimSourceDialog.h"

namespace {

class SimSourceDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        SetAppPath(dir_.path());
        MsgBoxService::ClearHistory();
        MsgBoxService::SetScript([](const MsgBoxRequest&) { return MsgResult::OK; });
    }
    void TearDown() override { MsgBoxService::SetScript(nullptr); }

    template <typename T>
    T* Control(QWidget& dialog, const char* name) {
        T* control = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    QTemporaryDir dir_;
};

}  // namespace

TEST_F(SimSourceDialogTest, OkTakesAndSavesEveryEditAtOnce) {
    SimTester tester;
    SimSourceDialog dialog(tester);
    Control<QDoubleSpinBox>(dialog, "spnDiameter")->setValue(10);
    Control<QDoubleSpinBox>(dialog, "spnRoc")->setValue(100);
    Control<QDoubleSpinBox>(dialog, "spnKnifeTravel")->setValue(0.0000625);
    Control<QDoubleSpinBox>(dialog, "spnFrameRate")->setValue(0);
    Control<QSpinBox>(dialog, "spnPeak")->setValue(200);
    Control<QCheckBox>(dialog, "chkFixedSource")->setChecked(true);
    Control<QCheckBox>(dialog, "chkKnifeRight")->setChecked(true);
    Control<QCheckBox>(dialog, "chkActiveLow")->setChecked(true);
    Control<QPushButton>(dialog, "cmdOK")->click();

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(MsgBoxService::History().isEmpty());
    SimSettings expected;
    expected.mirrorDiameter = 10;
    expected.radiusOfCurvature = 100;
    expected.knifeTravel = 0.0000625;
    expected.frameRate = 0;
    expected.peak = 200;
    expected.fixedSource = true;
    expected.knifeRight = true;
    expected.activeLow = true;
    EXPECT_EQ(tester.settings(), expected);
    EXPECT_TRUE(tester.port()->wiring().activeLow);

    SimSettings saved;
    ASSERT_TRUE(LoadSimSettings(SimTester::SettingsPath(), saved));
    EXPECT_EQ(saved, expected);

    // Opened again, the dialog shows what is in use.
    SimSourceDialog again(tester);
    EXPECT_EQ(again.edited(), expected);
}

TEST_F(SimSourceDialogTest, CancelAndRefusedSettingsChangeNothing) {
    SimTester tester;
    {
        SimSourceDialog dialog(tester);
        Control<QDoubleSpinBox>(dialog, "spnDiameter")->setValue(12);
        Control<QPushButton>(dialog, "cmdCancel")->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(tester.settings(), SimSettings());
    EXPECT_FALSE(QFile::exists(SimTester::SettingsPath()));

    // A radius of curvature shorter than the diameter is refused with a message;
    // the dialog stays open.
    SimSourceDialog dialog(tester);
    dialog.show();
    Control<QDoubleSpinBox>(dialog, "spnRoc")->setValue(5);
    Control<QPushButton>(dialog, "cmdOK")->click();
    ASSERT_EQ(MsgBoxService::History().size(), 1);
    EXPECT_TRUE(
        MsgBoxService::History().first().text.contains(QStringLiteral("radius of curvature")));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(tester.settings(), SimSettings());
    EXPECT_FALSE(QFile::exists(SimTester::SettingsPath()));
}
