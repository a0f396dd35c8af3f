#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "app/Settings.h"
#include "platform/TextFile.h"

namespace {

// The state as start-up leaves it before the settings are read.
TestState StartupState() {
    TestState s;
    AssignAutoTestDefaults(s);
    return s;
}

// A state and controls where every saved value differs from its start value.
void FillDistinct(TestState& s, ControlSettings& c) {
    c.mnuinvert = true;
    c.mnuLRswapCaption = "Reverse &To/From Mirror Motor";
    c.mnuLRswap = true;
    c.mnuTFswapCaption = "&Reverse L/R Motor";
    c.mnuTFswap = false;
    c.mnuSwapMotors = true;
    s.StepSize = 0.1 + 0.2;  // needs 17 digits to come back unchanged
    s.Metric = true;
    s.KnifeRight = true;
    c.MnuFixed = true;
    s.FigurePath = "/home/me/figure 45";
    s.Sixtestspath = "/opt/six";
    s.textpath = "/home/me/Résultats";
    s.Savefigure = true;
    s.SaveSixtests = true;
    s.Savetext = false;
    s.LaunchFigure = true;
    s.LaunchSixtests = true;
    c.Maxdelay = 4321;
    c.Mindelay = 999;
    c.sldAcell = 9;
    for (int i = 1; i <= kRecentMirrors; ++i) c.Mnu[i] = QString("&%1 Mirror %1").arg(i);
    c.Mnu[7] = "mnu";
    s.Max = 200;
    s.Min = 17;
    c.Save_picture = 1;
    s.Reps = 3;
    s.VidSource = 2;
    s.ShowDebug = true;
    s.ShowMoreText = true;
    s.Launch3d = true;
    s.LRMinFrames = 5;
    s.LRDelta = 11;
    s.LRSmMove = 12;
    s.LRLgMove = 13;
    s.TFRoughFrames = 16;
    s.TFOblatedelta = -17;
    s.TFOblateMove = 18;
    s.TFRoughDelta = 19;
    s.TFRoughMove = 20;
    s.TFFinalFrames = 29;
    s.TFFinalMoves = 21;
    s.LRStepSize = 1.0 / 3.0;
}

SettingsLoadOutcome Load(const QStringList& lines, TestState& s, ControlSettings& c) {
    return ApplySettingsLines(true, lines, s, c, "/prog");
}

QStringList GoodLines() {
    TestState s = StartupState();
    ControlSettings c;
    FillDistinct(s, c);
    return BuildSettingsLines(s, c);
}

}  // namespace

