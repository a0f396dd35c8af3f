#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

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

struct ProgramStart : ::testing::Test {
    QTemporaryDir dir;
    QByteArray path = qgetenv("PATH");
    void TearDown() override { qputenv("PATH", path); }
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
    EXPECT_EQ(KindOfProgram(Make(dir.filePath("b.exe"), MzProgram("NE"))), ProgramKind::Dos);
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
    const QString dos = Make(dir.filePath("figure45.exe"), MzProgram("NE"));
    const QString work = dir.filePath("work");
    QDir().mkpath(work);

    qputenv("PATH", "/nonexistent");
    QString error;
    EXPECT_FALSE(StartProgram(windows, work, nullptr, &error));
    EXPECT_TRUE(error.contains("wine is not installed")) << error.toStdString();
    EXPECT_FALSE(StartProgram(dos, work, nullptr, &error));
    EXPECT_TRUE(error.contains("dosbox is not installed")) << error.toStdString();

    qputenv("PATH", tools.toUtf8());
    ASSERT_TRUE(StartProgram(windows, work, nullptr));
    QStringList lines = WaitForLines(work + "/started.txt");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "program " + tools + "/wine");
    EXPECT_EQ(lines[1], "folder " + work);
    EXPECT_EQ(lines[3], "argument " + windows);
    QFile::remove(work + "/started.txt");
    ASSERT_TRUE(StartProgram(dos, work, nullptr));
    lines = WaitForLines(work + "/started.txt");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "program " + tools + "/dosbox");
    EXPECT_EQ(lines[3], "argument " + dos);
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
