#include <gtest/gtest.h>

#include <QFileInfo>
#include <limits>

#include "MirrorTestFolder.h"
#include "common/TestData.h"
#include "mirror/MirrorName.h"
#include "mirror/MirrorProfile.h"
#include "mirror/ResultPaths.h"

namespace {

QStringList Lines(std::initializer_list<const char*> texts) {
    QStringList lines;
    for (const char* t : texts) lines.append(QString::fromUtf8(t));
    return lines;
}

}  // namespace

using MirrorProfileTest = MirrorFolderTest;

TEST_F(MirrorProfileTest, SaveDataLinesRoundTripThroughTheFile) {
    TestState state;
    state.WorkFile = "Newt 10";
    state.MirDiam = 10.5;
    state.Roc = 120;
    state.CC = -1;
    state.Obst = 2.25;
    state.NZ = 6;
    state.WorkNum = 4;
    QString error;
    ASSERT_TRUE(WriteMirrorProfile("Newt 10", MirrorProfileLines(state), &error))
        << error.toStdString();
    EXPECT_EQ(Get("mirrors/Newt 10.ini"), "Newt 10\r\n10.5\r\n120\r\n-1\r\n2.25\r\n6\r\n4\r\n");

    const ProfileLoad load = ReadMirrorProfile("NEWT 10");  // any letter case
    ASSERT_TRUE(load.ok) << load.reason.toStdString();
    TestState back;
    StoreProfile(back, load.profile);
    EXPECT_EQ(back.WorkFile, "Newt 10");
    EXPECT_EQ(back.MirDiam, 10.5);
    EXPECT_EQ(back.Roc, 120);
    EXPECT_EQ(back.CC, -1);
    EXPECT_EQ(back.Obst, 2.25);
    EXPECT_EQ(back.NZ, 6);
    EXPECT_EQ(back.WorkNum, 4);
}

TEST(MirrorProfileParse, AcceptsShortSevenAndPaddedFiles) {
    ProfileLoad six = ParseMirrorProfile(Lines({"A", "10", "100", "-1", "0", "4"}));
    ASSERT_TRUE(six.ok);
    EXPECT_EQ(six.profile.WorkNum, 0);
    ProfileLoad padded = ParseMirrorProfile(Lines({"A", "10", "100", "-1", "0", "8.0", "2.5", ""}));
    ASSERT_TRUE(padded.ok) << padded.reason.toStdString();
    EXPECT_EQ(padded.profile.NZ, 8);
    EXPECT_EQ(padded.profile.WorkNum, 2);  // halves to even
    EXPECT_EQ(ParseMirrorProfile(Lines({"A", "10", "100", "-1", "0", "15.5", "1"})).profile.NZ, 16);
}

TEST(MirrorProfileParse, RefusesBadProfilesWithAReason) {
    const QString longName(5000, 'x');
    const QList<QStringList> bad = {
        {},                                                        // empty file
        Lines({"A", "10", "100", "-1"}),                           // no zone count
        Lines({"A", "10", "100", "-1", "0", "4", ""}),             // empty line 7
        Lines({"A", "10", "100", "-1", "0", "4", "1", "extra"}),   // eight lines
        Lines({"A", "0", "100", "-1", "0", "4", "1"}),             // diameter 0
        Lines({"A", "10", "0", "-1", "0", "4", "1"}),              // ROC 0
        Lines({"A", "10", "100", "-1", "0", "0", "1"}),            // zones 0
        Lines({"A", "10", "100", "-1", "0", "17", "1"}),           // zones 17
        Lines({"A", "10", "100", "-1", "0", "1000", "1"}),         // zones 1000
        Lines({"A", "ten", "100", "-1", "0", "4", "1"}),           // not a number
        Lines({"A", "10", "100", "-1", "0", "4", "99999999999"}),  // out of range
        Lines({"../etc", "10", "100", "-1", "0", "4", "1"}),       // path in the name
        Lines({"", "10", "100", "-1", "0", "4", "1"}),             // no name
        Lines({"mnu", "10", "100", "-1", "0", "4", "1"}),          // an unused recent entry
        QStringList{longName, "10", "100", "-1", "0", "4", "1"},   // huge name
        Lines({"A", "2e154", "0.4", "-1", "0", "4", "1"}),         // fixed-source readings overflow
    };
    for (int i = 0; i < bad.size(); ++i) {
        const ProfileLoad load = ParseMirrorProfile(bad[i]);
        EXPECT_FALSE(load.ok) << "case " << i;
        EXPECT_FALSE(load.reason.isEmpty()) << "case " << i;
        EXPECT_LT(load.reason.size(), 200) << "case " << i;
    }
}

TEST_F(MirrorProfileTest, MissingFilesAndUnsafeNamesAreRefused) {
    EXPECT_FALSE(ReadMirrorProfile("Nothing here").ok);
    EXPECT_FALSE(ReadMirrorProfile("../secret").ok);
    Put("mirrors/Short.ini", "Short\r\n10\r\n");
    const ProfileLoad shortOne = ReadMirrorProfile("Short");
    EXPECT_FALSE(shortOne.ok);
    EXPECT_TRUE(shortOne.reason.contains("zones"));

    for (const QString& name :
         {QString("../evil"), QString("a/b"), QString(".."), QString(), QString("a\\b"),
          QString(5000, 'x'), QString("two\nlines"), QString("mnu")}) {
        QString error;
        EXPECT_FALSE(WriteMirrorProfile(name, {"x"}, &error)) << name.toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(MirrorProfilePath(name).isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(Root() + "/evil.ini"));
}

TEST_F(MirrorProfileTest, ResultTreeIsFoundInAnyLetterCase) {
    const QString results = Root() + "/TestResults";
    EXPECT_EQ(TextResultFilePath(results, "Newt", 3), results + "/Newt/TextData/test3.txt");
    Put("testresults/NEWT/textdata/Test3.txt", "x");
    EXPECT_EQ(TextResultFilePath(results, "Newt", 3),
              Root() + "/testresults/NEWT/textdata/Test3.txt");
    EXPECT_EQ(FigureInputFilePath(results, "newt", 2),
              Root() + "/testresults/NEWT/Figure/Test2.fig");
    EXPECT_EQ(SixTestsInputFilePath(results, "Newt", 2),
              Root() + "/testresults/NEWT/SixTests/Test2.set");
    EXPECT_EQ(TestImagesFolder(results, "Newt", 2), Root() + "/testresults/NEWT/Images/Test2");
    EXPECT_TRUE(TextResultFilePath("", "Newt", 3).isEmpty());
    EXPECT_TRUE(MirrorResultFolder(results, "..").isEmpty());
    EXPECT_TRUE(ResultFormatFolder(results, "a/b", "TextData").isEmpty());
}

TEST_F(MirrorProfileTest, ConicOfTheLargestDoubleIsWrittenSoItReadsBack) {
    Put("mirrors/Cc.ini", TestDataFile("findings/dblmax-conic.mirror.ini"));
    const ProfileLoad load = ReadMirrorProfile("Cc");
    ASSERT_TRUE(load.ok) << load.reason.toStdString();
    TestState state;
    StoreProfile(state, load.profile);
    const QStringList lines = MirrorProfileLines(state);
    EXPECT_EQ(lines[3].size(), 309);
    ASSERT_TRUE(WriteMirrorProfile("Cc", lines));
    const ProfileLoad again = ReadMirrorProfile("Cc");
    ASSERT_TRUE(again.ok) << again.reason.toStdString();
    EXPECT_EQ(again.profile.CC, std::numeric_limits<double>::max());
}