TEST(SettingsFile, EveryValueSurvivesTheRoundTrip) {
    TestState saved = StartupState();
    ControlSettings savedControls;
    FillDistinct(saved, savedControls);
    const QStringList lines = BuildSettingsLines(saved, savedControls);
    ASSERT_EQ(lines.size(), kSettingsLineCount);

    TestState s = StartupState();
    ControlSettings c;
    const SettingsLoadOutcome outcome = Load(lines, s, c);
    EXPECT_TRUE(outcome.loaded);
    EXPECT_FALSE(outcome.recovery1);
    EXPECT_FALSE(outcome.autoTestMessage);

    EXPECT_EQ(c.mnuinvert, savedControls.mnuinvert);
    EXPECT_EQ(c.mnuLRswapCaption, savedControls.mnuLRswapCaption);
    EXPECT_EQ(c.mnuLRswap, savedControls.mnuLRswap);
    EXPECT_EQ(c.mnuTFswapCaption, savedControls.mnuTFswapCaption);
    EXPECT_EQ(c.mnuTFswap, savedControls.mnuTFswap);
    EXPECT_EQ(c.mnuSwapMotors, savedControls.mnuSwapMotors);
    EXPECT_EQ(c.MnuFixed, savedControls.MnuFixed);
    EXPECT_EQ(c.Maxdelay, 4321);
    EXPECT_EQ(c.Mindelay, 999);
    EXPECT_EQ(c.sldAcell, 9);
    EXPECT_EQ(c.Mnu, savedControls.Mnu);
    EXPECT_EQ(c.Save_picture, 1);

    EXPECT_EQ(s.StepSize, saved.StepSize);  // exactly, not nearly
    EXPECT_EQ(s.LRStepSize, saved.LRStepSize);
    EXPECT_EQ(s.Metric, true);
    EXPECT_EQ(s.KnifeRight, true);
    EXPECT_EQ(s.FigurePath, saved.FigurePath);
    EXPECT_EQ(s.Sixtestspath, saved.Sixtestspath);
    EXPECT_EQ(s.textpath, saved.textpath);
    EXPECT_EQ(s.Savefigure, true);
    EXPECT_EQ(s.SaveSixtests, true);
    EXPECT_EQ(s.Savetext, false);
    EXPECT_EQ(s.LaunchFigure, true);
    EXPECT_EQ(s.LaunchSixtests, true);
    EXPECT_EQ(s.Max, 200);
    EXPECT_EQ(s.Min, 17);
    EXPECT_EQ(s.Reps, 3);
    EXPECT_EQ(s.VidSource, 2);
    EXPECT_EQ(s.ShowDebug, true);
    EXPECT_EQ(s.ShowMoreText, true);
    EXPECT_EQ(s.Launch3d, true);
    EXPECT_EQ(s.LRMinFrames, 5);
    EXPECT_EQ(s.LRDelta, 11);
    EXPECT_EQ(s.LRSmMove, 12);
    EXPECT_EQ(s.LRLgMove, 13);
    EXPECT_EQ(s.TFRoughFrames, 16);
    EXPECT_EQ(s.TFOblatedelta, -17);
    EXPECT_EQ(s.TFOblateMove, 18);
    EXPECT_EQ(s.TFRoughDelta, 19);
    EXPECT_EQ(s.TFRoughMove, 20);
    EXPECT_EQ(s.TFFinalFrames, 29);
    EXPECT_EQ(s.TFFinalMoves, 21);
    EXPECT_FALSE(s.WaitForIt);
    EXPECT_EQ(s.units, "mm");
}

TEST(SettingsFile, LinesAreInTheirFixedPlaces) {
    TestState s = StartupState();
    ControlSettings c;
    s.StepSize = 0.000125;
    s.LRStepSize = 0.0005;
    s.Max = 60;
    s.Min = 30;
    const QStringList lines = BuildSettingsLines(s, c);
    EXPECT_EQ(lines[0], "False");
    EXPECT_EQ(lines[1], "&Reverse L/R Motor");
    EXPECT_EQ(lines[3], "Reverse &To/From Mirror Motor");
    EXPECT_EQ(lines[6], "0.000125");
    EXPECT_EQ(lines[18], "2000");
    EXPECT_EQ(lines[19], "136");
    EXPECT_EQ(lines[20], "4");
    for (int i = 21; i <= 30; ++i) EXPECT_EQ(lines[i], "mnu");
    EXPECT_EQ(lines[31], "60");
    EXPECT_EQ(lines[32], "30");
    EXPECT_EQ(lines[39], "4");
    EXPECT_EQ(lines[48], "30");
    EXPECT_EQ(lines[50], "0.0005");
}

