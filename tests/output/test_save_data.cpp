#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FakePrograms.h"
#include "common/FullDisk.h"
#include "common/TestData.h"
#include "mirror/MirrorProfile.h"
#include "output/SaveData.h"
#include "output/TextResults.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace {

struct Recorder : SaveDataHost {
    QStringList messages;
    MsgResult answer = MsgResult::OK;
    bool fixed = false;
    FakePrograms programs;
    MsgResult ShowMessage(const QString& text, MsgButtons, MsgIcon, const QString& title) override {
        messages << title + ": " + text;
        return answer;
    }
    bool FixedSource() override { return fixed; }
    OutsidePrograms& Programs() override { return programs; }
};

struct SaveDataTest : ::testing::Test {
    QTemporaryDir dir;
    TestState s;
    Recorder host;
    void SetUp() override {
        SetAppPath(dir.path());
        s.textpath = dir.path() + "/TestResults", s.WorkFile = "Ten Inch", s.WorkNum = 5;
        s.MirDiam = 10, s.Roc = 100, s.CC = -1, s.Obst = 2, s.NZ = 2, s.Savetext = true;
        s.ZoneRadius[1] = 0.30619, s.ZoneRadius[2] = 0.60798;
        s.ZoneResults[0] = {0, 0, 0.0123}, s.ZoneResults[3][2] = -0.5;
    }
    QString Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "none";
    }
    QString TextFile(int n) {
        return Read(s.textpath + QString("/Ten Inch/TextData/test%1.txt").arg(n));
    }
};

TEST_F(SaveDataTest, TextFileLinesForOneAndFourSetsOfReadings) {
    EXPECT_EQ(TextResultLines(s, false),
              (QStringList{"Mirror Diameter = 10 ROC = 100 Conic Constant = -1 Units are in "
                           "Inches Moving Source Tester",
                           " Zone 1 radius = 1.531\t Reading = 0",
                           " Zone 2 radius = 3.0399\t Reading = 0.0123", ""}));
    s.Reps = 3, s.Metric = true;
    const QStringList lines = TextResultLines(s, true);
    EXPECT_TRUE(lines[0].endsWith("= -1 Units are in Millimeters Fixed Source Tester"));
    EXPECT_EQ(lines[2], " Zone 2 radius = 3.0399\t Readings = 0.0123 \t0 \t0 \t-0.5");
    for (int reps : {-1, 4}) {
        s.Reps = reps;
        EXPECT_EQ(TextResultLines(s, false).size(), 2);
    }
    s.Reps = 0, s.NZ = 40;  // never beyond the 16 zone slots
    EXPECT_EQ(TextResultLines(s, false).size(), 1 + 16 + 1);
}

TEST_F(SaveDataTest, TwoSavesInARowAdvanceTheNumberAndRewriteTheProfile) {
    EXPECT_TRUE(SaveData(s, host));
    EXPECT_TRUE(SaveData(s, host));
    EXPECT_TRUE(host.messages.isEmpty());
    EXPECT_EQ(s.WorkNum, 7);
    EXPECT_EQ(TextFile(5), TextFile(6));
    EXPECT_TRUE(TextFile(6).endsWith(" Reading = 0.0123\r\n\r\n"));
    // Written as "test6.txt", found again as "Test6.txt" by the zone table's reader.
    EXPECT_TRUE(QFile::exists(ResolvePath(s.textpath, "Ten Inch/TextData/Test6.txt")));
    EXPECT_EQ(Read(dir.path() + "/mirrors/Ten Inch.ini"),
              "Ten Inch\r\n10\r\n100\r\n-1\r\n2\r\n2\r\n7\r\n");
}

// The results are saved and the number advances, but a profile that keeps the
// old number would let the next test write over them: the user is told which
// file failed and why.
TEST_F(SaveDataTest, AProfileThatCantBeRewrittenIsReported) {
    ASSERT_TRUE(WriteFileWhole(dir.path() + "/mirrors", "a file where the folder should be"));
    EXPECT_TRUE(SaveData(s, host));
    EXPECT_EQ(s.WorkNum, 6);
    EXPECT_TRUE(TextFile(5).endsWith(" Reading = 0.0123\r\n\r\n"));
    EXPECT_EQ(
        host.messages,
        QStringList{"File Warning!: The mirror profile could not be saved as:\r\n" + dir.path() +
                    "/mirrors/Ten Inch.ini\r\nNot a directory\r\nIt still gives 5 as the "
                    "next test. Save the mirror again with \"Tests Ran "
                    "to Date\" 5 (Add or Edit Mirror Specifications) before the next test, "
                    "or its save will ask to replace these files."});
}

TEST_F(SaveDataTest, NothingChosenOrAFailingWriterKeepsTheNumber) {
    s.Savetext = false;
    EXPECT_FALSE(SaveData(s, host));
    EXPECT_EQ(host.messages, QStringList{"Not Configured!: Save Data Details not configured "
                                         "Properly\r\nGoto Test Options/Save Data Options to "
                                         "Setup Files Save Options"});
    s.Savetext = true;
    s.textpath = dir.path() + "/missing/TestResults";  // only the last level is ever made
    host.messages.clear();
    EXPECT_FALSE(SaveData(s, host));
    EXPECT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[0], "Save Text Problem: Problem saving Text File to " + s.textpath +
                                    "/Ten Inch/TextData/Test5.txt");
    EXPECT_TRUE(host.messages[1].startsWith("Not Configured!"));
    EXPECT_TRUE(s.SaveFailed);
    EXPECT_EQ(s.WorkNum, 5);
    EXPECT_FALSE(QFile::exists(dir.path() + "/mirrors"));
}

