#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FakePrograms.h"
#include "output/SixTestsFile.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace {

struct Messages : MessageSink {
    QStringList shown;
    MsgResult answer = MsgResult::OK;
    MsgResult ShowMessage(const QString& text, MsgButtons, MsgIcon, const QString& title) override {
        shown << title + ": " + text;
        return answer;
    }
};

struct SixTests : ::testing::Test {
    QTemporaryDir dir;
    TestState s;
    Messages messages;
    FakePrograms programs;
    void SetUp() override {
        SetAppPath(dir.path());
        s.textpath = dir.path() + "/Results", s.WorkFile = "Ten Inch", s.WorkNum = 4;
        s.NZ = 2, s.MirDiam = 254, s.Obst = 50.8, s.Roc = 2540, s.CC = -1, s.Metric = true;
        s.TestStdDev = 0.0123;
        s.ZoneRadius[1] = 0.3, s.ZoneRadius[2] = 0.7;
        s.ZoneResults[0] = {0, 0, 1.27};
        s.Sixtestspath = dir.path() + "/sixtests";
        QDir().mkpath(s.Sixtestspath);
        WriteTextLines(s.Sixtestspath + "/sixtests.exe", {"#!/bin/sh"});
    }
    QString Folder() const { return s.textpath + "/Ten Inch/SixTests"; }
    QString Error() const {
        return "SHIT SHIT SHIT: Problem Saving Sixtests File as:\r\n" + s.textpath +
               "/Ten Inch/SixTests/test4.set";
    }
};

TEST_F(SixTests, MillimetresLineByLine) {
    EXPECT_TRUE(SaveSixTestsFile(s, false, messages, programs));
    QStringList lines;
    ASSERT_TRUE(ReadTextLines(Folder() + "/Test4.set", lines));
    EXPECT_EQ(
        lines,
        (QStringList{"Ten Inch Test Number 4", "254   50.8   Mirror, obstruction diameters (mm)",
                     "Foucault", "0.0     Source distance (0=moving source)", "y, MM   X, mm",
                     "38.1 0", "88.9 1.27", "*", "-1 2540    Conic targets:  b, R (mm)",
                     "0.0123 Measurement std deviation, mm", "2540 Longitudinal reading bias, mm",
                     ""}));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(programs.log.isEmpty());
}

TEST_F(SixTests, InchesAreWrittenAsMillimetresOnCopiesOfTheValues) {
    s.Metric = false, s.MirDiam = 10, s.Obst = 2, s.Roc = 100, s.TestStdDev = 0.05;
    s.ZoneResults[0][2] = 0.01;
    const TestState before = s;
    const QStringList lines = SixTestsLines(s, true);
    EXPECT_EQ(lines[1], "254   50.8   Mirror, obstruction diameters (mm)");
    EXPECT_EQ(lines[3], "2540     Source distance (0=moving source)");
    EXPECT_EQ(lines[6], "88.9 0.254");
    EXPECT_EQ(lines[9], "0.05 Measurement std deviation, mm");  // held in mm already
    EXPECT_TRUE(SaveSixTestsFile(s, true, messages, programs));
    EXPECT_EQ(s.MirDiam, 10);
    EXPECT_EQ(s.Obst, 2);
    EXPECT_EQ(s.Roc, 100);
    EXPECT_EQ(s.ZoneResults, before.ZoneResults);
}

// The whole file, byte for byte, for an inch test of three sets with a fixed source.
TEST_F(SixTests, InchTestOfThreeSetsWithAFixedSourceWholeFile) {
    s.Metric = false, s.MirDiam = 10, s.Obst = 2, s.Roc = 100, s.Reps = 2;
    s.ZoneResults[0] = {0, 0.01, 0.1}, s.ZoneResults[1] = {0, 0.02, 0.2};
    s.ZoneResults[2] = {0, 0.04, 0.3}, s.ZoneResults[3] = {0, 9, 9};  // set 3 beyond Reps
    ASSERT_TRUE(SaveSixTestsFile(s, true, messages, programs));
    QFile file(Folder() + "/Test4.set");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              "Ten Inch Test Number 4\r\n"
              "254   50.8   Mirror, obstruction diameters (mm)\r\n"
              "Foucault\r\n"
              "2540     Source distance (0=moving source)\r\n"
              "y, MM   X, mm\r\n"
              "38.1 0.593\r\n"
              "88.9 5.08\r\n"
              "*\r\n"
              "-1 2540    Conic targets:  b, R (mm)\r\n"
              "0.0123 Measurement std deviation, mm\r\n"
              "2540 Longitudinal reading bias, mm\r\n"
              "\r\n");
    EXPECT_EQ(s.MirDiam, 10);
    EXPECT_EQ(s.ZoneResults[2][1], 0.04);
}

