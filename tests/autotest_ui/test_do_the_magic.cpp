// "Do the Magic" and "Save Data" through the real main window on the simulated
// tester: refusals, abort, closing the window during a test, and result files
// that cannot be written.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <tuple>

#include "MagicRig.h"
#include "OwnFolder.h"
#include "mirror/RecentMirrors.h"
#include "mirror/ResultPaths.h"
#include "platform/ui/PictureBox.h"
#include "setup/ui/Dialog.h"
#include "setup/ui/frmStepSize.h"
#include "setup/ui/frmsetup.h"
#include "setup_ui/ModalHelper.h"

namespace {

QStringList FileLines(const QString& path) {
    QStringList lines;
    ReadTextLines(path, lines);
    return lines;
}

QStringList Messages() {
    QStringList texts;
    for (const MsgBoxRequest& m : MsgBoxService::History()) texts << m.title + ": " + m.text;
    return texts;
}

class DoTheMagic : public OwnFolderTest<> {
  protected:
    void SetUp() override {
        OwnFolderTest::SetUp();
        if (HasFatalFailure()) return;
        // A short test: two zones, one set of readings.
        options.zones = 2;
        options.reps = 0;
    }

    frmMain& Start(bool chooseMirror = true) {
        rig = std::make_unique<magic::Rig>(options);
        frmMain& w = rig->Start(chooseMirror);
        w.SetBusyCountStep(std::chrono::nanoseconds(0));
        MsgBoxService::ClearHistory();
        return w;
    }

    // The live state a test must leave behind, whatever ended it.
    void ExpectLiveStateRestored(const frmMain& w) {
        EXPECT_TRUE(w.Manual);
        EXPECT_TRUE(rig->timerRunningAfterTest);
        EXPECT_TRUE(w.Command3->isEnabled() && w.Command1->isEnabled() && w.Command5->isEnabled());
        EXPECT_FALSE(w.Picture3->isHidden());
        EXPECT_TRUE(w.MirRad->hasTracking());
        EXPECT_FALSE(w.Chk_trak->isChecked());
        EXPECT_EQ(rig->port->last, 0) << "coils not released";
    }

