// A DOS reduction program under the real dosbox, on the area's private X
// display: the DOS stand-in for sixtests.exe, assembled with the tests, must take
// every key of the keystroke script, open the typed input path and write the
// typed 3-D file path.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <optional>
#include <thread>

#include "DosBox.h"
#include "PrivateDisplay.h"
#include "output/SixTestsFile.h"
#include "platform/Events.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

// Xlib's macros clash with Qt's and gtest's names: its headers come last.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct Messages : MessageSink {
    QStringList shown;
    MsgResult ShowMessage(const QString& text, MsgButtons, MsgIcon, const QString& title) override {
        shown << title + ": " + text;
        return MsgResult::OK;
    }
};

class DosPrograms : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const QString missing = DosBox::Missing(); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        standin = DosBox::StandIn();
        ASSERT_TRUE(dir.isValid());
        // The display is the area's private one (see PrivateDisplay.h).
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        // dosbox is started detached: adopted by this process, so it can be reaped.
        prctl(PR_SET_CHILD_SUBREAPER, 1);
        dosbox.emplace(dir.filePath("home"));
        SetAppPath(Folder("program"));
        // Folders above the mounted one may have any name.
        s.textpath = Folder("Résultats d'essai \"q\" %x +^~(){} ü");
        s.WorkFile = "Miroir (8) é";
        s.WorkNum = 1, s.NZ = 2, s.MirDiam = 200, s.Roc = 1600, s.CC = -1, s.Metric = true;
        s.ZoneRadius[1] = 0.4, s.ZoneRadius[2] = 0.8;
        s.ZoneResults[0] = {0, 0.25, 1.5};
        s.Sixtestspath = Folder("sixtests");
        ASSERT_TRUE(CopyFileWhole(standin, s.Sixtestspath + "/sixtests.exe"));
        s.SaveSixtests = s.LaunchSixtests = true;
    }
    void TearDown() override {
        if (started > 0 && !Ended(started, 0)) {
            kill(static_cast<pid_t>(started), SIGTERM);
            Ended(started, 3000);
        }
        dosbox.reset();
        qputenv("TMPDIR", tmpdir), qputenv("XDG_RUNTIME_DIR", runtime);
    }
    // Folders planted where dosbox's links were or are kept, older than a start
    // takes: a pid file that is a named pipe; another user's folder naming a
    // process that has ended. Returns what they hold.
    QStringList Plant() {
        const QString temp = Folder("temp"), own = temp + "/drelmont-" + QString::number(getuid());
        qputenv("TMPDIR", QFile::encodeName(temp)), qunsetenv("XDG_RUNTIME_DIR");
        ::mkdir(QFile::encodeName(own), 0700);
        planted = {temp + "/drelmont-dos-pipe", own + "/dos-pipe", temp + "/drelmont-dos-x"};
        if (getuid() == 0)
            planted << own + "/dos-x";
        else
            std::printf("[ note     ] not root: no folder of another user can be made\n");
        for (const QString& folder : planted) {
            ::mkdir(QFile::encodeName(folder), 0700);
            QFile::link(dir.path(), folder + "/c");
            if (folder.endsWith("-pipe")) {
                ::mkfifo(QFile::encodeName(folder + "/pid"), 0600);
            } else {
                WriteFileWhole(folder + "/pid", "999999999");
                ::chown(QFile::encodeName(folder), 65534, 65534);
            }
            const timeval old[2] = {{time(nullptr) - 120, 0}, {time(nullptr) - 120, 0}};
            ::utimes(QFile::encodeName(folder), old);
        }
        return Planted();
    }
    QStringList Planted() const {
        QStringList all;
        for (const QString& folder : planted)
            for (const QString& path : {folder, folder + "/c", folder + "/pid"}) {
                struct stat info = {};
                ::lstat(QFile::encodeName(path), &info);
                all << QString::asprintf("%s %lu %o %u", qPrintable(path), info.st_ino,
                                         info.st_mode, info.st_uid);
            }
        return all;
    }
    QString Folder(const QString& name) {
        QDir().mkpath(dir.filePath(name));
        return dir.filePath(name);
    }
    QString SixTestsFolder() const { return s.textpath + "/" + s.WorkFile + "/SixTests"; }
    // True once the process has ended (and is reaped) within ms.
    static bool Ended(qint64 pid, int ms) {
        QElapsedTimer timer;
        timer.start();
        do {
            if (waitpid(static_cast<pid_t>(pid), nullptr, WNOHANG) != 0) return true;
            DoEvents();
            QThread::msleep(10);
        } while (timer.elapsed() < ms);
        return false;
    }

    QTemporaryDir dir;
    std::optional<DosBox> dosbox;
    QString standin;
    TestState s;
    Messages messages;
    DesktopPrograms programs;
    qint64 started = 0;
    QByteArray tmpdir = qgetenv("TMPDIR"), runtime = qgetenv("XDG_RUNTIME_DIR");
    QStringList planted;
};

