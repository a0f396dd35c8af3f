#include <QPlainTextEdit>
#include <QPushButton>

#include "mirror/ZoneGeometry.h"
#include "mirror_ui_fixture.h"

namespace {

const QString kFailText = QStringLiteral("File Not Found :(\r\nRemoving entry from list");

// The captions as the settings file holds them (lines 22 to 31).
QStringList SavedCaptions(const QString& settingsPath) {
    QStringList lines;
    if (!ReadTextLines(settingsPath, lines) || lines.size() < 31) return {};
    return lines.mid(21, kRecentMirrors);
}

}  // namespace

using RecentChoice = MirrorWindowTest;

TEST_F(RecentChoice, ChoosingTheFirstItemLoadsTheProfileAndSavesTheList) {
    PutProfile("Newt", {"Newt", "10", "100", "-1", "0", "4", "3"});
    WriteSettings(GoodSettings());
    frmMain w;
    w.LoadSettings();  // nothing is saved before the file has been read
    SetList(w, {"Newt", "Other"});
    w.Mnu_Click(1);

    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(w.WorkFile, "Newt");
    EXPECT_EQ(w.MirDiam, 10);
    EXPECT_EQ(w.Roc, 100);
    EXPECT_EQ(w.CC, -1);
    EXPECT_EQ(w.NZ, 4);
    EXPECT_EQ(w.WorkNum, 3);
    EXPECT_TRUE(w.ZoneOn);
    EXPECT_TRUE(w.Command5->isEnabled());
    EXPECT_NEAR(w.ZoneRadius[1], 0.30619, 5e-6);
    EXPECT_NEAR(w.ZoneRadius[4], 0.93421, 5e-6);
    // No results file of test 2: an empty line, then the table.
    const QString text2 = w.Text2->toPlainText();
    EXPECT_TRUE(
        text2.startsWith("\nUse Zone data below for manual data reduction\n"
                         "Zone\tInner\tOuter\tRadius\tPerf#\n1\t0\t2.5\t1.531\t0\n"))
        << text2.toStdString();
    EXPECT_TRUE(
        text2.endsWith("Pefect Numbers are for a MOVING light Source and Parabolic Mirror!"));

    EXPECT_EQ(Shown(w), QStringList({"Newt", "Other"}));
    EXPECT_EQ(SavedCaptions(SettingsPath()),
              QStringList({"Newt", "Other", "", "", "", "", "", "", "", ""}));
}

TEST_F(RecentChoice, PreviousReadingsAndFixedSourceReachText2) {
    PutProfile("Newt", {"Newt", "10", "100", "-1", "0", "4", "3"});
    frmMain w;
    w.textpath = folder.filePath("Results");
    ASSERT_TRUE(QDir().mkpath(folder.filePath("Results/Newt/TextData")));
    ASSERT_TRUE(WriteTextLines(folder.filePath("Results/Newt/TextData/Test2.txt"),
                               {"Header line", "", " Zone 1 radius = 1.531\t Reading = 0.0123"}));
    w.MnuFixed->setChecked(true);
    SetList(w, {"Newt"});
    w.Mnu_Click(1);
    const QString text2 = w.Text2->toPlainText();
    EXPECT_TRUE(
        text2.startsWith("Previous Zone Readings from Test #2:\nOld Zone 1 = 0.0123\n\nUse"))
        << text2.toStdString();
    EXPECT_TRUE(
        text2.endsWith("Pefect Numbers are for a FIXED light Source and Parabolic Mirror!"));
}

TEST_F(RecentChoice, DeletedFileAtItemFourOfSixIsRemoved) {
    const QStringList names = {"M1", "M2", "M3", "M4", "M5", "M6"};
    for (const QString& name : names) PutGoodProfile(name);
    QFile::remove(ProfilePath("M4"));
    WriteSettings(GoodSettings());
    frmMain w;
    w.LoadSettings();
    SetList(w, names);
    w.Mnu_Click(4);

    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].text, kFailText);
    EXPECT_EQ(Messages()[0].title, "Oh Shit!");
    EXPECT_EQ(Messages()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(Messages()[0].buttons, MsgButtons::OK);
    EXPECT_EQ(Shown(w), QStringList({"M1", "M2", "M3", "M5", "M6"}));
    for (int k = 6; k <= 10; ++k) EXPECT_FALSE(w.Mnu[k]->isVisible()) << k;
    EXPECT_EQ(w.Mnu[10]->text(), "");
    EXPECT_FALSE(w.ZoneOn);
    EXPECT_EQ(SavedCaptions(SettingsPath()).mid(0, 5), QStringList({"M1", "M2", "M3", "M5", "M6"}));
}