TEST(SettingsFile, WrittenFileHas51LinesEndingInCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath("quenz.ini");
    ASSERT_TRUE(WriteTextLines(path, GoodLines()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 51);
    EXPECT_EQ(bytes.count('\n'), 51);
}

TEST(SettingsFile, DoublesAreWrittenAsShortPlainDecimals) {
    EXPECT_EQ(DoubleSettingText(0.000125), "0.000125");
    EXPECT_EQ(DoubleSettingText(0), "0");
    EXPECT_EQ(DoubleSettingText(0.1 + 0.2), "0.30000000000000004");
    for (double v : {1e-7 / 3, 1e-9 / 7, 2.0 / 3.0, 123456.789012345678, -0.7 * 0.1}) {
        const QString text = DoubleSettingText(v);
        EXPECT_FALSE(text.contains('e')) << text.toStdString();
        EXPECT_EQ(text.toDouble(), v) << text.toStdString();
    }
}

TEST(SettingsFile, MissingFileGivesFirstRunDefaultsAndTheSetupMessageOnly) {
    TestState s = StartupState();
    ControlSettings c;
    const SettingsLoadOutcome outcome = ApplySettingsLines(false, {}, s, c, "/prog/");
    EXPECT_TRUE(outcome.recovery1);
    EXPECT_FALSE(outcome.autoTestMessage);
    EXPECT_FALSE(outcome.loaded);
    EXPECT_TRUE(s.WaitForIt);
    EXPECT_EQ(s.StepSize, 0.000125);
    EXPECT_EQ(s.LRStepSize, 0.000125);
    EXPECT_EQ(s.textpath, "/prog/TestResults");
    EXPECT_TRUE(s.Savetext);
    EXPECT_EQ(s.Min, 30);
    EXPECT_EQ(s.Max, 60);
    EXPECT_TRUE(s.ShowDebug);
    EXPECT_EQ(s.Reps, 0);
    EXPECT_EQ(s.VidSource, 0);
    EXPECT_EQ(s.units, "\"");
    // The auto-test variables keep their start-up defaults.
    EXPECT_EQ(s.LRMinFrames, 4);
    EXPECT_EQ(s.TFFinalFrames, 30);
    EXPECT_EQ(s.LRSmMove, 0);
    EXPECT_EQ(c.Maxdelay, 2000);
    EXPECT_FALSE(MirrorEntryVisible(c.Mnu[1]));
}

TEST(SettingsFile, RecoveryKeepsValuesAlreadyThere) {
    TestState s = StartupState();
    ControlSettings c;
    QStringList lines = GoodLines();
    lines[2] = "maybe";  // line 3 fails: lines 1 and 2 stay applied
    s.textpath = "/keep";
    s.Min = 5;
    s.Max = 7;
    const SettingsLoadOutcome outcome = Load(lines, s, c);
    EXPECT_TRUE(outcome.recovery1);
    EXPECT_EQ(outcome.failedLine, 3);
    EXPECT_TRUE(c.mnuinvert);
    EXPECT_EQ(c.mnuLRswapCaption, "Reverse &To/From Mirror Motor");
    EXPECT_FALSE(c.mnuLRswap);
    EXPECT_EQ(s.textpath, "/keep");
    EXPECT_EQ(s.Min, 5);
    EXPECT_EQ(s.Max, 7);
}

TEST(SettingsFile, ShortFileFailsAtLine51RightAfterLine7) {
    TestState s = StartupState();
    ControlSettings c;
    const QStringList lines = GoodLines().mid(0, 20);
    const SettingsLoadOutcome outcome = Load(lines, s, c);
    EXPECT_TRUE(outcome.recovery1);
    EXPECT_EQ(outcome.failedLine, 51);
    EXPECT_EQ(s.StepSize, 0.1 + 0.2);  // line 7 was applied
    EXPECT_EQ(s.LRStepSize, 0.000125);
    EXPECT_FALSE(s.Metric);  // line 8 was not
    EXPECT_TRUE(c.mnuSwapMotors);
}

TEST(SettingsFile, BadLineInZone1StopsTheRestOfTheFile) {
    TestState s = StartupState();
    ControlSettings c;
    QStringList lines = GoodLines();
    lines[19] = "fast";  // Mindelay
    Load(lines, s, c);
    EXPECT_EQ(c.Maxdelay, 4321);
    EXPECT_EQ(c.Mindelay, 136);
    EXPECT_EQ(c.Mnu[1], "mnu");
    EXPECT_EQ(s.Reps, 0);
    EXPECT_EQ(s.LRDelta, 10);
    EXPECT_TRUE(s.ShowDebug);
}

TEST(SettingsFile, BadLineInZone2KeepsOnlyThatSetting) {
    TestState s = StartupState();
    ControlSettings c;
    QStringList lines = GoodLines();
    lines[35] = "camera";  // VidSource
    lines[36] = "";        // ShowDebug: empty turns the debug display on
    lines[33] = "2";       // Save_picture: not a check box value
    const SettingsLoadOutcome outcome = Load(lines, s, c);
    EXPECT_TRUE(outcome.loaded);
    EXPECT_FALSE(outcome.recovery1);
    EXPECT_FALSE(outcome.autoTestMessage);
    EXPECT_EQ(s.VidSource, 0);
    EXPECT_EQ(c.Save_picture, 0);
    EXPECT_TRUE(s.ShowDebug);
    EXPECT_EQ(s.Reps, 3);
    EXPECT_TRUE(s.Launch3d);
    EXPECT_EQ(s.TFFinalMoves, 21);
}

TEST(SettingsFile, BadLineInZone3ShowsTheAutoTestMessage) {
    TestState s = StartupState();
    ControlSettings c;
    QStringList lines = GoodLines();
    lines[36] = "False";
    lines[44] = QString(5000, '7');  // TFOblatedelta: far too long a number
    const SettingsLoadOutcome outcome = Load(lines, s, c);
    EXPECT_FALSE(outcome.loaded);
    EXPECT_FALSE(outcome.recovery1);
    EXPECT_TRUE(outcome.autoTestMessage);
    EXPECT_EQ(outcome.failedLine, 45);
    EXPECT_EQ(s.TFRoughFrames, 16);  // before the bad line
    EXPECT_EQ(s.TFOblatedelta, 15);  // the bad line and after keep their defaults
    EXPECT_EQ(s.TFFinalFrames, 30);
    EXPECT_TRUE(s.ShowDebug);
    EXPECT_FALSE(s.WaitForIt);
    EXPECT_EQ(s.LRStepSize, 1.0 / 3.0);
}

TEST(SettingsFile, OutOfRangeValuesAreClampedWhereTheyEnter) {
    TestState s = StartupState();
    ControlSettings c;
    QStringList lines = GoodLines();
    lines[18] = "6000";
    lines[19] = "0";
    lines[20] = "11";
    lines[31] = "300";
    lines[32] = "-4";
    lines[34] = "7";
    lines[48] = "45";
    const SettingsLoadOutcome outcome = Load(lines, s, c);
    EXPECT_TRUE(outcome.loaded);
    EXPECT_EQ(c.Maxdelay, 5000);
    EXPECT_EQ(c.Mindelay, 1);
    EXPECT_EQ(c.sldAcell, 10);
    EXPECT_EQ(s.Max, 255);
    EXPECT_EQ(s.Min, 0);
    EXPECT_EQ(s.Reps, 3);
    EXPECT_EQ(s.TFFinalFrames, 30);

    lines[34] = "-1";
    s = StartupState();
    Load(lines, s, c);
    EXPECT_EQ(s.Reps, 0);
}

TEST(SettingsFile, ZeroOrNegativeStepSizeIsABadValue) {
    for (const char* bad : {"0", "-0.000125", "nan", "1e999"}) {
        TestState s = StartupState();
        ControlSettings c;
        QStringList lines = GoodLines();
        lines[6] = bad;
        const SettingsLoadOutcome outcome = Load(lines, s, c);
        EXPECT_TRUE(outcome.recovery1) << bad;
        EXPECT_EQ(s.StepSize, 0.000125) << bad;
    }
}

// Steps and moves no tester's drive makes are refused, naming the value and the limit.
TEST(SettingsFile, StepsAndMovesBeyondATestersReachAreRefusedByName) {
    struct Case {
        int line;
        const char *text, *reason;
    };
    const Case cases[] = {
        {7, "0.0000000005",
         "StepSize is 0.0000000005 inch per half step; a tester's full step "
         "is 0.000005 to 4 inches"},
        {43, "100000000",
         "LRLgMove is 100000000 half steps; no tester travels that far: a move "
         "is at most 1600000 half steps (4 inches at the finest full step of "
         "0.000005 inch)."},
        {42, "1600000", nullptr},
    };
    for (const Case& c : cases) {
        TestState s = StartupState();
        ControlSettings controls;
        QStringList lines = GoodLines();
        lines[c.line - 1] = c.text;
        const SettingsLoadOutcome outcome = Load(lines, s, controls);
        if (!c.reason) {
            EXPECT_TRUE(outcome.loaded) << c.line;
            EXPECT_EQ(s.LRSmMove, 1600000);
            continue;
        }
        EXPECT_EQ(outcome.failedLine, c.line);
        EXPECT_TRUE(outcome.failedReason.startsWith(c.reason)) << qPrintable(outcome.failedReason);
        EXPECT_EQ(outcome.recovery1, c.line == 7) << c.line;
        EXPECT_NE(s.LRLgMove, 100000000);
    }
}

TEST(SettingsFile, ExtraLinesAreIgnoredAndJunkNeverCrashes) {
    TestState s = StartupState();
    ControlSettings c;
    QStringList lines = GoodLines();
    lines << "True"
          << "junk" << QString(5000, 'x');
    EXPECT_TRUE(Load(lines, s, c).loaded);

    // Binary junk as the file would read it.
    QTemporaryDir dir;
    const QString path = dir.filePath("quenz.ini");
    QByteArray junk(4096, '\0');
    QRandomGenerator rng(7);
    for (char& b : junk) b = static_cast<char>(rng.bounded(256));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(junk);
    file.close();
    QStringList read;
    const bool ok = ReadTextLines(path, read);
    s = StartupState();
    const SettingsLoadOutcome outcome = ApplySettingsLines(ok, read, s, c, "/prog");
    EXPECT_TRUE(outcome.recovery1);
    EXPECT_EQ(s.units, "\"");

    // An empty file fails at its first line.
    s = StartupState();
    EXPECT_EQ(Load({}, s, c).failedLine, 1);
}

TEST(SettingsFile, CaptionLinesWithControlCharactersAreRejected) {
    TestState s = StartupState();
    ControlSettings c;
    QStringList lines = GoodLines();
    lines[23] = QString("Mirror") + QChar(0) + "x";
    EXPECT_EQ(Load(lines, s, c).failedLine, 24);
    EXPECT_EQ(c.Mnu[2], "&2 Mirror 2");
    EXPECT_EQ(c.Mnu[3], "mnu");
}

TEST(SettingsFile, UnitsFollowMetricAfterEveryLoad) {
    TestState s = StartupState();
    ControlSettings c;
    QStringList lines = GoodLines();
    lines[7] = "False";
    Load(lines, s, c);
    EXPECT_EQ(s.units, "\"");
    lines[7] = "True";
    lines[40] = "";  // zone 3 fails, units are still set
    Load(lines, s, c);
    EXPECT_EQ(s.units, "mm");
}

TEST(SettingsFile, RecentMirrorEntriesAreShownUnlessEmptyOrDesignCaption) {
    EXPECT_FALSE(MirrorEntryVisible(""));
    EXPECT_FALSE(MirrorEntryVisible("mnu"));
    EXPECT_TRUE(MirrorEntryVisible("Mnu"));
    EXPECT_TRUE(MirrorEntryVisible("&1 Ten inch f/5"));
}

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Joined(const QStringList& lines) {
    return (lines.join("\r\n") + "\r\n").toUtf8();
}

}  // namespace

