#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <ctime>

#include "common/FullDisk.h"
#include "platform/ProgramStart.h"
#include "platform/TextFile.h"

namespace {

// Writes a file of the given bytes; executable when asked.
QString Make(const QString& path, const QByteArray& bytes, bool executable = false) {
    WriteFileWhole(path, bytes);
    if (executable)
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// An "MZ" header whose new-header offset at 0x3c points at `signature`.
QByteArray MzProgram(const QByteArray& signature) {
    QByteArray bytes(0x80, '\0');
    bytes[0] = 'M', bytes[1] = 'Z', bytes[0x3c] = 0x40;
    bytes.replace(0x40, signature.size(), signature);
    return bytes;
}

QStringList WaitForLines(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    QStringList lines;
    while (timer.elapsed() < 10000 && (!ReadTextLines(path, lines) || lines.isEmpty()))
        QThread::msleep(20);
    return lines;
}

// Waits (up to five seconds) until the process is gone.
void WaitUntilEnded(qint64 pid) {
    QElapsedTimer timer;
    timer.start();
    while (QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)) && timer.elapsed() < 5000)
        QThread::msleep(10);
}

struct ProgramStart : ::testing::Test {
    QTemporaryDir dir;
    QByteArray path = qgetenv("PATH"), runtime = qgetenv("XDG_RUNTIME_DIR");
    void TearDown() override {
        qputenv("PATH", path);
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
    // dosbox's links are kept in <runtime folder>/drelmont: the runtime folder is the test's.
    QString OwnFolder() {
        const QString run = dir.filePath("run");
        ::mkdir(QFile::encodeName(run), 0700);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(run));
        return run + "/drelmont";
    }
    // A program named like an outside program, recording how it was started.
    QString Recorder(const QString& folder, const QString& name) {
        QDir().mkpath(folder);
        EXPECT_TRUE(CopyFileWhole(STANDIN_RECORDER, folder + "/" + name));
        return folder + "/" + name;
    }
};

TEST_F(ProgramStart, TheKindComesFromTheFilesHeaderNotItsName) {
    EXPECT_EQ(KindOfProgram(Recorder(dir.path(), "figure45.exe")), ProgramKind::Native);
    EXPECT_EQ(KindOfProgram(Make(dir.filePath("run.exe"), "#!/bin/sh\n")), ProgramKind::Native);
    EXPECT_EQ(KindOfProgram(Make(dir.filePath("a"), MzProgram(QByteArray("PE\0\0", 4)))),
              ProgramKind::Windows);
    EXPECT_EQ(KindOfProgram(Make(dir.filePath("b.exe"), MzProgram("NE"))), ProgramKind::Windows);
    EXPECT_EQ(KindOfProgram(Make(dir.filePath("c.exe"), "MZ")), ProgramKind::Dos);
    QByteArray beyond = MzProgram("PE");
    beyond[0x3c] = 0x7f, beyond[0x3d] = 0x7f;  // the offset lies past the file's end
    EXPECT_EQ(KindOfProgram(Make(dir.filePath("d.exe"), beyond)), ProgramKind::Dos);
    EXPECT_EQ(KindOfProgram(Make(dir.filePath("e.exe"), "text, not a program")),
              ProgramKind::Unknown);
    EXPECT_EQ(KindOfProgram(Make(dir.filePath("f.exe"), "")), ProgramKind::Unknown);
    EXPECT_EQ(KindOfProgram(dir.filePath("missing.exe")), ProgramKind::Missing);
    EXPECT_EQ(KindOfProgram(dir.path()), ProgramKind::Missing);
}

TEST_F(ProgramStart, ANativeProgramStartsInItsFolderWithoutArguments) {
    const QString folder = dir.filePath("Résultats \"q\" +^%~(){} ü/Figure");
    const QString program = Recorder(folder, "figure45.exe");
    qint64 pid = 0;
    ASSERT_TRUE(StartProgram(program, folder, &pid));
    EXPECT_GT(pid, 0);
    const QStringList lines = WaitForLines(folder + "/started.txt");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "program " + program);
    EXPECT_EQ(lines[1], "folder " + folder);
    EXPECT_EQ(lines[2], "pid " + QString::number(pid));
}

