// The keystroke script and the starts of the outside programs on a private X
// display, with stand-ins built with the tests in place of figure45.exe,
// sixtests.exe and 3vivuvuz.exe.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "PrivateDisplay.h"
#include "output/SaveData.h"
#include "output/SixTestsFile.h"
#include "platform/Events.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramStart.h"
#include "platform/TextFile.h"

namespace {

const auto* const kDisplay = ::testing::AddGlobalTestEnvironment(new PrivateDisplay);

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct Host : SaveDataHost {
    QStringList messages;
    DesktopPrograms programs;
    MsgResult ShowMessage(const QString& text, MsgButtons, MsgIcon, const QString& title) override {
        messages << title + ": " + text;
        return MsgResult::OK;
    }
    bool FixedSource() override { return false; }
    OutsidePrograms& Programs() override { return programs; }
};

class OutsidePrograms : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Programs started detached become children of this process, not of the
        // system's first process, so that TearDown can reap them.
        prctl(PR_SET_CHILD_SUBREAPER, 1);
        SetAppPath(Folder("program"));
        s.textpath = Folder("Résultats \"q\" 'a' +^%~(){} ü");
        s.WorkFile = "Miroir (8) +^%~{} é";
        s.WorkNum = 5, s.NZ = 2, s.MirDiam = 8, s.Roc = 96, s.CC = -1;
        s.ZoneRadius[1] = 0.4, s.ZoneRadius[2] = 0.8;
        s.ZoneResults[0] = {0, 0, 0.03};
        s.FigurePath = Folder("figure45");
        s.Sixtestspath = Folder("sixtests");
    }
    void TearDown() override {
        // Stand-ins still running are ended by the ids they wrote, and every
        // program started here is reaped (the tests adopt them, see SetUp).
        QList<pid_t> started;
        for (const QString& folder : pidFolders) {
            for (const QString& name : QDir(folder).entryList({"*.pid"}))
                started << Read(folder + "/" + name).toInt();
            for (const QString& line : Read(folder + "/started.txt").split('\n'))
                if (line.startsWith("pid ")) started << line.mid(4).toInt();
        }
        for (const pid_t pid : started) {
            if (pid <= 0) continue;
            kill(pid, SIGTERM);
            QElapsedTimer timer;
            timer.start();
            while (waitpid(pid, nullptr, WNOHANG) == 0 && timer.elapsed() < 3000)
                QThread::msleep(10);
        }
    }
    QString Folder(const QString& name) {
        QDir().mkpath(dir.filePath(name));
        return dir.filePath(name);
    }
    void Install(const QString& standin, const QString& folder, const QString& name) {
        ASSERT_TRUE(QFile::copy(standin, folder + "/" + name));
        pidFolders << folder;
    }
    QString SixTestsFolder() { return s.textpath + "/" + s.WorkFile + "/SixTests"; }
    // Waits for a file the stand-ins write.
    bool WaitFor(const QString& path, int ms = 15000) {
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(path) && timer.elapsed() < ms) DoEvents();
        return QFile::exists(path);
    }

    QTemporaryDir dir;
    TestState s;
    Host host;
    QStringList pidFolders;
};

