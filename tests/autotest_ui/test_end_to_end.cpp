// "Do the Magic" through the real main window on the simulated tester: an 8-inch
// f/6 paraboloid, 6 zones, four sets of readings, moving source, for the knife
// on either side. Every reading must be what the simulated mirror gives, the
// results file must be written and read back as the previous test.

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>

#include "MagicRig.h"
#include "OwnFolder.h"
#include "autotest/AutoTest.h"
#include "core/NumberText.h"
#include "mirror/ResultPaths.h"
#include "output/TextResults.h"
#include "platform/ui/PictureBox.h"

namespace {

constexpr double kTolerance = 0.0015;  // inch

QStringList FileLines(const QString& path) {
    QStringList lines;
    ReadTextLines(path, lines);
    return lines;
}

class EndToEnd : public KnifeSideTest {};

TEST_P(EndToEnd, DoTheMagicReadsWhatTheSimulatedMirrorGivesAndSavesIt) {
    magic::RigOptions options;
    options.knifeRight = GetParam();
    // One side keeps the zone frames, the other the debug log.
    options.savePictures = options.knifeRight;
    options.showDebug = !options.knifeRight;
    magic::Rig rig(options);
    frmMain& w = rig.Start();
    ASSERT_TRUE(w.ZoneOn);
    ASSERT_EQ(w.NZ, 6);
    ASSERT_EQ(w.Reps, 3);
    ASSERT_EQ(w.KnifeRight, options.knifeRight);
    w.SetBusyCountStep(std::chrono::nanoseconds(0));
    const QString zoneTable = w.Text2->toPlainText();
    MsgBoxService::ClearHistory();

    rig.DoTheMagic();

    for (const MsgBoxRequest& message : MsgBoxService::History())
        ADD_FAILURE() << message.title.toStdString() << ": " << message.text.toStdString();
    EXPECT_EQ(w.TestStatus, "Test Complete! :)");
    double largest = 0;
    for (int run = 0; run <= 3; ++run)
        for (int zone = 1; zone <= 6; ++zone) {
            const double error = w.ZoneResults[run][zone] - rig.Ideal(zone);
            largest = std::max(largest, std::abs(error));
            EXPECT_LE(std::abs(error), kTolerance)
                << "run " << run << " zone " << zone << " reading " << w.ZoneResults[run][zone]
                << " ideal " << rig.Ideal(zone);
        }
    RecordProperty("largest_error_inch", QString::number(largest).toStdString());
    EXPECT_EQ(w.Xpos, 0);
    EXPECT_EQ(w.Ypos, 0);

    // The window as the test leaves it: live state back, the spread and time on
    // top of the readings, the zone table below them.
    EXPECT_TRUE(w.Manual);
    EXPECT_TRUE(w.Command3->isEnabled() && w.Command1->isEnabled() && w.Command5->isEnabled());
    EXPECT_FALSE(w.Picture3->isHidden());
    EXPECT_TRUE(w.MirRad->hasTracking());
    EXPECT_EQ(rig.port->last, 0);
    EXPECT_TRUE(w.Text1->toPlainText().isEmpty());
    const QStringList shown = w.Text2->toPlainText().split('\n');
    ASSERT_GT(shown.size(), 9);
    EXPECT_TRUE(shown[0].startsWith("Standard Deviation for this test was: "));
    EXPECT_TRUE(shown[0].endsWith("\""));
    EXPECT_TRUE(shown[1].startsWith("Elapsed Test Time, "));
    EXPECT_TRUE(shown[2].startsWith("Zone 1\t0\t0\t0\t0"));
    EXPECT_TRUE(w.Text2->toPlainText().endsWith(zoneTable));
    // Held in millimetres for the result files.
    EXPECT_LT(w.TestStdDev, kTolerance * 25.4);

    // Saved: the results file of test 1, the profile now at test 2.
    const QString results = TextResultFilePath(w.textpath, "Mirror8", 1);
    EXPECT_EQ(FileLines(results), TextResultLines(w, false));
    EXPECT_EQ(w.WorkNum, 2);
    EXPECT_EQ(FileLines(MirrorProfilePath("Mirror8")).value(6), "2");
    if (options.savePictures) {
        const QString images = TestImagesFolder(w.textpath, "Mirror8", 1);
        for (const char* name : {"/Zone1rep0.bmp", "/Raw_Zone6rep3.bmp"})
            EXPECT_TRUE(QFileInfo::exists(images + name)) << name;
    }
    if (options.showDebug) {
        QFile file(DebugLog());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n")) << "debug log lines must end in CR LF";
        const QString log = QString::fromUtf8(bytes);
        EXPECT_EQ(log.count("Found Zone "), 24);
        EXPECT_EQ(log.count("Rewinding "), 4);
        EXPECT_TRUE(log.contains("Standard Deviation for this test was: "));
    }

    // Choosing the mirror again shows this test's readings as the previous ones.
    w.Mnu_Click(1);
    const QString text2 = w.Text2->toPlainText();
    EXPECT_TRUE(text2.startsWith("Previous Zone Readings from Test #1:\n")) << text2.toStdString();
    for (int zone = 1; zone <= 6; ++zone) {
        QString line = QString("Old Zone %1 = ").arg(zone) + NumText(w.ZoneResults[0][zone]);
        for (int run = 1; run <= 3; ++run) line += " \t" + NumText(w.ZoneResults[run][zone]);
        EXPECT_TRUE(text2.contains(line + "\n")) << line.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(KnifeSide, EndToEnd, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "KnifeRight" : "KnifeLeft";
                         });

}  // namespace