TEST_F(ProgramStart, WindowsAndDosProgramsRunThroughWineAndDosbox) {
    // Stand-ins for wine and dosbox record the program they are given.
    const QString tools = dir.filePath("tools");
    Recorder(tools, "wine");
    Recorder(tools, "dosbox");
    const QString windows = Make(dir.filePath("sixtests.exe"), MzProgram(QByteArray("PE\0\0", 4)));
    const QString dos = Make(dir.filePath("figure45.exe"), MzProgram("LE"));
    const QString work = dir.filePath("work");
    QDir().mkpath(work);

    qputenv("PATH", "/nonexistent");
    QString error;
    EXPECT_FALSE(StartProgram(windows, work, nullptr, &error));
    EXPECT_TRUE(error.contains("wine is not installed")) << error.toStdString();
    EXPECT_FALSE(StartProgram(dos, work, nullptr, &error));
    EXPECT_TRUE(error.contains("dosbox is not installed")) << error.toStdString();

    qputenv("PATH", tools.toUtf8());
    const QString own = OwnFolder();
    ASSERT_TRUE(StartProgram(windows, work, nullptr));
    QStringList lines = WaitForLines(work + "/started.txt");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "program " + tools + "/wine");
    EXPECT_EQ(lines[1], "folder " + work);
    EXPECT_EQ(lines[3], "argument " + windows);
    QFile::remove(work + "/started.txt");
    // dosbox takes the user's settings with this program's layer over them,
    // mounts the working folder as C: and the program's folder as D:, each
    // through a link, makes C: current, runs the program and ends.
    StartedProgram started;
    ASSERT_TRUE(StartProgram(dos, work, {}, &started));
    lines = WaitForLines(work + "/started.txt");
    ASSERT_EQ(lines.size(), 3 + 13);
    EXPECT_EQ(lines[0], "program " + tools + "/dosbox");
    const QString links = lines[7].section(' ', 3).section('/', 0, -2);
    EXPECT_EQ(QFileInfo(links).path(), own);
    EXPECT_TRUE(QFileInfo(links).fileName().startsWith("dos-")) << links.toStdString();
    EXPECT_EQ(lines.mid(3),
              (QStringList{
                  "argument -userconf", "argument -conf", "argument " + own + "/dosbox-layer.conf",
                  "argument -c", "argument mount C " + links + "/c", "argument -c",
                  "argument mount D " + links + "/d", "argument -c", "argument C:", "argument -c",
                  "argument D:\\figure45.exe", "argument -c", "argument exit"}));
    EXPECT_EQ(WaitForLines(own + "/dosbox-layer.conf"), (QStringList{"[sdl]", "autolock=false"}));
    EXPECT_EQ(QFileInfo(links + "/c").symLinkTarget(), work);
    EXPECT_EQ(QFileInfo(links + "/d").symLinkTarget(), dir.path());
    EXPECT_EQ(started.readyTitle, "Program: FIGURE45");
    EXPECT_EQ(started.paths.Drives(), (QStringList{work, dir.path()}));

    // The next start removes the links of a dosbox that has ended, never what
    // they point to.
    WaitUntilEnded(started.pid);
    // So do those of a start cut short, with only the pid writer's temporary file
    // left, once they are a minute old.
    const QByteArray crashed = QFile::encodeName(own + "/dos-crashed");
    ::mkdir(crashed, 0700);
    Make(crashed + "/pid.Ab12Cd", "123");
    QFile::link(work, crashed + "/c");
    const timespec old[2] = {{time(nullptr) - 120, 0}, {time(nullptr) - 120, 0}};
    ::utimensat(AT_FDCWD, crashed, old, 0);
    ASSERT_TRUE(StartProgram(dos, work, nullptr));
    EXPECT_FALSE(QFileInfo::exists(links));
    EXPECT_FALSE(QFileInfo::exists(crashed));
    EXPECT_TRUE(QFileInfo::exists(work + "/started.txt"));
    EXPECT_TRUE(QFileInfo::exists(dos));
}

// What wine says on its error output before it ends (without its 32-bit part
// it can't run the program) is kept: its last eight lines.
TEST_F(ProgramStart, TheLastWordsOfAWineThatEndedAreKept) {
    QDir().mkpath(dir.filePath("tools"));
    Make(dir.filePath("tools/wine"),
         "#!/bin/sh\nfor i in 1 2 3 4 5 6 7; do echo \"line $i\" >&2; done\n"
         "printf 'it looks like wine32 is missing, you should install it.\\n\\n"
         "apt-get install wine32:i386' >&2\nexit 1\n",
         true);
    qputenv("PATH", QFile::encodeName(dir.filePath("tools")) + ":" + path);
    const QString own = OwnFolder();
    const QString windows = Make(dir.filePath("sixtests.exe"), MzProgram("NE"));
    StartedProgram started;
    ASSERT_TRUE(StartProgram(windows, dir.path(), {}, &started));
    EXPECT_EQ(QDir(own).entryList({"err-*"}, QDir::AllEntries | QDir::System), QStringList());
    WaitUntilEnded(started.pid);
    EXPECT_EQ(EndedProgramErrorOutput(started),
              "line 2\nline 3\nline 4\nline 5\nline 6\nline 7\nit looks like wine32 is "
              "missing, you should install it.\napt-get install wine32:i386");
}