TEST_F(SixTests, MeanOfTheSetsRoundedToThreePlaces) {
    s.Reps = 2, s.ZoneResults[0][1] = 1, s.ZoneResults[1][1] = 2, s.ZoneResults[2][1] = 4;
    s.ZoneResults[3][1] = 100;                 // beyond Reps: not counted
    s.MirDiam = 100.5, s.ZoneRadius[1] = 0.5;  // 25.125 to one place, halves to even
    s.CC = -1.0005, s.Roc = 2540.0625;
    const QStringList lines = SixTestsLines(s, false);
    EXPECT_EQ(lines[5], "25.1 2.333");
    EXPECT_EQ(lines[8], "-1 2540.062    Conic targets:  b, R (mm)");
    EXPECT_EQ(lines[10], "2540.1 Longitudinal reading bias, mm");
}

TEST_F(SixTests, TheProgramIsCopiedOnceStartedInItsFolderAndDrivenByTheScript) {
    s.LaunchSixtests = true;
    EXPECT_TRUE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_TRUE(QFile::exists(Folder() + "/sixtests.exe"));
    const QString p = s.textpath + "/Ten Inch";
    EXPECT_EQ(
        programs.log,
        (QStringList{"start " + Folder() + "/sixtests.exe in " + Folder() + " for " + Folder() +
                         "/Test4.set, " + Folder() + "/test4.3d",
                     "pause 200", "keys %fo wait", "keys " + p + "/SixTests/Test4.set{enter} wait",
                     "keys {enter}", "pause 100", "keys %ff wait", "pause 100",
                     "keys " + p + "/SixTests/test4.3d{enter} wait"}));
    EXPECT_TRUE(messages.shown.isEmpty());
    // The copy is kept: a later save copies nothing.
    WriteTextLines(Folder() + "/sixtests.exe", {"#!/bin/sh", "# the user's own"});
    EXPECT_TRUE(SaveSixTestsFile(s, false, messages, programs));
    QStringList kept;
    ReadTextLines(Folder() + "/sixtests.exe", kept);
    EXPECT_EQ(kept.size(), 2);
}

TEST_F(SixTests, EmptySixtestspath) {
    s.Sixtestspath.clear();
    EXPECT_TRUE(SaveSixTestsFile(s, false, messages, programs));  // launch off: no message
    EXPECT_TRUE(QFile::exists(Folder() + "/Test4.set"));
    EXPECT_FALSE(QFile::exists(Folder() + "/sixtests.exe"));
    EXPECT_TRUE(messages.shown.isEmpty());

    s.LaunchSixtests = s.Launch3d = true;
    s.Metric = false;
    EXPECT_FALSE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_EQ(messages.shown, QStringList{Error()});  // no viewer question after it
    EXPECT_TRUE(s.SaveFailed);
    EXPECT_EQ(s.MirDiam, 254);
}

TEST_F(SixTests, KeysThatCannotBeDeliveredStopTheScript) {
    s.LaunchSixtests = s.Launch3d = true;
    programs.keysFailAt = 1;
    EXPECT_FALSE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_EQ(programs.log.size(), 4);  // start, pause, "%fo", the input path: nothing after
    EXPECT_EQ(messages.shown, QStringList{Error()});
    EXPECT_TRUE(s.SaveFailed);
}

TEST_F(SixTests, TheViewerQuestionComesWithoutSixTests) {
    s.Launch3d = true;
    WriteTextLines(dir.path() + "/3vivuvuz.exe", {"#!/bin/sh"});
    EXPECT_TRUE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_EQ(messages.shown, QStringList{"Launch 3D Mirror?: Press OK to Launch 3d Mirror!"});
    EXPECT_EQ(programs.log, (QStringList{"start " + dir.path() + "/3vivuvuz.exe in " + dir.path() +
                                             " for " + Folder() + "/test4.3d",
                                         "keys " + Folder() + "/test4.3d{enter} wait"}));
    messages.answer = MsgResult::Cancel;
    programs.log.clear();
    EXPECT_TRUE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_TRUE(programs.log.isEmpty());
    // No viewer in the program folder: the writer's failure.
    messages.answer = MsgResult::OK;
    QFile::remove(dir.path() + "/3vivuvuz.exe");
    EXPECT_FALSE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_EQ(messages.shown.last(), Error());
}