TEST(SettingsFile, ReplacementCharacterCaptionKeepsEveryLaterLine) {
    // A saved file whose first recent mirror's name holds U+FFFD.
    QStringList original;
    ASSERT_TRUE(ReadSettingsFile(DRELMONT_TEST_DATA_DIR "/findings/fffd.quenz.ini", original));
    ASSERT_EQ(original.size(), kSettingsLineCount);
    TestState s = StartupState();
    ControlSettings c;
    EXPECT_TRUE(Load(original, s, c).loaded);
    EXPECT_EQ(c.Mnu[1], QString("Miroir t") + QChar::ReplacementCharacter);
    EXPECT_EQ(c.Mnu[4], "&3 Good Mirror");
    EXPECT_EQ(c.Maxdelay, 1234);
    EXPECT_EQ(s.LRStepSize, 0.0005);

    // Saved and read again, every line comes back.
    QTemporaryDir dir;
    const QString path = dir.filePath("quenz.ini");
    ASSERT_TRUE(WriteTextLines(path, BuildSettingsLines(s, c)));
    QStringList again;
    ASSERT_TRUE(ReadSettingsFile(path, again));
    EXPECT_EQ(again, original);
    EXPECT_EQ(FileBytes(path), FileBytes(DRELMONT_TEST_DATA_DIR "/findings/fffd.quenz.ini"));
}