// dosbox's links are made only in a folder of the user's own that no one else
// may enter, and only with their pid file written; else nothing is left running.
TEST_F(ProgramStart, ADosStartWhoseLinksAreNotSafeStartsNothing) {
    QDir().mkpath(dir.filePath("tools"));
    Make(dir.filePath("tools/dosbox"), "#!/bin/sh\nexec sleep 10\n", true);
    qputenv("PATH", QFile::encodeName(dir.filePath("tools")) + ":" + path);
    const QString dos = Make(dir.filePath("figure45.exe"), MzProgram("LE")), own = OwnFolder();
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const auto refused = [&](const char* what, const QString& text) {
        QString error;
        EXPECT_FALSE(StartProgram(dos, dir.path(), nullptr, &error)) << what;
        EXPECT_TRUE(error.contains(text)) << what << ": " << error.toStdString();
        QElapsedTimer timer;  // every started process has ended
        timer.start();
        int ended = 0;
        while ((ended = waitpid(-1, nullptr, WNOHANG)) >= 0 && timer.elapsed() < 5000)
            if (ended == 0) QThread::msleep(10);
        EXPECT_LT(ended, 0) << what << ": a process still runs";
    };
    const QString notOwn = own + " is not a folder of this user's own with no access for others";
    ::mkdir(QFile::encodeName(own), 0750);
    refused("open to the group", notOwn);
    ::chmod(QFile::encodeName(own), 0700);
    if (::getuid() == 0) {
        ::chown(QFile::encodeName(own), 65534, 65534);
        refused("another user's", notOwn);
        ::chown(QFile::encodeName(own), 0, 0);
    } else {
        std::printf("[ note     ] not root: no folder of another user can be made\n");
    }
    QDir(own).rename(own, own + ".moved");
    QFile::link(own + ".moved", own);
    refused("a link", notOwn);
    QFile::remove(own);
    {
        FullDisk full(0);
        refused("a pid file that can't be written", "/pid could not be written");
    }
    // A drive that can't be linked is refused with the system's reason.
    QString error;
    EXPECT_FALSE(
        StartProgram(dos, dir.path(), {"/" + QString(5000, 'x') + "/A.SET"}, nullptr, &error));
    EXPECT_TRUE(error.endsWith("could not be given to dosbox: File name too long"))
        << error.toStdString();
    EXPECT_TRUE(QDir(own).isEmpty(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot));
}

TEST(ProgramPaths, EachKindNamesATypedFileAsItSeesIt) {
    const QString folder = "/home/jo/Mirror tests/Ten Inch (f5) é/SixTests";
    const QStringList typed{folder + "/Test12.set", folder + "/test12.3d"};
    const QString program = folder + "/sixtests.exe";

    const ProgramPaths native(ProgramKind::Native, program, folder, typed);
    EXPECT_EQ(native.Typed(typed[0]), typed[0]);
    EXPECT_TRUE(native.Refusal().isEmpty());

    const ProgramPaths wine(ProgramKind::Windows, program, folder, typed);
    EXPECT_EQ(wine.Typed(typed[0]),
              "Z:\\home\\jo\\Mirror tests\\Ten Inch (f5) é\\SixTests\\Test12.set");
    EXPECT_EQ(wine.Typed("/a/b c/../x.set"), "Z:\\a\\x.set");
    EXPECT_TRUE(wine.Drives().isEmpty());

    // DOS: the folders above the drive never matter, however long their names.
    const ProgramPaths dos(ProgramKind::Dos, program, folder, typed);
    EXPECT_EQ(dos.Drives(), QStringList{folder});
    EXPECT_EQ(dos.Typed(typed[0]), "C:\\Test12.set");
    EXPECT_EQ(dos.Typed(typed[1]), "C:\\test12.3d");
    EXPECT_EQ(dos.Typed(program), "C:\\sixtests.exe");
    EXPECT_TRUE(dos.Refusal().isEmpty());

    // A viewer in another folder: its working folder C:, the file's folder D:;
    // the deepest drive holding a path names it.
    const ProgramPaths viewer(ProgramKind::Dos, "/opt/drelmont/3vivuvuz.exe", "/opt/drelmont",
                              {typed[1], "/opt/drelmont/sub/x.3d"});
    EXPECT_EQ(viewer.Drives(), (QStringList{"/opt/drelmont", folder, "/opt/drelmont/sub"}));
    EXPECT_EQ(viewer.Typed(typed[1]), "D:\\test12.3d");
    EXPECT_EQ(viewer.Typed("/opt/drelmont/sub/x.3d"), "E:\\x.3d");
    EXPECT_EQ(viewer.Typed("/opt/drelmont/Data/Z1.dat"), "C:\\Data\\Z1.dat");
    QString error;
    EXPECT_EQ(viewer.Typed("/opt/other/x.3d", &error), "");
    EXPECT_EQ(error,
              "The DOS program can't open /opt/other/x.3d: it lies outside the folders "
              "given to it.");
    EXPECT_EQ(viewer.Typed("/opt/drelmont/Long Name/x.3d", &error), "");
    EXPECT_EQ(error,
              "The DOS program can't open /opt/drelmont/Long Name/x.3d: \"Long Name\" is "
              "longer than a DOS name (8 characters, a dot and 3) or holds characters DOS "
              "can't take.");
}

