// Save Data through the real main window while it waits for an outside
// program's window: clicks on "Save Data" or "Do the Magic" meanwhile start
// nothing, and a program that can't be driven is explained in the log box.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>
#include <chrono>
#include <functional>
#include <utility>

#include "MagicRig.h"
#include "OwnFolder.h"
#include "app/ui/MainAutoTestHost.h"
#include "mirror/MirrorProfile.h"
#include "mirror/RecentMirrors.h"
#include "mirror/ResultPaths.h"

namespace {

// The log box's first line, printed readably when a check fails.
std::string FirstLogLine(const frmMain& w) {
    return w.Text1->toPlainText().section('\n', 0, 0).toStdString();
}

QStringList Messages() {
    QStringList texts;
    for (const MsgBoxRequest& m : MsgBoxService::History()) texts << m.title + ": " + m.text;
    return texts;
}

// Outside programs that start nothing. While the first keys wait for the
// program's window, as the desktop's wait does, window events run for a while,
// and the user's clicks arrive among them. In the program the live loop runs
// below the buttons' handlers; here it does not, and Timer1 is kept from
// starting it inside the wait.
class ClickedWhileWaiting : public OutsidePrograms {
  public:
    bool Shell(const QString& program, const QString&, const QStringList&) override {
        starts << program;
        return true;
    }
    QString TypedPath(const QString& path) const override { return path; }
    QString Refusal() const override { return QString(); }
    bool SendKeys(const KeySequence& keys, bool) override {
        sent << ShownKeys(keys);
        if (clicks) {
            QTimer::singleShot(0, std::exchange(clicks, nullptr));
            QElapsedTimer waited;
            waited.start();
            while (waited.elapsed() < 100) {
                if (timer1) timer1->stop();
                QCoreApplication::processEvents();
            }
        }
        return true;
    }
    void Pause(float) override {}

    QStringList starts;
    QStringList sent;
    std::function<void()> clicks;
    QTimer* timer1 = nullptr;
};

class SaveDataWaiting : public OwnFolderTest<> {
  protected:
    void SetUp() override {
        OwnFolderTest::SetUp();
        if (HasFatalFailure()) return;
        const QString programs = folder.filePath("sixtests");
        ASSERT_TRUE(QDir().mkpath(programs));
        sixtests = programs + "/sixtests.exe";
        options.zones = 2;
        options.reps = 0;
        options.editSettings = [programs](TestState& s) {
            s.SaveSixtests = true;
            s.LaunchSixtests = true;
            s.Sixtestspath = programs;
        };
    }
    void TearDown() override {
        MainAutoTestHost::SetProgramsOverride(nullptr);
        rig.reset();
    }

    frmMain& Start() {
        rig = std::make_unique<magic::Rig>(options);
        frmMain& w = rig->Start();
        w.SetBusyCountStep(std::chrono::nanoseconds(0));
        programs.timer1 = w.Timer1;
        MsgBoxService::ClearHistory();
        return w;
    }

    // The test number's input file typed into the outside program, once per save.
    int Typed(const QString& file) const {
        return static_cast<int>(programs.sent.filter(file, Qt::CaseInsensitive).size());
    }