TEST(SettingsFile, CaptionAndFolderLinesTakeAnyTextButLineBreaksAndNul) {
    QStringList lines = GoodLines();
    QByteArray bytes = Joined(lines);
    // Latin-1 bytes (not UTF-8) in a caption, a folder and a recent mirror, and
    // control characters in another.
    bytes.replace("&Reverse L/R Motor", "&Inverser moteur \xE9tag\xE9");
    bytes.replace("/home/me/figure 45", "C:\\Fig\xFCre");
    bytes.replace("&3 Mirror 3", "Miroir \xE0 3");
    bytes.replace("&4 Mirror 4", "Mirror\x01\x1B 4");
    QTemporaryDir dir;
    const QString path = dir.filePath("quenz.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QStringList read;
    ASSERT_TRUE(ReadSettingsFile(path, read));
    TestState s = StartupState();
    ControlSettings c;
    EXPECT_TRUE(Load(read, s, c).loaded);
    EXPECT_EQ(c.mnuTFswapCaption, QString::fromUtf8("&Inverser moteur étagé"));
    EXPECT_EQ(s.FigurePath, QString::fromUtf8("C:\\Figüre"));
    EXPECT_EQ(c.Mnu[3], QString::fromUtf8("Miroir à 3"));
    EXPECT_EQ(c.Mnu[4], QString("Mirror\x01\x1B 4"));

    for (const QString& bad : {QString("Mir\rror"), QString("Mir") + QChar(0) + "ror"}) {
        lines[12] = bad;
        EXPECT_EQ(Load(lines, s, c).failedLine, 13);
    }
}

TEST(SettingsFile, TextWithALineBreakIsWrittenAsOneLine) {
    TestState s = StartupState();
    ControlSettings c;
    FillDistinct(s, c);
    s.textpath = "/data/two\nlines";
    c.Mnu[2] = "&2 Mir\r\nror";
    c.mnuLRswapCaption = QString("&Rev") + QChar(0) + "erse";
    QTemporaryDir dir;
    const QString path = dir.filePath("quenz.ini");
    ASSERT_TRUE(WriteTextLines(path, BuildSettingsLines(s, c)));
    QStringList read;
    ASSERT_TRUE(ReadSettingsFile(path, read));
    TestState t = StartupState();
    ControlSettings tc;
    EXPECT_TRUE(Load(read, t, tc).loaded);
    EXPECT_EQ(t.textpath, "/data/two");
    EXPECT_EQ(tc.Mnu[2], "&2 Mir");
    EXPECT_EQ(tc.mnuLRswapCaption, "&Rev");
    EXPECT_EQ(t.LRStepSize, s.LRStepSize);
}
