// The keystroke script and the starts of the outside programs on a private X
// display, with stand-ins built with the tests in place of figure45.exe,
// sixtests.exe and 3vivuvuz.exe.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <array>
#include <atomic>
#include <functional>
#include <iostream>
#include <random>
#include <thread>

#include "PrivateDisplay.h"
#include "output/SaveData.h"
#include "output/SixTestsFile.h"
#include "platform/Events.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramStart.h"
#include "platform/TextFile.h"

// Xlib's macros clash with Qt's and gtest's names: its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/record.h>

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

// Another program's two windows, one marked as a program's (_NET_WM_PID) and
// one not. Once told to, it takes the focus every few milliseconds for a moment
// and gives it back to the window that had it, or it holds the keyboard with a
// grab on its first window, without the focus, for a while, from a given time
// or right after a given number of key presses, which it sees through the X
// server's record of them. Counts the key presses its windows get.
class FocusThief {
  public:
    FocusThief() {
        previous_ = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    ~FocusThief() { quit_ = true, thread_.join(), XSetErrorHandler(previous_); }
    void StealAfter(int ms) { hold_ = 0, afterKeys_ = -1, next_ = Now() + ms; }
    void GrabAfterKeys(int keys, int holdMs) {
        hold_ = holdMs, next_ = -1, afterKeys_ = pressed_ + keys;
    }
    // Stops the stealing or the grab; the keys taken since the last stop, counted
    // once the windows have read every event sent before; -1 when the server
    // keeps them waiting (someone left it held).
    int Stop() {
        next_ = -1, afterKeys_ = -1;
        const int asked = ++asked_;
        QElapsedTimer waited;
        waited.start();
        while (answered_ < asked && !quit_ && waited.elapsed() < 5000) QThread::msleep(1);
        return answered_ >= asked ? keys_.exchange(0) : -1;
    }

  private:
    static qint64 Now() { return QDateTime::currentMSecsSinceEpoch(); }
    void Run() {
        Display* d = XOpenDisplay(nullptr);
        if (!d) return void(quit_ = true);
        Window windows[2];
        for (int i = 0; i < 2; ++i) {
            windows[i] = XCreateSimpleWindow(d, DefaultRootWindow(d), 500, 100 + 250 * i, 300, 200,
                                             0, 0, 0xffffff);
            XSelectInput(d, windows[i], KeyPressMask);
            XMapWindow(d, windows[i]);
        }
        const long pid = getpid();
        XChangeProperty(d, windows[0], XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
        std::minstd_rand random(static_cast<unsigned>(Now()));
        XRecordRange* range = XRecordAllocRange();
        range->device_events.first = range->device_events.last = KeyPress;
        XRecordClientSpec all = XRecordAllClients;
        const XRecordContext context = XRecordCreateContext(d, 0, &all, 1, &range, 1);
        XFree(range);
        XSync(d, False);
        Display* recorded = XOpenDisplay(nullptr);
        XRecordEnableContextAsync(
            recorded, context,
            [](XPointer pressed, XRecordInterceptData* data) {
                if (data->category == XRecordFromServer)
                    ++*reinterpret_cast<std::atomic<int>*>(pressed);
                XRecordFreeData(data);
            },
            reinterpret_cast<XPointer>(&pressed_));
        bool grabbed = false;
        while (!quit_) {
            XRecordProcessReplies(recorded);
            if (afterKeys_ >= 0 && pressed_ >= afterKeys_) afterKeys_ = -1, next_ = Now();
            const int asked = asked_;
            qint64 next = next_;
            const qint64 now = Now();
            if (hold_ > 0) {
                const bool hold = next >= 0 && now >= next && now < next + hold_;
                if (hold && !grabbed)
                    grabbed = XGrabKeyboard(d, windows[0], False, GrabModeAsync, GrabModeAsync,
                                            CurrentTime) == GrabSuccess;
                if (!hold && grabbed) XUngrabKeyboard(d, CurrentTime), grabbed = false;
            } else if (next >= 0 && now >= next) {
                Window back = 0;
                int revert = 0;
                XGetInputFocus(d, &back, &revert);
                XSetInputFocus(d, windows[random() % 2], RevertToParent, CurrentTime);
                XFlush(d);
                std::this_thread::sleep_for(std::chrono::microseconds(100 + random() % 400));
                XSetInputFocus(d, back, revert, CurrentTime);
                next_.compare_exchange_strong(next, now + 1 + random() % 4);
            }
            if (asked != answered_) XSync(d, False);
            for (XEvent event; XPending(d);)
                if (XNextEvent(d, &event), event.type == KeyPress) ++keys_;
            answered_ = asked;
            QThread::msleep(1);
        }
        XRecordDisableContext(d, context);
        XSync(d, False);
        XCloseDisplay(recorded);
        XCloseDisplay(d);
    }
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
    std::atomic<bool> quit_{false};
    std::atomic<int> keys_{0}, asked_{0}, answered_{0}, hold_{0}, pressed_{0}, afterKeys_{-1};
    std::atomic<qint64> next_{-1};
    std::thread thread_{[this] { Run(); }};  // last: the members it uses come first
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

    // Types a path in two sends into viewer stand-ins, once undisturbed, then in
    // up to `runs` runs while `disturb` sets the thief off at a moment drawn from a
    // span a third longer than the undisturbed script, so that it strikes during
    // most runs and after some. The thief never gets a key, and each run either
    // ends in the viewer with every key or fails naming `reason` (the Enter then
    // never comes); both happen. The viewers are started with the `asked` files
    // (see the stand-in). Returns the number of whole runs.
    int TypeWhileDisturbed(int runs, std::chrono::milliseconds wait, const std::string& reason,
                           const std::function<void(FocusThief&, int, int, std::mt19937&)>& disturb,
                           const QStringList& asked = {}) {
        const QString first = "/Miroir +^%~", second = "(){} \"q\" 'a' é/test5.3d";
        FocusThief thief;
        const unsigned seed = std::random_device()();
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        auto run = [&](int number, int at) {
            const QString folder = Folder(QStringLiteral("run%1").arg(number));
            Install(STANDIN_SIXTESTS, folder, "3vivuvuz.exe");
            for (const QString& file : asked) WriteFileWhole(folder + "/" + file, "");
            KeyboardWatch watch;
            qint64 pid = 0;
            QString error;
            EXPECT_TRUE(StartProgram(folder + "/3vivuvuz.exe", folder, &pid, &error));
            WaitFor(folder + "/3vivuvuz.exe.pid");  // written just before its window shows
            for (const QString& file : asked) EXPECT_TRUE(WaitFor(folder + "/" + file + ".done"));
            QElapsedTimer timer;
            timer.start();
            if (at >= 0) disturb(thief, number, at, random);
            const bool done =
                SendKeysToProcess(pid, {Keys::Text(first)}, true, wait, watch, &error) &&
                SendKeysToProcess(pid, {Keys::Text(second), Keys::Enter()}, true, wait, watch,
                                  &error);
            const qint64 ms = timer.elapsed();
            EXPECT_EQ(thief.Stop(), 0) << "keys went to the other program's windows";
            if (done) WaitFor(folder + "/viewed.txt", 3000);
            EXPECT_EQ(Read(folder + "/viewed.txt").toStdString(),
                      done ? (first + second).toStdString() : "");
            if (!done) {
                EXPECT_THAT(error.toStdString(), ::testing::HasSubstr(reason));
            }
            kill(static_cast<pid_t>(pid), SIGTERM);  // reaped with the others in TearDown
            return done ? ms : -1;
        };
        const qint64 calm = run(0, -1);
        EXPECT_GT(calm, 0);
        if (calm <= 0) return 0;
        int whole = 0, failed = 0;
        QElapsedTimer budget;
        budget.start();
        for (int number = 1; number <= runs && budget.elapsed() < 60000; ++number)
            (run(number, static_cast<int>(random() % (calm * 4 / 3))) >= 0 ? whole : failed)++;
        std::cout << whole << " runs whole, " << failed << " failed; undisturbed " << calm
                  << " ms\n";
        EXPECT_GT(whole, 0);
        EXPECT_GT(failed, 0);
        return whole;
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
    KeyboardWatch watch;
    qint64 pid = 0;
    ASSERT_TRUE(StartProgram(witness + "/3vivuvuz.exe", witness, &pid));
    // The witness holds the focus before the save starts.
    ASSERT_TRUE(SendKeysToProcess(pid, {Keys::Text("w")}, true, std::chrono::seconds(15), watch));
    Install(STANDIN_RECORDER, s.Sixtestspath, "sixtests.exe");
    pidFolders << SixTestsFolder();
    s.SaveSixtests = s.LaunchSixtests = true;

    EXPECT_FALSE(SaveSixTestsFile(s, false, host, host.programs));

    EXPECT_EQ(host.messages, QStringList{"SHIT SHIT SHIT: Problem Saving Sixtests File as:\r\n" +
                                         s.textpath + "/" + s.WorkFile + "/SixTests/test5.set"});
    EXPECT_TRUE(s.SaveFailed);
    EXPECT_TRUE(QFile::exists(SixTestsFolder() + "/started.txt"));
    // The witness took nothing but its own "w".
    ASSERT_TRUE(SendKeysToProcess(pid, {Keys::Enter()}, true, std::chrono::seconds(5), watch));
    ASSERT_TRUE(WaitFor(witness + "/viewed.txt"));
    EXPECT_EQ(Read(witness + "/viewed.txt"), "w");
}

TEST_F(OutsidePrograms, AProgramThatLivesWithoutAWindowFailsAfterTheWait) {
    const QString script = Folder("quiet") + "/quiet";
    ASSERT_TRUE(WriteFileWhole(script, "#!/bin/sh\necho $$ > quiet.pid\nexec sleep 30\n"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    pidFolders << Folder("quiet");
    KeyboardWatch watch;
    qint64 pid = 0;
    ASSERT_TRUE(StartProgram(script, Folder("quiet"), &pid));
    QElapsedTimer timer;
    timer.start();
    QString error;
    EXPECT_FALSE(SendKeysToProcess(pid, {Keys::Enter()}, true, std::chrono::milliseconds(800),
                                   watch, &error));
    EXPECT_GE(timer.elapsed(), 700);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_FALSE(error.isEmpty());
}

// A path typed in two sends while the thief takes the focus for a moment every
// few milliseconds and gives it back: a key whose focus check and press are not
// one step for the server lands in the thief's window now and then.
TEST_F(OutsidePrograms, KeysNeverReachAWindowThatTakesTheFocusDuringTheScript) {
    TypeWhileDisturbed(40, std::chrono::seconds(5), "focus",
                       [](FocusThief& thief, int, int at, std::mt19937&) { thief.StealAfter(at); });
}

// The same while the viewer keeps a tooltip of its own on top and the thief
// grabs the keyboard, without the focus, as the typing starts or right after
// the third or the twentieth key press, for a moment (odd runs: the keys wait
// and go on) or for longer than the keys wait (they stop, naming the keyboard).
TEST_F(OutsidePrograms, KeysNeverReachAProgramThatHoldsTheKeyboard) {
    const int whole = TypeWhileDisturbed(
        6, std::chrono::milliseconds(1500), "another program holds the keyboard",
        [](FocusThief& thief, int run, int, std::mt19937&) {
            thief.GrabAfterKeys(std::array{0, 3, 20}[(run - 1) / 2], run % 2 ? 300 : 2500);
        },
        {"popup"});
    EXPECT_EQ(whole, 3);
}

// The started program's own grab on its own window lets every key through.
TEST_F(OutsidePrograms, TheProgramsOwnGrabLetsTheWholeScriptThrough) {
    const QString folder = Folder("grabbing");
    Install(STANDIN_SIXTESTS, folder, "3vivuvuz.exe");
    ASSERT_TRUE(WriteFileWhole(folder + "/grab", ""));
    KeyboardWatch watch;  // from before the start, as the program starts do
    qint64 pid = 0;
    ASSERT_TRUE(StartProgram(folder + "/3vivuvuz.exe", folder, &pid));
    ASSERT_TRUE(WaitFor(folder + "/grab.done"));
    ASSERT_TRUE(KeyboardHeld());
    QString error;
    EXPECT_TRUE(SendKeysToProcess(pid, {Keys::Text("abc"), Keys::Enter()}, true,
                                  std::chrono::milliseconds(1500), watch, &error))
        << error.toStdString();
    ASSERT_TRUE(WaitFor(folder + "/viewed.txt", 3000));
    EXPECT_EQ(Read(folder + "/viewed.txt"), "abc");
}

}  // namespace

bool KeyboardHeld() {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return false;
    const Window hidden = XCreateWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, CopyFromParent,
                                        InputOnly, CopyFromParent, 0, nullptr);
    const bool held = XGrabKeyboard(d, hidden, False, GrabModeAsync, GrabModeAsync, CurrentTime) ==
                      AlreadyGrabbed;
    XCloseDisplay(d);
    return held;
}