    QString sixtests;
    ClickedWhileWaiting programs;
    magic::RigOptions options;
    std::unique_ptr<magic::Rig> rig;
};

// A save from the button (of a test's readings saved again), then the save at
// the end of a test: each waits once, the clicks meanwhile start nothing,
// another mirror chosen meanwhile (or while the test measures) is not loaded,
// and each advances its own mirror's number by one.
TEST_F(SaveDataWaiting, ClicksWhileASaveWaitsStartNothing) {
    ASSERT_TRUE(CopyFileWhole(STANDIN_RECORDER, sixtests));
    MainAutoTestHost::SetProgramsOverride(&programs);
    TestState other;
    other.WorkFile = "Other", other.MirDiam = 6, other.Roc = 48, other.NZ = 16;
    other.WorkNum = 50;
    ASSERT_TRUE(WriteMirrorProfile("Other", MirrorProfileLines(other)));
    frmMain& w = Start();
    RecentMirrors list = w.RecentList();
    list.Caption[2] = "Other", list.Visible[2] = true;
    w.SetRecentList(list);
    ASSERT_TRUE(w.Command5->isEnabled() && w.Command3->isEnabled());
    bool editorEnabled = true;
    const auto clickBoth = [&w, &editorEnabled] {
        w.Command5->click();
        w.Command5->click();
        w.Command3->click();
        w.Mnu[2]->trigger();
        editorEnabled = w.mnuEditMirror->isEnabled();
    };
    rig->DoTheMagic();
    const int64_t grabs = rig->driver->grabs;
    programs.clicks = clickBoth;

    w.Command5->click();

    ASSERT_FALSE(programs.clicks) << "the save never waited for the program";
    EXPECT_EQ(programs.starts.size(), 2);
    EXPECT_EQ(Typed("Test2.set"), 1);
    EXPECT_EQ(rig->driver->grabs, grabs) << "a test ran inside the save";
    EXPECT_EQ(w.WorkNum, 3);
    QStringList profile;
    ReadTextLines(MirrorProfilePath("Mirror8"), profile);
    EXPECT_EQ(profile.value(6), "3");
    EXPECT_EQ(Messages(), QStringList{"Save Data: These readings were saved already as test "
                                      "1.\r\nPress OK to save them again as test 2."});
    MsgBoxService::ClearHistory();

    programs.clicks = clickBoth;
    rig->driver->onGrab = [&clickBoth] { clickBoth(); };
    rig->DoTheMagic();
    rig->driver->onGrab = nullptr;

    ASSERT_FALSE(programs.clicks) << "the test's save never waited for the program";
    EXPECT_EQ(w.TestStatus, "Test Complete! :)");
    EXPECT_EQ(programs.starts.size(), 3);
    EXPECT_EQ(Typed("Test3.set"), 1);
    EXPECT_EQ(Typed("Test4.set"), 0);
    EXPECT_EQ(w.WorkNum, 4);
    EXPECT_EQ(Messages(), QStringList());
    EXPECT_FALSE(editorEnabled);
    ReadTextLines(MirrorProfilePath("Mirror8"), profile);
    EXPECT_EQ(profile.value(6), "4");
    ReadTextLines(MirrorProfilePath("Other"), profile);
    EXPECT_EQ(profile.value(6), "50");
    EXPECT_FALSE(QDir(w.textpath + "/Other").exists());
    EXPECT_TRUE(w.Mnu[2]->isEnabled() && w.mnuEditMirror->isEnabled());

    // Once the saves have ended the button saves again, under the next number.
    w.Command5->click();
    EXPECT_EQ(programs.starts.size(), 4);
    EXPECT_TRUE(QFile::exists(SixTestsInputFilePath(w.textpath, "Mirror8", 4)));
    EXPECT_EQ(w.WorkNum, 5);
}

// The desktop's programs: the user sees why the outside program failed, after
// the save at the end of a test, whose end empties the log box, and after a
// save from the button.
TEST_F(SaveDataWaiting, WhyTheProgramFailedIsLogged) {
    ASSERT_TRUE(WriteTextLines(sixtests, {"not a program"}));
    frmMain& w = Start();
    const QString copy = ResultFormatFolder(w.textpath, "Mirror8", "SixTests") + "/sixtests.exe";
    const QString cantRun = "Save Data: " + copy + " is no program this system can run";

    rig->DoTheMagic();

    EXPECT_EQ(Messages(),
              QStringList({"SHIT SHIT SHIT: Problem Saving Sixtests File as:\r\n" + w.textpath +
                               "/Mirror8/SixTests/test1.set",
                           "Not Configured!: Save Data Details not configured Properly\r\n"
                           "Goto Test Options/Save Data Options to Setup Files Save Options"}));
    EXPECT_EQ(w.WorkNum, 1);
    EXPECT_EQ(FirstLogLine(w), cantRun.toStdString());

    rig->DoTheMagic();
    EXPECT_EQ(w.TestStatus, "Test Complete! :)");
    EXPECT_EQ(w.Text1->toPlainText().toStdString(), cantRun.toStdString() + "\n");
    EXPECT_EQ(w.WorkNum, 1);

    // A program that starts but takes no keys: there is no display here.
    ASSERT_TRUE(QFile::remove(copy));
    ASSERT_TRUE(CopyFileWhole(STANDIN_RECORDER, copy));
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    w.Command5->click();
    if (!display.isEmpty()) qputenv("DISPLAY", display);
    EXPECT_EQ(FirstLogLine(w), ("Save Data: the keys for " + copy +
                                " were not sent: there is no X11 display to send keystrokes to")
                                   .toStdString());
    EXPECT_EQ(w.WorkNum, 1);
}

}  // namespace