// Planted folders neither hang the start nor lose or change anything.
TEST_F(DosPrograms, SaveDataDrivesTheDosProgramWhichWritesThe3dFileBesideTheInput) {
    const QStringList before = Plant();
    QElapsedTimer timer;
    timer.start();
    const bool saved = SaveSixTestsFile(s, false, messages, programs);
    started = programs.Started().pid;
    const QString log = Read(SixTestsFolder() + "/STANDIN.LOG");
    ASSERT_TRUE(saved) << programs.LastError().toStdString() << "\n" << log.toStdString();
    EXPECT_TRUE(messages.shown.isEmpty());
    // dosbox ends with the program.
    EXPECT_TRUE(Ended(started, 15000));
    std::printf("[ measured ] start, keys and end of dosbox: %lld ms\n",
                static_cast<long long>(timer.elapsed()));

    // Every key arrived in order: the typed paths are the drive dosbox mounted
    // for the SixTests folder and the names in it.
    EXPECT_EQ(Read(SixTestsFolder() + "/STANDIN.LOG"),
              "open C:\\Test1.set\r\n3d C:\\test1.3d\r\nwritten C:\\test1.3d\r\n");
    // DOS wrote the name in capitals; it is found without regard to case.
    const QString file3d = Test3dFilePath(s);
    EXPECT_EQ(QFileInfo(file3d).fileName().toLower(), "test1.3d");
    const QString input = Read(SixTestsFolder() + "/Test1.set");
    ASSERT_TRUE(input.startsWith("Miroir (8) é Test Number 1\r\n"));
    EXPECT_EQ(Read(file3d), "3-D mirror from C:\\Test1.set\r\n" + input);
    EXPECT_EQ(Planted(), before);
}

// A user clicks into dosbox's window (alone on the display, at its corner) as the
// keys begin, which captures nothing with this program's settings, then
// captures the mouse with Ctrl+F10: dosbox holds the keyboard itself while the
// keys are typed, and they still go to it.
TEST_F(DosPrograms, AClickIntoDosboxDuringTheScriptStillEndsWithThe3dFile) {
    std::atomic<bool> heldByClick{true}, held{false};
    std::thread user([&] {
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(SixTestsFolder() + "/STANDIN.LOG") && timer.elapsed() < 20000)
            QThread::msleep(5);
        QThread::msleep(300);
        Display* d = XOpenDisplay(nullptr);
        XTestFakeMotionEvent(d, -1, 100, 100, 0);
        XSync(d, False);
        QThread::msleep(100);  // as a hand would: first there, then the click
        XTestFakeButtonEvent(d, 1, True, 0);
        XTestFakeButtonEvent(d, 1, False, 0);
        XSync(d, False);
        QThread::msleep(200);
        heldByClick = KeyboardHeld();
        // Ctrl+F10 between two keys of the script, never inside one.
        const KeyCode ctrl = XKeysymToKeycode(d, XK_Control_L), f10 = XKeysymToKeycode(d, XK_F10);
        XGrabServer(d);
        for (const auto& [key, down] :
             {std::pair{ctrl, True}, {f10, True}, {f10, False}, {ctrl, False}})
            XTestFakeKeyEvent(d, key, down, 0);
        XUngrabServer(d);
        XCloseDisplay(d);
        for (timer.restart(); !held && timer.elapsed() < 1000; QThread::msleep(5))
            held = KeyboardHeld();
    });
    const bool saved = SaveSixTestsFile(s, false, messages, programs);
    started = programs.Started().pid;
    user.join();
    EXPECT_FALSE(heldByClick) << "the click captured the mouse";
    EXPECT_TRUE(held) << "Ctrl+F10 did not make dosbox capture the mouse";
    EXPECT_TRUE(saved) << programs.LastError().toStdString();
    EXPECT_TRUE(QFile::exists(Test3dFilePath(s)));
}

// The stand-in really opens what it is typed: a path that names nothing ends it
// with its message, and the keys after that find no program to take them.
TEST_F(DosPrograms, AnInputPathTheProgramCannotOpenWritesNothing) {
    const QString folder = SixTestsFolder();
    QDir().mkpath(folder);
    ASSERT_TRUE(CopyFileWhole(standin, folder + "/sixtests.exe"));
    ASSERT_TRUE(programs.Shell(folder + "/sixtests.exe", folder,
                               {folder + "/Missing.set", folder + "/out.3d"}))
        << programs.LastError().toStdString();
    started = programs.Started().pid;
    bool sent = true;
    for (const ScriptStep& step : SixTestsScript(programs.TypedPath(folder + "/Missing.set"),
                                                 programs.TypedPath(folder + "/out.3d"))) {
        if (step.pauseMs > 0)
            programs.Pause(step.pauseMs);
        else if (!(sent = programs.SendKeys(step.keys, step.wait)))
            break;
    }
    EXPECT_FALSE(sent);
    EXPECT_TRUE(Ended(started, 15000));
    EXPECT_EQ(Read(folder + "/STANDIN.LOG"),
              "open C:\\Missing.set\r\ncannot open C:\\Missing.set\r\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{"sixtests.exe", "STANDIN.LOG"}));
}

}  // namespace
