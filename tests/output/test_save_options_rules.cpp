#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "output/SaveOptionsRules.h"

TEST(SaveOptionsRules, OneTrailingSeparatorGoesButTheRootStays) {
    EXPECT_EQ(WithoutTrailingSeparator("/home/me/results/"), "/home/me/results");
    EXPECT_EQ(WithoutTrailingSeparator("/home/me/results//"), "/home/me/results/");
    EXPECT_EQ(WithoutTrailingSeparator("/home/me/results"), "/home/me/results");
    EXPECT_EQ(WithoutTrailingSeparator("/"), "/");
    EXPECT_EQ(WithoutTrailingSeparator(""), "");
}

TEST(SaveOptionsRules, AProgramsFolderIsTheTextBeforeItsLastSeparator) {
    EXPECT_EQ(ProgramFolderOf("/opt/figure/figure45.exe"), QString("/opt/figure"));
    EXPECT_EQ(ProgramFolderOf("/figure45"), QString("/"));
    EXPECT_EQ(ProgramFolderOf("figure45.exe"), std::nullopt);
}

TEST(SaveOptionsRules, ASelectionThatNamesNoFileIsInvalid) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_TRUE(ProgramSelectionValid(dir.filePath("sixtests")));
    EXPECT_FALSE(ProgramSelectionValid(dir.path()));
    EXPECT_FALSE(ProgramSelectionValid(dir.path() + "/"));
    EXPECT_FALSE(ProgramSelectionValid("  "));

    const MsgBoxRequest m = InvalidProgramMessage(OutsideProgram::Figure45, "/tmp/");
    EXPECT_EQ(m.text,
              "The Selection /tmp/ is invalid!\r\nPlease highlight Figure45.exe then click "
              "OPEN\r\nPress Cancel to Exit.");
    EXPECT_EQ(m.title, "Drelmont");
    EXPECT_EQ(m.buttons, MsgButtons::OKCancel);
    EXPECT_EQ(m.icon, MsgIcon::Information);
    EXPECT_TRUE(InvalidProgramMessage(OutsideProgram::SixTests, "x/")
                    .text.contains("Please highlight Sixtests.exe then click OPEN"));
}