TEST_F(RecentChoice, DuplicatesGoAfterAChoice) {
    for (const char* name : {"A", "B", "C"}) PutGoodProfile(name);
    {
        frmMain w;
        SetList(w, {"A", "B", "A", "C"});
        w.Mnu_Click(2);
        EXPECT_EQ(Shown(w), QStringList({"B", "A", "C"}));
        EXPECT_EQ(w.WorkFile, "B");
        for (int k = 4; k <= 10; ++k) EXPECT_FALSE(w.Mnu[k]->isVisible()) << k;
    }
    {
        // The editor can leave a name in slot 1 and slot 10.
        frmMain w;
        SetList(w, {"A", "B", "C", "C1", "C2", "C3", "C4", "C5", "C6", "A"});
        w.Mnu_Click(1);
        EXPECT_EQ(Captions(w).mid(0, 9),
                  QStringList({"A", "B", "C", "C1", "C2", "C3", "C4", "C5", "C6"}));
        EXPECT_EQ(w.Mnu[10]->text(), "");
        EXPECT_FALSE(w.Mnu[10]->isVisible());
    }
    {
        // Letter case counts: both stay, and the file is found in any case.
        frmMain w;
        SetList(w, {"A", "a"});
        w.Mnu_Click(2);
        EXPECT_TRUE(Messages().isEmpty());
        EXPECT_EQ(Shown(w), QStringList({"a", "A"}));
    }
}

TEST_F(RecentChoice, SixLinesAreAProfileAnEmptySeventhLineIsNot) {
    PutProfile("Six", {"Six", "8", "96", "-1", "0", "4"});
    PutProfile("Blank", {"Blank", "8", "96", "-1", "0", "4", ""});
    frmMain w;
    SetList(w, {"Six", "Blank"});
    w.Mnu_Click(1);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(w.WorkFile, "Six");
    EXPECT_EQ(w.WorkNum, 0);
    EXPECT_TRUE(w.ZoneOn);

    w.Mnu_Click(2);
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages()[0].text, kFailText);
    EXPECT_EQ(Shown(w), QStringList({"Six"}));
    EXPECT_EQ(w.WorkFile, "Six");
}

// Every bad profile takes the failure path: the message, the item removed, and
// the mirror chosen before (its values, zone table and ZoneOn) left as it was.
TEST_F(RecentChoice, BadProfilesAreRemovedAndLeaveTheCurrentMirror) {
    const QString longName(5000, QLatin1Char('x'));
    struct Bad {
        const char* label;
        QStringList lines;  // empty: no file at all
    };
    const QList<Bad> cases = {
        {"missing", {}},
        {"short", {"Bad", "8", "96"}},
        {"long", {"Bad", "8", "96", "-1", "0", "4", "1", "extra", "more"}},
        {"empty", {""}},
        {"zero diameter", {"Bad", "0", "96", "-1", "0", "4", "1"}},
        {"zero curvature", {"Bad", "8", "0", "-1", "0", "4", "1"}},
        {"no zones", {"Bad", "8", "96", "-1", "0", "0", "1"}},
        {"17 zones", {"Bad", "8", "96", "-1", "0", "17", "1"}},
        {"1000 zones", {"Bad", "8", "96", "-1", "0", "1000", "1"}},
        {"not a number", {"Bad", "8", "ninety", "-1", "0", "4", "1"}},
        {"long name", {longName, "8", "96", "-1", "0", "4", "1"}},
    };
    PutProfile("Good", {"Good", "10", "100", "-1", "0", "4", "2"});
    for (const Bad& bad : cases) {
        SCOPED_TRACE(bad.label);
        QFile::remove(ProfilePath("Bad"));
        if (bad.lines == QStringList({""})) {
            QFile empty(ProfilePath("Bad"));
            ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
        } else if (!bad.lines.isEmpty()) {
            PutProfile("Bad", bad.lines);
        }
        MsgBoxService::ClearHistory();
        frmMain w;
        SetList(w, {"Good", "Bad", "After"});
        w.Mnu_Click(1);
        const auto radii = w.ZoneRadius;
        const QString text2 = w.Text2->toPlainText();

        w.Mnu_Click(2);
        ASSERT_EQ(Messages().size(), 1);
        EXPECT_EQ(Messages()[0].text, kFailText);
        EXPECT_EQ(Shown(w), QStringList({"Good", "After"}));
        EXPECT_EQ(w.WorkFile, "Good");
        EXPECT_EQ(w.MirDiam, 10);
        EXPECT_EQ(w.NZ, 4);
        EXPECT_EQ(w.WorkNum, 2);
        EXPECT_TRUE(w.ZoneOn);
        EXPECT_EQ(w.ZoneRadius, radii);
        EXPECT_EQ(w.Text2->toPlainText(), text2);
    }
}

TEST_F(RecentChoice, CaptionsThatAreNoPlainNameReadNothing) {
    // A file beside the mirrors folder that a path in a caption would reach.
    ASSERT_TRUE(WriteTextLines(folder.filePath("Outside.ini"),
                               {"Outside", "8", "96", "-1", "0", "4", "1"}));
    const QString longCaption(5000, QLatin1Char('y'));
    frmMain w;
    SetList(w, {"../Outside", longCaption, "mnu"});
    w.Mnu_Click(1);
    w.Mnu_Click(1);
    EXPECT_EQ(Messages().size(), 2);
    EXPECT_FALSE(w.ZoneOn);
    EXPECT_TRUE(w.WorkFile.isEmpty());
    EXPECT_TRUE(Shown(w).isEmpty());
    // Indexes outside the menu change nothing.
    w.Mnu_Click(0);
    w.Mnu_Click(11);
    EXPECT_EQ(Messages().size(), 2);
}
