// A whole test as a mirror maker runs it with a DOS reduction program: "Do the
// Magic" on the simulated tester, then Save Data with the SixTests file chosen
// and its launch on, sixtests.exe being the DOS stand-in (assembled with the
// tests) run by the real dosbox on a private X display. The DOS program must
// have read the input file and written test1.3d beside it.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <chrono>
#include <optional>

#include "MagicRig.h"
#include "OwnFolder.h"
#include "mirror/ResultPaths.h"
#include "outside_x11/DosBox.h"
#include "outside_x11/PrivateDisplay.h"
#include "platform/Events.h"

namespace {

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class DosSixTests : public OwnFolderTest<> {
  protected:
    void SetUp() override {
        if (const QString missing = DosBox::Missing(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        OwnFolderTest::SetUp();
        // The window stays headless; dosbox and the keys go to the private display.
        displayUp = true;
        display.SetUp();
        ASSERT_FALSE(HasFatalFailure());
        dosbox.emplace(folder.filePath("home"));
    }
    void TearDown() override {
        dosbox.reset();
        // A dosbox still running loses its display and ends.
        if (displayUp) display.TearDown();
    }

    PrivateDisplay display;
    bool displayUp = false;
    std::optional<DosBox> dosbox;
};

TEST_F(DosSixTests, DoTheMagicThenSaveDataLetsTheDosProgramWriteThe3dFile) {
    const QString programs = folder.filePath("Reduction programs (DOS)");
    QDir().mkpath(programs);
    ASSERT_TRUE(CopyFileWhole(DosBox::StandIn(), programs + "/sixtests.exe"));
    magic::RigOptions options;
    options.editSettings = [&](TestState& s) {
        s.SaveSixtests = s.LaunchSixtests = true;
        s.Sixtestspath = programs;
    };
    magic::Rig rig(options);
    frmMain& w = rig.Start();
    w.SetBusyCountStep(std::chrono::nanoseconds(0));
    MsgBoxService::ClearHistory();

    // The click arrives inside the live loop's event pumping, as the user's does:
    // the loop is held while the test and the save run (the pauses between the
    // keys pump events), then it ends.
    QEventLoop outer;
    bool clicked = false;
    QTimer starter;
    QObject::connect(&starter, &QTimer::timeout, &outer, [&] {
        if (!w.LiveLoopBusy) return;
        starter.stop();
        clicked = true;
        rig.port->sim().setPositions(0, 0);
        w.Command3->click();
        w.Manual = false;
        outer.quit();
    });
    starter.start(10);
    EXPECT_TRUE(rig.RunLiveLoop(outer, 100000)) << "the test did not end";
    ASSERT_TRUE(clicked);

    for (const MsgBoxRequest& message : MsgBoxService::History())
        ADD_FAILURE() << message.title.toStdString() << ": " << message.text.toStdString();
    EXPECT_EQ(w.TestStatus, "Test Complete! :)");
    EXPECT_EQ(w.WorkNum, 2);
    // The DOS program writes the file once it has taken the last Enter, and
    // names it in capitals.
    const QString sixTests = ResultFormatFolder(w.textpath, "Mirror8", "SixTests");
    QElapsedTimer timer;
    timer.start();
    while (!Read(sixTests + "/STANDIN.LOG").contains("written") && timer.elapsed() < 10000)
        DoEvents();
    const QString input = Read(SixTestsInputFilePath(w.textpath, "Mirror8", 1));
    ASSERT_TRUE(input.startsWith("Mirror8 Test Number 1\r\n"));
    EXPECT_EQ(QDir(sixTests).entryList({"test1.3d"}, QDir::Files), QStringList{"TEST1.3D"});
    EXPECT_EQ(Read(sixTests + "/TEST1.3D"), "3-D mirror from C:\\Test1.set\r\n" + input);
}

}  // namespace