// Each program is typed the paths as it names them: a DOS program under dosbox
// sees the folders holding the files as drives, a Windows program under wine
// the root as Z:.
TEST_F(SixTests, PathsAreTypedAsTheStartedProgramNamesThem) {
    s.LaunchSixtests = s.Launch3d = true;
    WriteTextLines(dir.path() + "/3vivuvuz.exe", {"#!/bin/sh"});
    programs.kind = ProgramKind::Dos;
    EXPECT_TRUE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_EQ(programs.log.filter("keys "),
              (QStringList{"keys %fo wait", "keys C:\\Test4.set{enter} wait", "keys {enter}",
                           "keys %ff wait", "keys C:\\test4.3d{enter} wait",
                           "keys D:\\test4.3d{enter} wait"}));

    programs.kind = ProgramKind::Windows;
    programs.log.clear();
    EXPECT_TRUE(SaveSixTestsFile(s, false, messages, programs));
    const QString z = "Z:" + QString(Folder()).replace('/', '\\');
    EXPECT_EQ(programs.log.filter("keys "),
              (QStringList{"keys %fo wait", "keys " + z + "\\Test4.set{enter} wait", "keys {enter}",
                           "keys %ff wait", "keys " + z + "\\test4.3d{enter} wait",
                           "keys " + z + "\\test4.3d{enter} wait"}));
}

// A DOS program writes the names it is typed in capitals: the viewer is given
// the file that is there.
TEST_F(SixTests, TheViewerIsGivenThe3dFileUnderTheNameItWasWritten) {
    s.Launch3d = true;
    WriteTextLines(dir.path() + "/3vivuvuz.exe", {"#!/bin/sh"});
    QDir().mkpath(Folder());
    WriteTextLines(Folder() + "/TEST4.3D", {"3-D"});
    EXPECT_TRUE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_EQ(programs.log.last(), "keys " + Folder() + "/TEST4.3D{enter} wait");
}

// Test number 123456 makes names longer than DOS takes: the user is told which,
// nothing is started or typed, and the save fails.
TEST_F(SixTests, ADosProgramThatCannotOpenTheFilesIsNotStarted) {
    s.LaunchSixtests = s.Launch3d = true;
    s.WorkNum = 123456;
    programs.kind = ProgramKind::Dos;
    EXPECT_FALSE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_EQ(programs.log,
              QStringList{"start " + Folder() + "/sixtests.exe in " + Folder() + " for " +
                          Folder() + "/Test123456.set, " + Folder() + "/test123456.3d"});
    EXPECT_EQ(messages.shown,
              (QStringList{"Drelmont: The DOS program can't open " + Folder() +
                               "/Test123456.set: \"Test123456.set\" is longer than a DOS name (8 "
                               "characters, a dot and 3) or holds characters DOS can't take.",
                           "SHIT SHIT SHIT: Problem Saving Sixtests File as:\r\n" + s.textpath +
                               "/Ten Inch/SixTests/test123456.set"}));
    EXPECT_TRUE(s.SaveFailed);
    EXPECT_TRUE(QFile::exists(Folder() + "/Test123456.set"));  // the file itself is written
    // Any other failure to start shows the writer's message alone.
    programs.kind = ProgramKind::Native;
    programs.startFails = true;
    messages.shown.clear();
    EXPECT_FALSE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_EQ(messages.shown.size(), 1);
}

TEST_F(SixTests, AFileThatCannotBeWrittenIsTheWritersFailure) {
    QDir().mkpath(s.textpath + "/Ten Inch");
    WriteTextLines(Folder(), {"a file where the folder should be"});
    s.LaunchSixtests = true;
    EXPECT_FALSE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_EQ(messages.shown, QStringList{Error()});
    EXPECT_TRUE(programs.log.isEmpty());
    s.WorkFile = "../escape";  // never outside the result tree
    EXPECT_FALSE(SaveSixTestsFile(s, false, messages, programs));
    EXPECT_FALSE(QFile::exists(dir.path() + "/escape"));
}

}  // namespace