TEST_F(OutsidePrograms, SaveDataStartsBothProgramsAndTheScriptMakesSixTestsWriteThe3dFile) {
    Install(STANDIN_RECORDER, s.FigurePath, "figure45.exe");
    Install(STANDIN_SIXTESTS, s.Sixtestspath, "sixtests.exe");
    Install(STANDIN_SIXTESTS, AppPath(), "3vivuvuz.exe");
    pidFolders << SixTestsFolder() << s.textpath + "/" + s.WorkFile + "/Figure";
    s.Savefigure = s.SaveSixtests = s.LaunchFigure = s.LaunchSixtests = s.Launch3d = true;

    EXPECT_TRUE(SaveData(s, host)) << host.programs.LastError().toStdString();

    EXPECT_EQ(host.messages, (QStringList{"Waiting for Figure to exit: Press OK to load Sixtests",
                                          "Launch 3D Mirror?: Press OK to Launch 3d Mirror!"}));
    // figure45.exe: started in its folder, without arguments.
    const QString figure = s.textpath + "/" + s.WorkFile + "/Figure";
    ASSERT_TRUE(WaitFor(figure + "/started.txt"));
    const QStringList started = Read(figure + "/started.txt").split('\n');
    EXPECT_EQ(started.value(0), "program " + figure + "/figure45.exe");
    EXPECT_EQ(started.value(1), "folder " + figure);
    EXPECT_FALSE(Read(figure + "/started.txt").contains("argument"));
    // sixtests.exe read the input file and wrote the 3-D file at the typed paths,
    // every character of them as it is.
    const QString file3d = SixTestsFolder() + "/test5.3d";
    ASSERT_TRUE(WaitFor(file3d)) << Read(SixTestsFolder() + "/standin.log").toStdString();
    const QString input = SixTestsFolder() + "/Test5.set";
    EXPECT_EQ(Read(file3d).toStdString(),
              ("3-D mirror from " + input + "\n" + Read(input)).toStdString());
    // The viewer was given the same path.
    ASSERT_TRUE(WaitFor(AppPath() + "/viewed.txt"));
    EXPECT_EQ(Read(AppPath() + "/viewed.txt").toStdString(), file3d.toStdString());
    EXPECT_EQ(s.WorkNum, 6);
}

// A program that shows no window gets no keys: they are not typed into whatever
// else has the focus, and the save fails with the writer's message.
TEST_F(OutsidePrograms, NoWindowOfTheStartedProgramMeansNothingIsTyped) {
    const QString witness = Folder("witness");
    Install(STANDIN_SIXTESTS, witness, "3vivuvuz.exe");
    qint64 pid = 0;
    ASSERT_TRUE(StartProgram(witness + "/3vivuvuz.exe", witness, &pid));
    // The witness holds the focus before the save starts.
    ASSERT_TRUE(SendKeysToProcess(pid, {Keys::Text("w")}, true, std::chrono::seconds(15)));
    Install(STANDIN_RECORDER, s.Sixtestspath, "sixtests.exe");
    pidFolders << SixTestsFolder();
    s.SaveSixtests = s.LaunchSixtests = true;

    EXPECT_FALSE(SaveSixTestsFile(s, false, host, host.programs));

    EXPECT_EQ(host.messages, QStringList{"SHIT SHIT SHIT: Problem Saving Sixtests File as:\r\n" +
                                         s.textpath + "/" + s.WorkFile + "/SixTests/test5.set"});
    EXPECT_TRUE(s.SaveFailed);
    EXPECT_TRUE(QFile::exists(SixTestsFolder() + "/started.txt"));
    // The witness took nothing but its own "w".
    ASSERT_TRUE(SendKeysToProcess(pid, {Keys::Enter()}, true, std::chrono::seconds(5)));
    ASSERT_TRUE(WaitFor(witness + "/viewed.txt"));
    EXPECT_EQ(Read(witness + "/viewed.txt"), "w");
}

TEST_F(OutsidePrograms, AProgramThatLivesWithoutAWindowFailsAfterTheWait) {
    const QString script = Folder("quiet") + "/quiet";
    ASSERT_TRUE(WriteFileWhole(script, "#!/bin/sh\necho $$ > quiet.pid\nexec sleep 30\n"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    pidFolders << Folder("quiet");
    qint64 pid = 0;
    ASSERT_TRUE(StartProgram(script, Folder("quiet"), &pid));
    QElapsedTimer timer;
    timer.start();
    QString error;
    EXPECT_FALSE(
        SendKeysToProcess(pid, {Keys::Enter()}, true, std::chrono::milliseconds(800), &error));
    EXPECT_GE(timer.elapsed(), 700);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