    magic::RigOptions options;
    std::unique_ptr<magic::Rig> rig;
};

TEST_F(DoTheMagic, RefusesWithoutAZoneTableAndChangesNothing) {
    frmMain& w = Start(false);
    w.abort->setChecked(true);
    w.Timer1->start();
    const QString log = w.Text1->toPlainText();
    const int64_t writes = rig->port->writes;

    w.Command3->click();

    ASSERT_EQ(MsgBoxService::History().size(), 1);
    const MsgBoxRequest& message = MsgBoxService::History().first();
    EXPECT_EQ(message.text, "Please setup zones first ;)");
    EXPECT_EQ(message.title, "Do the Zones!");
    EXPECT_EQ(message.buttons, MsgButtons::OK);
    EXPECT_TRUE(w.Manual);
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_TRUE(w.abort->isChecked());
    EXPECT_TRUE(w.Command3->isEnabled() && w.Command1->isEnabled());
    EXPECT_FALSE(w.Command5->isEnabled());
    EXPECT_FALSE(w.Picture3->isHidden());
    EXPECT_EQ(w.Text1->toPlainText(), log);
    EXPECT_EQ(rig->driver->grabs, 0);
    EXPECT_EQ(rig->port->writes, writes);
    w.Timer1->stop();
}

TEST_F(DoTheMagic, HandEditedSettingsAreClampedOrRefusedBeforeAnythingMoves) {
    options.editSettings = [](TestState& s) {
        s.Reps = 9;
        s.TFFinalFrames = 45;
        s.TFRoughMove = 0;
        s.LRSmMove = -3;
    };
    frmMain& w = Start();
    // The arrays hold four sets of readings and 30 frames: clamped on reading.
    EXPECT_EQ(w.Reps, 3);
    EXPECT_EQ(w.TFFinalFrames, 30);
    const int64_t writes = rig->port->writes;

    rig->DoTheMagic();

    ASSERT_EQ(MsgBoxService::History().size(), 1);
    const QString text = MsgBoxService::History().first().text;
    EXPECT_TRUE(text.contains("TFRoughMove = 0")) << text.toStdString();
    EXPECT_TRUE(text.contains("LRSmMove = -3")) << text.toStdString();
    EXPECT_EQ(rig->driver->grabs, 0);
    EXPECT_EQ(rig->port->writes, writes);
    EXPECT_TRUE(w.Manual);
    EXPECT_TRUE(w.Command3->isEnabled());
}

// The click reaches the test through the live loop's event pumping, as a user's
// click does; after the test the suspended loop goes on with its passes.
TEST_F(DoTheMagic, AbortEndsTheTestAfterTheCurrentFrameAndTheLiveLoopResumes) {
    options.zones = 6;
    frmMain& w = Start();
    constexpr int kAbortAtFrame = 40;
    int testFrames = 0;
    int64_t grabsAtEnd = -1;
    bool clicked = false;
    bool heldWhileTesting = false;
    rig->driver->onGrab = [&] {
        if (w.Manual) return;  // a live-loop frame
        if (++testFrames == 10)
            heldWhileTesting = !w.Timer1->isActive() && !w.Command3->isEnabled() &&
                               !w.Command1->isEnabled() && !w.Command5->isEnabled() &&
                               w.Picture3->isHidden() && !w.MirRad->hasTracking() &&
                               w.TestStatus == "Testing Zone 1";
        if (testFrames == kAbortAtFrame) QTimer::singleShot(0, w.abort, [&w] { w.abort->click(); });
    };
    QEventLoop outer;
    // Click once the live loop runs, so the click arrives through its event pumping.
    QTimer starter;
    QObject::connect(&starter, &QTimer::timeout, w.Command3, [&] {
        if (!w.LiveLoopBusy || rig->driver->grabs < 2) return;
        starter.stop();
        clicked = true;
        w.Command3->click();
        grabsAtEnd = rig->driver->grabs;
        rig->timerRunningAfterTest = w.Timer1->isActive();
        ExpectLiveStateRestored(w);
        // Let the resumed loop make a pass, however long that takes on a loaded
        // machine, then end it.
        auto* resumed = new QTimer(&outer);
        QObject::connect(resumed, &QTimer::timeout, &outer, [&, resumed] {
            if (rig->driver->grabs <= grabsAtEnd) return;
            resumed->stop();
            w.Manual = false;
            outer.quit();
        });
        resumed->start(10);
    });
    starter.start(10);
    EXPECT_TRUE(rig->RunLiveLoop(outer, 60000)) << "the test did not end";

    ASSERT_TRUE(clicked);
    EXPECT_TRUE(heldWhileTesting) << "timer, buttons, speed strip or MirRad not held";
    // The frame in which abort was clicked, then the end's still frame.
    EXPECT_EQ(testFrames, kAbortAtFrame + 1);
    EXPECT_GT(rig->driver->grabs, grabsAtEnd) << "the live loop did not resume";
    EXPECT_EQ(w.TestStatus, "Test Aborted!");
    EXPECT_FALSE(SoundRequests().join(' ').contains("transpec.wav"));
    EXPECT_TRUE(MsgBoxService::History().isEmpty());
    EXPECT_EQ(w.WorkNum, 1);
    EXPECT_FALSE(QFile::exists(TextResultFilePath(w.textpath, "Mirror8", 1)));
    EXPECT_TRUE(w.Text1->toPlainText().isEmpty());
}

TEST_F(DoTheMagic, ClosingTheWindowEndsTheTestAndReleasesTheCoils) {
    options.zones = 6;
    frmMain& w = Start();
    int unloads = 0;
    QObject::connect(&w, &frmMain::unloaded, &w, [&] { ++unloads; });
    constexpr int kCloseAtFrame = 40;
    int testFrames = 0;
    rig->driver->onGrab = [&] {
        if (++testFrames == kCloseAtFrame) QTimer::singleShot(0, &w, [&w] { w.close(); });
    };

    rig->DoTheMagic();

    EXPECT_TRUE(w.ClosingDown);
    EXPECT_GE(unloads, 1);
    EXPECT_FALSE(w.isVisible());
    EXPECT_LE(testFrames, kCloseAtFrame + 1);
    EXPECT_EQ(rig->port->last, 0) << "coils not released";
    EXPECT_EQ(w.TestStatus, "Test Aborted!");
    EXPECT_EQ(w.WorkNum, 1);
    EXPECT_EQ(FileLines(MirrorProfilePath("Mirror8")).value(6), "1");
    EXPECT_FALSE(QFile::exists(TextResultFilePath(w.textpath, "Mirror8", 1)));
}

TEST_F(DoTheMagic, UnwritableResultFolderKeepsTheTestNumber) {
    // The mirror's result folder cannot be made: a file stands in its place, in a
    // read-only folder.
    const QString textpath = folder.filePath("Results");
    ASSERT_TRUE(QDir().mkpath(textpath));
    ASSERT_TRUE(WriteTextLines(textpath + "/Mirror8", {"not a folder"}));
    QFile::setPermissions(textpath, QFile::ReadOwner | QFile::ExeOwner);
    options.textpath = textpath;
    frmMain& w = Start();

    rig->DoTheMagic();
    QFile::setPermissions(textpath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_EQ(w.TestStatus, "Test Complete! :)");
    EXPECT_EQ(Messages(),
              QStringList({"Save Text Problem: Problem saving Text File to " + textpath +
                               "/Mirror8/TextData/Test1.txt",
                           "Not Configured!: Save Data Details not configured Properly\r\n"
                           "Goto Test Options/Save Data Options to Setup Files Save Options"}));
    EXPECT_TRUE(w.SaveFailed);
    EXPECT_EQ(w.WorkNum, 1);
    EXPECT_EQ(FileLines(MirrorProfilePath("Mirror8")).value(6), "1");
    EXPECT_EQ(QDir(textpath).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"Mirror8"});
    ExpectLiveStateRestored(w);
}

// The outside reduction programs were never chosen: both writers fail with
// their own messages and the test number stays.
TEST_F(DoTheMagic, OutsideProgramsMissingFailTheSave) {
    frmMain& w = Start();
    ASSERT_TRUE(w.Command5->isEnabled());
    w.Savefigure = true;
    w.SaveSixtests = true;
    w.LaunchFigure = true;
    w.LaunchSixtests = true;

    rig->DoTheMagic();

    const QStringList messages = Messages();
    ASSERT_EQ(messages.size(), 4);
    EXPECT_EQ(messages[0], "Drelmont: Problem saving Figure File as " + w.textpath +
                               "/Mirror8/Figure/Test1.fig");
    EXPECT_EQ(messages[1], "Waiting for Figure to exit: Press OK to load Sixtests");
    EXPECT_EQ(messages[2], "SHIT SHIT SHIT: Problem Saving Sixtests File as:\r\n" + w.textpath +
                               "/Mirror8/SixTests/test1.set");
    EXPECT_TRUE(messages[3].startsWith("Not Configured!: "));
    EXPECT_TRUE(w.SaveFailed);
    EXPECT_EQ(w.WorkNum, 1);
    // The files the writers made stay.
    EXPECT_TRUE(QFile::exists(TextResultFilePath(w.textpath, "Mirror8", 1)));
    EXPECT_TRUE(QFile::exists(SixTestsInputFilePath(w.textpath, "Mirror8", 1)));

    // With the text file alone the save goes through and the number advances,
    // over the files the failed save wrote, and asks nothing.
    MsgBoxService::ClearHistory();
    w.Savefigure = false;
    w.SaveSixtests = false;
    w.Command5->click();
    EXPECT_TRUE(MsgBoxService::History().isEmpty());
    EXPECT_EQ(w.WorkNum, 2);
    EXPECT_EQ(FileLines(MirrorProfilePath("Mirror8")).value(6), "2");
}

// The number of sets, the light source and the units, each changed as a user
// would at a frame of a running test: the test's files are those of the same
// test left alone.
TEST_F(DoTheMagic, SettingsChangedDuringATestLeaveItsFilesAsMeasured) {
    options.editSettings = [](TestState& s) { s.Savefigure = true, s.FigurePath = AppPath(); };
    // The button, while it can be pressed, and in the modal dialog it opens a
    // choice and OK.
    const auto choose = [](QAbstractButton* opener, std::function<void(QDialog*)> pick) {
        if (!opener->isEnabled()) return;
        WhenModal(std::move(pick));
        opener->click();
    };
    const std::pair<const char*, std::function<void(frmsetup&)>> rows[] = {
        {"nothing", [](frmsetup&) {}},
        {"4 sets",
         [&](frmsetup& setup) {
             choose(setup.Command4, [](QDialog* d) {
                 auto* reps = static_cast<Dialog*>(d);
                 reps->Option1[3]->setChecked(true), reps->OKButton->click();
             });
         }},
        {"fixed source", [](frmsetup& setup) { setup.Option2->click(); }},
        {"millimetres",
         [&](frmsetup& setup) {
             choose(setup.Command1, [](QDialog* d) {  // the same steps, in millimetres
                 auto* steps = static_cast<frmStepSize*>(d);
                 steps->Text1->setText("0.00635"), steps->Text2->setText("0.00635");
                 steps->OptMil->setChecked(true), steps->cmdOK->click();
             });
         }},
    };
    QString measured;
    for (const auto& [name, change] : rows) {
        SCOPED_TRACE(name);
        QTemporaryDir own;
        SetAppPath(own.path());
        rig.reset();
        frmMain& w = Start();
        w.mnuWizard->trigger();
        frmsetup& setup = *w.findChild<frmsetup*>();
        setup.tbsOptions->setCurrentIndex(3);
        rig->driver->onGrab = [&, frames = 0, change = change]() mutable {
            if (++frames == 5) change(setup);
        };
        rig->DoTheMagic();
        const QString files = FileLines(TextResultFilePath(w.textpath, "Mirror8", 1)).join('\n') +
                              FileLines(FigureInputFilePath(w.textpath, "Mirror8", 1)).join('\n');
        if (measured.isEmpty()) measured = files;
        EXPECT_EQ(files.toStdString(), measured.toStdString());
        rig.reset();
    }
}

// Save Data writes only readings of the current mirror, and asks before it
// saves readings again or replaces an earlier test's files (named whatever the
// letter case); what it refuses writes nothing and keeps the number.
TEST_F(DoTheMagic, SaveDataKeepsReadingsWithWhatTheyMeasured) {
    frmMain& w = Start();
    ASSERT_TRUE(
        WriteTextLines(MirrorProfilePath("Other"), {"Other", "6", "48", "-1", "0", "4", "7"}));
    const QString earlier = w.textpath + "/Mirror8/TextData/TEST1.TXT";
    ASSERT_TRUE(QDir().mkpath(w.textpath + "/Mirror8/TextData"));
    ASSERT_TRUE(WriteTextLines(earlier, {"an earlier test"}));
    const QString no = "Save Data: Nothing was saved: ";
    const QString replace =
        "Save Data: Test 1 has results already:\r\n" + earlier + "\r\nPress OK to replace them.";
    const std::tuple<const char*, std::function<void()>, MsgResult, QString, int> steps[] = {
        {"no test yet", [&] { w.Command5->click(); }, MsgResult::OK,
         no + "no test of \"Mirror8\" has been completed since it was chosen (a stopped test keeps "
              "no readings).",
         1},
        {"earlier files kept", [&] { rig->DoTheMagic(); }, MsgResult::Cancel, replace, 1},
        {"earlier files replaced", [&] { w.Command5->click(); }, MsgResult::OK, replace, 2},
        {"saved already", [&] { w.Command5->click(); }, MsgResult::Cancel,
         "Save Data: These readings were saved already as test 1.\r\nPress OK to save them "
         "again as test 2.",
         2},
        {"another mirror",
         [&] {
             RecentMirrors list = w.RecentList();
             list.Caption[2] = "Other", list.Visible[2] = true;
             w.SetRecentList(list);
             w.Mnu_Click(2);
             w.Command5->click();
         },
         MsgResult::OK,
         no + "the last test's readings were measured on \"Mirror8\" before \"Other\" was chosen.",
         7},
    };
    for (const auto& [name, press, answer, message, number] : steps) {
        SCOPED_TRACE(name);
        MsgBoxService::ClearHistory();
        rig->answer = [answer = answer](const MsgBoxRequest&) { return answer; };
        press();
        EXPECT_EQ(Messages().join('|').toStdString(), message.toStdString());
        EXPECT_EQ(w.WorkNum, number);
    }
    EXPECT_TRUE(FileLines(earlier).value(0).startsWith("Mirror Diameter = 8 "));
    EXPECT_FALSE(QFile::exists(TextResultFilePath(w.textpath, "Mirror8", 2)));
    EXPECT_FALSE(QDir(w.textpath + "/Other").exists());
}

// Relative folders in the settings are taken from the program folder, whatever
// folder the program was started from: each test's files and the programs'
// copies land there, and the mirror chosen again shows the previous readings.
TEST_F(DoTheMagic, RelativeFoldersAreTakenFromTheProgramFolder) {
    options.textpath = "Results";
    options.editSettings = [](TestState& s) { s.Savefigure = true, s.FigurePath = "Programs"; };
    ASSERT_TRUE(QDir().mkpath(AppPath() + "/Programs"));
    ASSERT_TRUE(WriteTextLines(AppPath() + "/Programs/figure45.exe", {"a program"}));
    const auto back = qScopeGuard([before = QDir::currentPath()] { QDir::setCurrent(before); });
    frmMain& w = Start(false);
    const QString results = AppPath() + "/Results";
    for (int n : {1, 2}) {
        QTemporaryDir start;
        ASSERT_TRUE(QDir::setCurrent(start.path()));
        w.Mnu_Click(1);
        EXPECT_EQ(w.Text2->toPlainText().contains("Previous Zone Readings from Test #1:"), n == 2);
        rig->DoTheMagic();
        EXPECT_TRUE(QFile::exists(TextResultFilePath(results, "Mirror8", n)));
        EXPECT_TRUE(QFile::exists(results + "/Mirror8/Figure/figure45.exe"));
    }
}

}  // namespace