TEST(ProgramPaths, ADosProgramIsRefusedAFileNameDosCannotHold) {
    for (const QString name : {"TESTFILE.SET", "a", "x.3d", "_!#$%&'(.)@^", "{`}~-.A1"})
        EXPECT_TRUE(IsDosName(name)) << name.toStdString();
    for (const QString name : {"Test123456.set", "test1.3dmf", "a b.set", "a+b.set", "a.b.c",
                               "é.set", ".set", "test.", "a;b", "a[1]", ""})
        EXPECT_FALSE(IsDosName(name)) << name.toStdString();

    const QString folder = "/r/Mirror/SixTests";
    const ProgramPaths dos(ProgramKind::Dos, folder + "/sixtests.exe", folder,
                           {folder + "/Test123456.set", folder + "/test123456.3d"});
    EXPECT_EQ(dos.Refusal(),
              "The DOS program can't open /r/Mirror/SixTests/Test123456.set: "
              "\"Test123456.set\" is longer than a DOS name (8 characters, a dot "
              "and 3) or holds characters DOS can't take.");
    // Neither the program nor anything else is started, even where dosbox is missing.
    QTemporaryDir dir;
    const QString program = Make(dir.filePath("sixtests.exe"), MzProgram("LE"));
    StartedProgram started;
    QString error;
    EXPECT_FALSE(
        StartProgram(program, dir.path(), {dir.filePath("Test123456.set")}, &started, &error));
    EXPECT_EQ(started.pid, 0);
    EXPECT_TRUE(error.contains("\"Test123456.set\" is longer than a DOS name"))
        << error.toStdString();
    EXPECT_EQ(error, started.paths.Refusal());
    // A Windows program takes the name.
    const QString windows = Make(dir.filePath("w.exe"), MzProgram(QByteArray("PE\0\0", 4)));
    EXPECT_TRUE(
        ProgramPaths(ProgramKind::Windows, windows, dir.path(), {dir.filePath("Test123456.set")})
            .Refusal()
            .isEmpty());
}

TEST_F(ProgramStart, WhatCannotRunIsNotStarted) {
    QString error;
    EXPECT_FALSE(StartProgram(dir.filePath("missing.exe"), dir.path(), nullptr, &error));
    EXPECT_FALSE(
        StartProgram(Make(dir.filePath("notes.exe"), "plain text"), dir.path(), nullptr, &error));
    // A script that may not be executed.
    EXPECT_FALSE(
        StartProgram(Make(dir.filePath("run.exe"), "#!/bin/sh\n"), dir.path(), nullptr, &error));
    // A working folder that does not exist.
    const QString program = Recorder(dir.filePath("bin"), "figure45.exe");
    EXPECT_FALSE(StartProgram(program, dir.filePath("nowhere"), nullptr, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(ProgramStart, ACopyIsWholeAndKeepsTheProgramExecutable) {
    const QString program = Recorder(dir.filePath("from"), "sixtests.exe");
    QDir().mkpath(dir.filePath("to"));
    ASSERT_TRUE(CopyFileWhole(program, dir.filePath("to/sixtests.exe")));
    EXPECT_TRUE(QFileInfo(dir.filePath("to/sixtests.exe")).isExecutable());
    EXPECT_FALSE(CopyFileWhole(dir.filePath("from/missing.exe"), dir.filePath("to/x.exe")));
    EXPECT_FALSE(CopyFileWhole(program, dir.filePath("no folder/sixtests.exe")));
    EXPECT_EQ(QDir(dir.filePath("to")).entryList(QDir::Files), QStringList{"sixtests.exe"});
}

}  // namespace
