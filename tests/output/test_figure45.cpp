#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FakePrograms.h"
#include "output/Figure45File.h"
#include "platform/TextFile.h"

namespace {

struct Messages : MessageSink {
    QStringList shown;
    MsgResult ShowMessage(const QString& text, MsgButtons, MsgIcon icon,
                          const QString& title) override {
        shown << title + (icon == MsgIcon::None ? ": " : " (icon): ") + text;
        return MsgResult::OK;
    }
};

struct Figure45 : ::testing::Test {
    QTemporaryDir dir;
    TestState s;
    Messages messages;
    FakePrograms programs;
    void SetUp() override {
        s.textpath = dir.path() + "/Results", s.WorkFile = "Six Inch", s.WorkNum = 3;
        s.NZ = 2, s.MirDiam = 6, s.Roc = 48, s.CC = -1;
        s.ZoneRadius[1] = 0.35, s.ZoneRadius[2] = 0.75;
        s.ZoneResults[0] = {0, 0, 0.0125};
        s.ZoneResults[1] = {0, 0.0001, 0.0126};
        s.FigurePath = dir.path() + "/figure45";
        QDir().mkpath(s.FigurePath);
        for (const char* name : {"figure45.exe", "Egavga.bgi", "Bessel.dat"})
            WriteTextLines(s.FigurePath + "/" + name, {"#!/bin/sh"});
        QFile::setPermissions(s.FigurePath + "/figure45.exe",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString Folder() const { return s.textpath + "/Six Inch/Figure"; }
    QStringList FileLines() const {
        QStringList lines;
        ReadTextLines(Folder() + "/Test3.fig", lines);
        return lines;
    }
};

TEST_F(Figure45, InchesAreWrittenAsTheyStandAndTheFileEndsInAnEmptyLine) {
    EXPECT_TRUE(SaveFigure45File(s, false, messages, programs));
    const QStringList lines = FileLines();
    ASSERT_EQ(lines.size(), 2 + 2 + 13 + 1 + 1);
    EXPECT_EQ(lines[0], "2 1 1");
    EXPECT_EQ(lines[1], "48 6 -1");
    EXPECT_EQ(lines[2], "1.05 0.000000 0");
    EXPECT_EQ(lines[3], "2.25 0.000000 0.0125");
    EXPECT_EQ(lines[4], "0.000000 0.000000 0.000000");
    EXPECT_EQ(lines[16], "0.000000 0.000000 0.000000");
    EXPECT_EQ(lines[17], "0 1");
    EXPECT_EQ(lines[18], "");
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(programs.log.isEmpty());  // LaunchFigure off
}

TEST_F(Figure45, MillimetresAreWrittenAsInchesOnCopiesOfTheValues) {
    s.Metric = true, s.MirDiam = 254, s.Roc = 2540, s.Reps = 1;
    s.ZoneResults[0][2] = 0.254, s.ZoneResults[3][1] = -2.54;
    const TestState before = s;
    EXPECT_TRUE(SaveFigure45File(s, false, messages, programs));
    const QStringList lines = FileLines();
    EXPECT_EQ(lines[1], "100 10 -1");
    EXPECT_EQ(lines[2], "1.75 0.000000 0");
    EXPECT_EQ(lines[3], "3.75 0.000000 0.01");
    EXPECT_EQ(lines[20], "-0.1");  // zone 1, set 3
    EXPECT_EQ(s.MirDiam, before.MirDiam);
    EXPECT_EQ(s.Roc, before.Roc);
    EXPECT_EQ(s.ZoneResults, before.ZoneResults);
    // A failing write leaves the state as it was too.
    QDir(Folder()).removeRecursively();
    WriteTextLines(Folder(), {"a file where the folder should be"});
    EXPECT_FALSE(SaveFigure45File(s, false, messages, programs));
    EXPECT_EQ(s.MirDiam, 254);
    EXPECT_EQ(s.ZoneResults, before.ZoneResults);
    EXPECT_EQ(messages.shown, QStringList{"Drelmont: Problem saving Figure File as " + s.textpath +
                                          "/Six Inch/Figure/Test3.fig"});
    EXPECT_TRUE(s.SaveFailed);
}

// The whole file, byte for byte, for a millimetre test of six zones and two sets.
TEST_F(Figure45, MillimetreTestOfSixZonesAndTwoSetsWholeFile) {
    s.Metric = true, s.MirDiam = 254, s.Roc = 2540, s.NZ = 6, s.Reps = 1;
    const double radii[] = {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.123456789};
    for (int zone = 1; zone <= 6; ++zone) {
        s.ZoneRadius[zone] = radii[zone];
        for (int set = 0; set <= 3; ++set) s.ZoneResults[set][zone] = 2.54 * zone + 0.254 * set;
    }
    ASSERT_TRUE(SaveFigure45File(s, false, messages, programs));
    QStringList expected{"6 1 1",
                         "100 10 -1",
                         "0.5 0.000000 0.1",
                         "1 0.000000 0.2",
                         "1.5 0.000000 0.3",
                         "2 0.000000 0.4",
                         "2.5 0.000000 0.5",
                         "0.617283 0.000000 0.6"};
    expected << QStringList(9, "0.000000 0.000000 0.000000") << "0 2";
    for (int zone = 1; zone <= 6; ++zone)
        for (int set = 1; set <= 3; ++set) expected << QString("0.%1%2").arg(zone).arg(set);
    expected << QStringList(27, "0");
    QFile file(Folder() + "/Test3.fig");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), expected.join("\r\n") + "\r\n\r\n");
    EXPECT_EQ(s.MirDiam, 254);
    EXPECT_EQ(s.ZoneResults[2][6], 2.54 * 6 + 0.254 * 2);
}

TEST_F(Figure45, ZoneRadiusIsCutToEightCharactersNotRounded) {
    s.MirDiam = 2, s.ZoneRadius[1] = 12.3456789, s.ZoneRadius[2] = 12.5;
    const QStringList lines = Figure45Lines(s, false);
    EXPECT_TRUE(lines[2].startsWith("12.34567 0.000000 "));
    EXPECT_TRUE(lines[3].startsWith("12.5 0.000000 "));
}

TEST_F(Figure45, ZoneCountsSetCountsAndFillers) {
    s.NZ = 6;
    for (int zone = 1; zone <= 16; ++zone)
        for (int set = 0; set <= 3; ++set) s.ZoneResults[set][zone] = zone + set / 10.0;
    QStringList lines = Figure45Lines(s, true);
    EXPECT_EQ(lines[0], "6 1 0");  // fixed source
    ASSERT_EQ(lines.size(), 2 + 6 + 9 + 1 + 1);
    EXPECT_EQ(lines[17], "0 1");

    s.Reps = 1;
    lines = Figure45Lines(s, false);
    EXPECT_EQ(lines[0], "6 1 1");
    ASSERT_EQ(lines.size(), 2 + 6 + 9 + 1 + 45 + 1);
    EXPECT_EQ(lines[17], "0 2");
    // Sets 1, 2 and 3 of each zone, zone by zone, whatever Reps says.
    EXPECT_EQ(lines.mid(18, 4), (QStringList{"1.1", "1.2", "1.3", "2.1"}));
    EXPECT_EQ(lines[35], "6.3");
    EXPECT_EQ(lines.mid(36, 27), QStringList(27, "0"));

    s.NZ = 16;  // more zones than the layout has room for: no fillers at all
    lines = Figure45Lines(s, false);
    ASSERT_EQ(lines.size(), 2 + 16 + 1 + 48 + 1);
    EXPECT_TRUE(lines[17].startsWith("0 0.000000 16"));
    EXPECT_EQ(lines[18], "0 2");
    EXPECT_EQ(lines[66], "16.3");
}

TEST_F(Figure45, ProgramFilesAreCopiedOnceAndTheProgramStartsInItsFolder) {
    s.LaunchFigure = true;
    EXPECT_TRUE(SaveFigure45File(s, false, messages, programs));
    for (const char* name : {"figure45.exe", "Egavga.bgi", "Bessel.dat"})
        EXPECT_TRUE(QFile::exists(Folder() + "/" + name)) << name;
    EXPECT_TRUE(QFileInfo(Folder() + "/figure45.exe").isExecutable());
    EXPECT_EQ(programs.log, QStringList{"start " + Folder() + "/figure45.exe in " + Folder()});
    // A copy that exists is kept.
    WriteTextLines(Folder() + "/Bessel.dat", {"the user's own"});
    EXPECT_TRUE(SaveFigure45File(s, false, messages, programs));
    QStringList kept;
    ReadTextLines(Folder() + "/Bessel.dat", kept);
    EXPECT_EQ(kept, QStringList{"the user's own"});
}

TEST_F(Figure45, AProgramMissingAtTheFirstSaveIsCopiedOnceItCanBe) {
    const QString right = s.FigurePath;
    s.FigurePath = dir.path() + "/wrong", s.LaunchFigure = true;
    EXPECT_FALSE(SaveFigure45File(s, false, messages, programs));
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(QFile::exists(Folder() + "/Test3.fig"));  // written before the failed start
    s.FigurePath = right, s.SaveFailed = false;
    EXPECT_TRUE(SaveFigure45File(s, false, messages, programs));
    EXPECT_FALSE(s.SaveFailed);
    EXPECT_TRUE(QFile::exists(Folder() + "/figure45.exe"));
}

TEST_F(Figure45, EmptyFigurePathFailsBeforeAnythingIsMade) {
    s.FigurePath.clear(), s.Metric = true;
    const TestState before = s;
    EXPECT_FALSE(SaveFigure45File(s, false, messages, programs));
    EXPECT_EQ(messages.shown, QStringList{"Drelmont: Problem saving Figure File as " + s.textpath +
                                          "/Six Inch/Figure/Test3.fig"});
    EXPECT_TRUE(s.SaveFailed);
    EXPECT_FALSE(QFile::exists(s.textpath));
    EXPECT_EQ(s.MirDiam, before.MirDiam);
}

}  // namespace
