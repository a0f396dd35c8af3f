// A whole test on the simulated tester with all three result formats chosen, as
// a new user would run it: the plain-text, Figure45 and SixTests files must read
// back to the readings of the test, each within its own rounding.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>

#include "MagicRig.h"
#include "core/NumberText.h"
#include "mirror/ResultPaths.h"
#include "output/TextResults.h"
#include "platform/TextFile.h"

namespace {

QStringList Lines(const QString& path) {
    QStringList lines;
    ReadTextLines(path, lines);
    return lines;
}

double Number(const QString& text) {
    double value = NAN;
    EXPECT_TRUE(ParseNumber(text, value)) << text.toStdString();
    return value;
}

TEST(ThreeFormats, AWholeTestWritesTheSameReadingsInAllThreeFiles) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SetAppPath(folder.path());
    // The outside programs' folders hold stand-ins; nothing is started.
    for (const char* name : {"figure45/figure45.exe", "sixtests/sixtests.exe"}) {
        QDir().mkpath(QFileInfo(folder.filePath(name)).path());
        ASSERT_TRUE(CopyFileWhole(STANDIN_RECORDER, folder.filePath(name)));
    }
    magic::RigOptions options;
    options.editSettings = [&](TestState& s) {
        s.Savefigure = s.SaveSixtests = s.Savetext = true;
        s.FigurePath = folder.filePath("figure45");
        s.Sixtestspath = folder.filePath("sixtests");
    };
    magic::Rig rig(options);
    frmMain& w = rig.Start();
    w.SetBusyCountStep(std::chrono::nanoseconds(0));
    MsgBoxService::ClearHistory();

    rig.DoTheMagic();

    for (const MsgBoxRequest& message : MsgBoxService::History())
        ADD_FAILURE() << message.title.toStdString() << ": " << message.text.toStdString();
    ASSERT_EQ(w.TestStatus, "Test Complete! :)");
    ASSERT_EQ(w.WorkNum, 2);
    ASSERT_FALSE(w.Metric);
    const int zones = w.NZ, reps = w.Reps;
    ASSERT_EQ(zones, 6);
    ASSERT_EQ(reps, 3);
    auto reading = [&](int set, int zone) { return w.ZoneResults[set][zone]; };

    // Plain text, in the user's inches.
    const QStringList text = Lines(TextResultFilePath(w.textpath, "Mirror8", 1));
    ASSERT_EQ(text.size(), 1 + zones + 1);  // the closing empty line
    for (int zone = 1; zone <= zones; ++zone) {
        const QStringList values = text[zone].split('=').last().split('\t');
        ASSERT_EQ(values.size(), reps + 1);
        for (int set = 0; set <= reps; ++set) EXPECT_EQ(Number(values[set]), reading(set, zone));
    }

    // Figure45, in inches: set 0 on the zone lines, sets 1 to 3 after the count.
    const QStringList figure = Lines(FigureInputFilePath(w.textpath, "Mirror8", 1));
    ASSERT_EQ(figure.size(), 2 + 15 + 1 + 45 + 1);
    EXPECT_EQ(figure[0], "6 1 1");
    EXPECT_EQ(figure[17], "0 4");
    for (int zone = 1; zone <= zones; ++zone) {
        const QStringList parts = figure[1 + zone].split(' ');
        ASSERT_EQ(parts.size(), 3);
        EXPECT_NEAR(Number(parts[0]), 4 * w.ZoneRadius[zone], 1e-5);  // cut to 8 characters
        EXPECT_EQ(Number(parts[2]), reading(0, zone));
        for (int set = 1; set <= 3; ++set)
            EXPECT_EQ(Number(figure[18 + 3 * (zone - 1) + set - 1]), reading(set, zone));
    }

    // SixTests, in millimetres: each zone's mean to 3 places.
    const QStringList sixTests = Lines(SixTestsInputFilePath(w.textpath, "Mirror8", 1));
    ASSERT_EQ(sixTests.size(), 5 + zones + 4 + 1);
    EXPECT_EQ(sixTests[1], "203.2   38.1   Mirror, obstruction diameters (mm)");
    for (int zone = 1; zone <= zones; ++zone) {
        const QStringList parts = sixTests[4 + zone].split(' ');
        ASSERT_EQ(parts.size(), 2);
        double mean = 0;
        for (int set = 0; set <= reps; ++set) mean += reading(set, zone) * 25.4;
        mean /= reps + 1;
        EXPECT_NEAR(Number(parts[0]), 101.6 * w.ZoneRadius[zone], 0.05 + 1e-9);
        EXPECT_NEAR(Number(parts[1]), mean, 0.0005 + 1e-9) << "zone " << zone;
    }
    EXPECT_EQ(sixTests[5 + zones + 2], NumText(w.TestStdDev) + " Measurement std deviation, mm");
    // Copies of the programs are kept beside the files; the test state is still in inches.
    EXPECT_TRUE(
        QFile::exists(ResultFormatFolder(w.textpath, "Mirror8", "Figure") + "/figure45.exe"));
    EXPECT_TRUE(
        QFile::exists(ResultFormatFolder(w.textpath, "Mirror8", "SixTests") + "/sixtests.exe"));
    EXPECT_EQ(w.MirDiam, 8);
    EXPECT_EQ(w.Roc, 96);
}

}  // namespace
