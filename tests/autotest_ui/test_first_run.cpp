// A new user's first run, on the simulated tester: the program starts in a fresh
// program folder without a settings file, the user answers the recovery
// message, closes the setup dialog and the Save Data Options dialog with OK,
// creates a mirror in the profile editor and presses "Do the Magic". The test
// completes and writes its results file, and no file was edited by hand.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cmath>

#include "app/ui/frmMain.h"
#include "live/Capture.h"
#include "mirror/ResultPaths.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"
#include "platform/TextFile.h"
#include "platform/ui/MsgBox.h"
#include "setup/ui/frmsetup.h"
#include "setup_ui/ModalHelper.h"
#include "sim/SimDriver.h"
#include "sim/SimTester.h"

namespace {

class FirstRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        SetAppPath(folder.path());
        SetSoundOutputEnabled(false);
        MsgBoxService::SetScript([](const MsgBoxRequest&) { return MsgResult::OK; });
        MsgBoxService::ClearHistory();
        // The simulator with its default picture, rendering a frame at each grab.
        SimSettings settings;
        settings.frameRate = 0;
        tester = std::make_shared<SimTester>(settings);
        CaptureDrivers::SetCameraProvider([] { return CaptureDrivers::List{}; });
        CaptureDrivers::SetSimulator(std::make_shared<SimDriver>(tester));
    }
    void TearDown() override {
        CaptureDrivers::SetSimulator(nullptr);
        CaptureDrivers::SetCameraProvider(nullptr);
        MsgBoxService::SetScript(nullptr);
    }

    QTemporaryDir folder;
    std::shared_ptr<SimTester> tester;
};

}  // namespace

TEST_F(FirstRun, FromAFreshFolderToTheFirstResultsFile) {
    ASSERT_FALSE(QFile::exists(folder.filePath("quenz.ini")));
    frmMain w;
    w.Form_Load();
    // The live loop stays still; the test runs without motor speed delays.
    w.Timer1->stop();
    w.SetBusyCountStep(std::chrono::nanoseconds(0));
    ASSERT_EQ(MsgBoxService::History().size(), 1);
    EXPECT_EQ(MsgBoxService::History()[0].title, "Initialization Error :(");

    // The setup dialog is open; OK, then OK in Save Data Options.
    auto* setup = w.findChild<frmsetup*>();
    ASSERT_NE(setup, nullptr);
    setup->cmdOK->click();
    auto* options = w.findChild<SaveOptions*>();
    ASSERT_NE(options, nullptr);
    options->OKButton->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A mirror like the simulated one, made in the profile editor.
    WhenModal([](QDialog* editor) {
        const std::pair<const char*, const char*> entries[] = {
            {"NName", "FirstMirror"}, {"Ndiam", "8"}, {"NRoc", "96"},  {"NCC", "-1"},
            {"Nobst", "1.5"},         {"NNZ", "5"},   {"NSeries", "0"}};
        for (const auto& [name, text] : entries) Child<QLineEdit>(editor, name)->setText(text);
        Child<QPushButton>(editor, "Command2")->click();
    });
    w.mnuEditMirror->trigger();
    ASSERT_TRUE(w.ZoneOn);
    ASSERT_EQ(w.WorkNum, 1);

    // The main window's default outline is the simulator's default disc.
    EXPECT_EQ(w.MirX->value(), tester->settings().centreX);
    EXPECT_EQ(w.MirY->value(), tester->settings().centreY);
    EXPECT_EQ(w.MirRad->value(), tester->settings().radiusPixels);

    w.Command3->click();
    w.Timer1->stop();
    EXPECT_EQ(w.TestStatus, "Test Complete! :)");
    EXPECT_EQ(MsgBoxService::History().size(), 1);
    // Each zone's reading is where the simulated mirror has its null, measured
    // from zone 1's.
    const double semi = 4;
    const SimOptics& optics = tester->optics();
    for (int zone = 1; zone <= 5; ++zone) {
        const double ideal = optics.nullDistanceMoving(semi * w.ZoneRadius[zone]) -
                             optics.nullDistanceMoving(semi * w.ZoneRadius[1]);
        EXPECT_NEAR(w.ZoneResults[0][zone], ideal, 0.0015) << "zone " << zone;
    }
    QStringList results;
    EXPECT_TRUE(ReadTextLines(TextResultFilePath(w.textpath, "FirstMirror", 1), results));
    EXPECT_EQ(w.textpath, folder.path() + "/TestResults");
    EXPECT_FALSE(results.isEmpty());
    EXPECT_EQ(w.WorkNum, 2);

    // Closing saves the settings: the move sizes the setup dialog derived are kept.
    w.Unload();
    QStringList settings;
    ASSERT_TRUE(ReadTextLines(folder.filePath("quenz.ini"), settings));
    ASSERT_EQ(settings.size(), 51);
    EXPECT_EQ(settings[41], "1");
    EXPECT_EQ(settings[42], "6");
    EXPECT_EQ(settings[45], "40");
    EXPECT_EQ(settings[47], "16");
    EXPECT_EQ(settings[49], "8");
}