TEST_F(SaveDataTest, EmptyTextpathOrUnsafeNameWritesNothing) {
    s.textpath.clear();
    EXPECT_FALSE(SaveTextDataFile(s, false, host));
    EXPECT_EQ(host.messages.last(),
              "Save Text Problem: Problem saving Text File to /Ten Inch/TextData/Test5.txt");
    s.textpath = dir.path() + "/TestResults", s.WorkFile = "../escape";
    EXPECT_FALSE(SaveTextDataFile(s, false, host));
    EXPECT_FALSE(QFile::exists(dir.path() + "/escape"));
    EXPECT_FALSE(QFile::exists(s.textpath));
}

TEST_F(SaveDataTest, WritersRunInOrderAndSixTestsWaitsForFigure) {
    s.Savefigure = s.SaveSixtests = s.LaunchFigure = s.LaunchSixtests = true;
    s.FigurePath = dir.path();
    ASSERT_TRUE(WriteTextLines(dir.path() + "/figure45.exe", {"#!/bin/sh"}));
    ASSERT_TRUE(WriteTextLines(dir.path() + "/sixtests.exe", {"#!/bin/sh"}));
    s.Sixtestspath = dir.path();
    host.answer = MsgResult::Cancel;
    EXPECT_TRUE(SaveData(s, host));  // Cancel skips SixTests, yet the number advances
    EXPECT_EQ(host.messages, QStringList{"Waiting for Figure to exit: Press OK to load Sixtests"});
    const QString figure = s.textpath + "/Ten Inch/Figure";
    EXPECT_EQ(host.programs.log, QStringList{"start " + figure + "/figure45.exe in " + figure});
    EXPECT_TRUE(QFile::exists(figure + "/Test5.fig"));
    EXPECT_TRUE(QFile::exists(s.textpath + "/Ten Inch/TextData/test5.txt"));
    EXPECT_FALSE(QFile::exists(s.textpath + "/Ten Inch/SixTests"));
    s.LaunchFigure = false;
    host.programs.log.clear();
    EXPECT_TRUE(SaveData(s, host));
    EXPECT_TRUE(QFile::exists(s.textpath + "/Ten Inch/SixTests/Test6.set"));
    EXPECT_TRUE(host.programs.log.value(0).startsWith("start " + s.textpath +
                                                      "/Ten Inch/SixTests/sixtests.exe"));
    EXPECT_EQ(s.WorkNum, 7);
}

}  // namespace

TEST_F(SaveDataTest, TheLastTestNumberAProfileHoldsIsNeverPassed) {
    QDir().mkpath(dir.path() + "/mirrors");
    QFile file(dir.path() + "/mirrors/&1 Dir Mirror.ini");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(TestDataFile("findings/bignum.mirror.ini"));
    file.close();
    ProfileLoad load = ReadMirrorProfile("&1 Dir Mirror");
    ASSERT_TRUE(load.ok) << load.reason.toStdString();
    EXPECT_EQ(load.profile.WorkNum, 2147483646);
    StoreProfile(s, load.profile);

    EXPECT_FALSE(SaveData(s, host));
    EXPECT_EQ(s.WorkNum, 2147483646);
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_TRUE(host.messages[0].startsWith("Save Data: Test number 2147483646 is the last"));
    EXPECT_FALSE(QDir(s.textpath).exists());
    EXPECT_TRUE(ReadMirrorProfile("&1 Dir Mirror").ok);

    // One below the last: saved, and the profile with the last number reads back.
    s.WorkNum = 2147483645;
    host.messages.clear();
    EXPECT_TRUE(SaveData(s, host));
    EXPECT_TRUE(host.messages.isEmpty());
    load = ReadMirrorProfile("&1 Dir Mirror");
    ASSERT_TRUE(load.ok) << load.reason.toStdString();
    EXPECT_EQ(load.profile.WorkNum, 2147483646);
}

TEST_F(SaveDataTest, AFullDiskFailsTheWritersAndKeepsEveryOldFile) {
    s.Savefigure = true, s.FigurePath = dir.path();
    ASSERT_TRUE(WriteFileWhole(dir.path() + "/figure45.exe", QByteArray(200, 'x')));
    ASSERT_TRUE(SaveData(s, host));
    s.WorkNum = 5, s.ZoneResults[0][2] = 0.0456;  // the same test number again, new readings
    const QString text = s.textpath + "/Ten Inch/TextData/test5.txt";
    const QString fig = s.textpath + "/Ten Inch/Figure/Test5.fig";
    const QString profile = dir.path() + "/mirrors/Ten Inch.ini";
    const QByteArray oldText = Read(text).toUtf8(), oldFig = Read(fig).toUtf8();
    const QString oldProfile = Read(profile);
    QFile::remove(s.textpath + "/Ten Inch/Figure/figure45.exe");  // copied again at this save
    bool saved;
    {
        FullDisk full(16);
        saved = SaveData(s, host);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(host.messages, (QStringList{"Drelmont: Problem saving Figure File as " + fig,
                                          "Save Text Problem: Problem saving Text File to " +
                                              s.textpath + "/Ten Inch/TextData/Test5.txt",
                                          host.messages.value(2)}));
    EXPECT_TRUE(host.messages.value(2).startsWith("Not Configured!: "));
    EXPECT_TRUE(s.SaveFailed);
    EXPECT_EQ(s.WorkNum, 5);
    EXPECT_EQ(Read(text).toUtf8(), oldText);
    EXPECT_EQ(Read(fig).toUtf8(), oldFig);
    EXPECT_EQ(Read(profile), oldProfile);
    EXPECT_FALSE(QFile::exists(s.textpath + "/Ten Inch/Figure/figure45.exe"));  // no cut copy
}
