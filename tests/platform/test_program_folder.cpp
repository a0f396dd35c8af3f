#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/Help.h"
#include "platform/ProgramFolder.h"

namespace {

class ProgramFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        root_ = dir_.path();
        ASSERT_TRUE(QDir(root_).mkpath(QStringLiteral("Sound")));
        ASSERT_TRUE(QDir(root_).mkpath(QStringLiteral("TestResults/Mirror8/TextData")));
        Touch(QStringLiteral("Sound/Z1.wav"));
        Touch(QStringLiteral("TestResults/Mirror8/TextData/Test3.txt"));
    }
    void TearDown() override { SetAppPath(QString()); }

    void Touch(const QString& relative) {
        QFile file(root_ + QLatin1Char('/') + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir dir_;
    QString root_;
};

TEST_F(ProgramFolderTest, FindsExistingNamesWhateverTheirCase) {
    EXPECT_EQ(ResolvePath(root_, QStringLiteral("sound/z1.WAV")), root_ + "/Sound/Z1.wav");
    EXPECT_EQ(ResolvePath(root_, QStringLiteral("SOUND/Z1.wav")), root_ + "/Sound/Z1.wav");
    EXPECT_EQ(ResolvePath(root_ + "/testresults/MIRROR8/textdata/test3.txt"),
              root_ + "/TestResults/Mirror8/TextData/Test3.txt");
}

TEST_F(ProgramFolderTest, AcceptsBackslashesAndSingleSeparators) {
    EXPECT_EQ(ResolvePath(root_, QStringLiteral("\\sound\\z1.wav")), root_ + "/Sound/Z1.wav");
    EXPECT_EQ(ResolvePath(root_ + "/", QStringLiteral("/Sound//Z1.wav")), root_ + "/Sound/Z1.wav");
    EXPECT_EQ(ResolvePath(root_ + "\\sound\\Z1.wav"), root_ + "/Sound/Z1.wav");
}

TEST_F(ProgramFolderTest, MissingComponentsKeepTheirSpelling) {
    // The file is missing: the folder is found, the name stays as given.
    EXPECT_EQ(ResolvePath(root_, QStringLiteral("sound/Z17.wav")), root_ + "/Sound/Z17.wav");
    // A missing folder: everything below it keeps the given spelling too.
    EXPECT_EQ(ResolvePath(root_, QStringLiteral("testresults/New/textdata/test1.txt")),
              root_ + "/TestResults/New/textdata/test1.txt");
}

TEST_F(ProgramFolderTest, ExactSpellingWinsOverAnotherCase) {
    Touch(QStringLiteral("Sound/z1.wav"));
    EXPECT_EQ(ResolvePath(root_, QStringLiteral("Sound/z1.wav")), root_ + "/Sound/z1.wav");
    EXPECT_EQ(ResolvePath(root_, QStringLiteral("Sound/Z1.wav")), root_ + "/Sound/Z1.wav");
}

TEST_F(ProgramFolderTest, RootAndRelativePaths) {
    EXPECT_EQ(ResolvePath(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(ResolvePath(QStringLiteral("/"), QStringLiteral("QUENZ.HLP")),
              QStringLiteral("/QUENZ.HLP"));
    EXPECT_EQ(ResolvePath(QString()), QString());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root_));
    EXPECT_EQ(ResolvePath(QStringLiteral("sound/z1.wav")), QStringLiteral("Sound/Z1.wav"));
    QDir::setCurrent(before);
}

TEST_F(ProgramFolderTest, AppPathIsTheExecutablesFolderUnlessSet) {
    SetAppPath(QString());
    EXPECT_EQ(AppPath(), QCoreApplication::applicationDirPath());
    SetAppPath(root_ + "/");
    EXPECT_EQ(AppPath(), root_);
    SetAppPath(QStringLiteral("/"));
    EXPECT_EQ(AppPath(), QStringLiteral("/"));
}

TEST_F(ProgramFolderTest, HelpFileIsTheProgramFoldersHelpWithOneSeparator) {
    SetAppPath(root_);
    InitHelp(nullptr);
    EXPECT_EQ(HelpFile(), root_ + "/QUENZ.HLP");
    Touch(QStringLiteral("quenz.hlp"));
    InitHelp(nullptr);
    EXPECT_EQ(HelpFile(), root_ + "/quenz.hlp");
    SetAppPath(QStringLiteral("/"));
    InitHelp(nullptr);
    EXPECT_EQ(HelpFile(), QStringLiteral("/QUENZ.HLP"));
    QuitHelp();
}

TEST_F(ProgramFolderTest, HelpOpensOnlyAnExistingFile) {
    QStringList opened;
    SetHelpOpenerForTests([&](const QString& file) {
        opened.append(file);
        return true;
    });
    SetAppPath(root_);
    InitHelp(nullptr);
    ShowHelp(10);  // no help file yet
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_FALSE(HelpShown());

    Touch(QStringLiteral("Quenz.hlp"));
    ShowHelp(210);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], root_ + "/Quenz.hlp");
    EXPECT_TRUE(HelpShown());
    QuitHelp();
    EXPECT_FALSE(HelpShown());
    QuitHelp();  // nothing open: nothing happens
    SetHelpOpenerForTests(nullptr);
}

}  // namespace
