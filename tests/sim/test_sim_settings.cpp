#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <functional>

#include "common/TestData.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "sim/SimSettings.h"
#include "sim/SimTester.h"

namespace {

SimSettings Unusual() {
    SimSettings s;
    s.mirrorDiameter = 10.25;
    s.radiusOfCurvature = 88.5;
    s.conicConstant = -1.2;
    s.edgeHeight = -0.0000125;
    s.edgeZone = 0.15;
    s.slitWidth = 0.0015;
    s.fixedSource = true;
    s.separation = 0.3;
    s.knifeRight = true;
    s.centreX = 150.5;
    s.centreY = 110;
    s.radiusPixels = 90;
    s.background = 3;
    s.dark = 12;
    s.peak = 200;
    s.noiseSigma = 1.5;
    s.driftX = 0.5;
    s.driftY = -0.25;
    s.frameRate = 0;
    s.knifeStart = 0.001;
    s.platformStart = -0.05;
    s.knifeTravel = 0.0000625;
    s.platformTravel = 0.00025;
    s.knifeHighNibble = true;
    s.activeLow = true;
    s.knifeReversed = true;
    s.platformReversed = true;
    return s;
}

class SimSettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        SetAppPath(dir_.path());
        path_ = dir_.filePath(QStringLiteral("simulator.ini"));
    }
    void Write(const QStringList& lines) { ASSERT_TRUE(WriteTextLines(path_, lines)); }

    QTemporaryDir dir_;
    QString path_;
};

}  // namespace

TEST_F(SimSettingsFile, EverySettingSurvivesTheRoundTrip) {
    ASSERT_TRUE(SaveSimSettings(path_, Unusual()));
    QFile file(path_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("MirrorDiameter=10.25\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nFixedSource=True\r\n"));
    EXPECT_TRUE(bytes.endsWith("PlatformReversed=True\r\n"));

    SimSettings read;
    ASSERT_TRUE(LoadSimSettings(path_, read));
    EXPECT_EQ(read, Unusual());
}

// A damaged file keeps what is sound in it and names, in the log box's lines,
// the file, each line not used and why; the first save keeps it beside the new.
TEST_F(SimSettingsFile, MissingOrBadFileGivesTheDefaults) {
    SimSettings read = Unusual();
    QStringList report;
    EXPECT_FALSE(LoadSimSettings(path_, read, &report));
    EXPECT_EQ(read, SimSettings());
    EXPECT_TRUE(report.isEmpty());  // missing: a first run

    struct Case {
        QStringList lines;
        int badLine;
        const char* why;
        std::function<void(SimSettings&)> kept;  // the sound values, beside the defaults
    };
    const Case cases[] = {
        {{"KnifeRight=True", "garbage"},
         2,
         "it is not of the form Name=value.",
         [](SimSettings& s) { s.knifeRight = true; }},
        {{"MirrorDiameter=eight"}, 1, "the value is not a number.", nullptr},
        {{"FixedSource=maybe"}, 1, "the value is not True or False.", nullptr},
        {{"Peak=300"}, 1, "Background, dark and peak levels must lie between 0 and 255.", nullptr},
        {{"KnifeRight=True", "RadiusPixels=300", "Peak=200"},
         2,
         "The mirror's radius in the picture must lie between 1 and 240 pixels.",
         [](SimSettings& s) { s.knifeRight = true, s.peak = 200; }},
        {{"PlatformTravel=0"}, 1, "The travel per half step must lie between", nullptr},
        {{"RadiusOfCurvature=3"}, 1, "The radius of curvature must be at least", nullptr},
        // The sag has no value at the rim with K = 5; the mirror's size stays.
        {{"MirrorDiameter=40", "RadiusOfCurvature=41", "ConicConstant=5"},
         3,
         "The radius of curvature must be at least",
         [](SimSettings& s) { s.mirrorDiameter = 40, s.radiusOfCurvature = 41; }},
    };
    for (const Case& c : cases) {
        const QString text = c.lines.join(QLatin1Char('|'));
        Write(c.lines);
        read = Unusual();
        report.clear();
        EXPECT_FALSE(LoadSimSettings(path_, read, &report)) << qPrintable(text);
        SimSettings expected;
        if (c.kept) c.kept(expected);
        EXPECT_EQ(read, expected) << qPrintable(text);
        ASSERT_EQ(report.size(), 1) << qPrintable(text);
        EXPECT_TRUE(report[0].startsWith(QStringLiteral("%1, line %2 \"%3\" was not used: %4")
                                             .arg(path_)
                                             .arg(c.badLine)
                                             .arg(c.lines[c.badLine - 1], c.why)))
            << qPrintable(report[0]);

        const std::shared_ptr<SimTester> tester = SimTester::Load();
        EXPECT_EQ(tester->takeLoadReport().size(), 2);
        tester->saveSettings();
        QStringList kept;
        ASSERT_TRUE(ReadTextLines(SimTester::SettingsBackupPath(), kept));
        EXPECT_EQ(kept, c.lines);
        ASSERT_TRUE(LoadSimSettings(path_, read)) << "the new file is whole";
        EXPECT_EQ(read, expected);
    }
}

TEST_F(SimSettingsFile, MissingLinesKeepDefaultsAndUnknownNamesAreSkipped) {
    Write({QStringLiteral("frameRate=0"), QStringLiteral("Colour=blue"), QString(),
           QStringLiteral("KnifeRight=true")});
    SimSettings read;
    ASSERT_TRUE(LoadSimSettings(path_, read));
    SimSettings expected;
    expected.frameRate = 0;
    expected.knifeRight = true;
    EXPECT_EQ(read, expected);
}

TEST_F(SimSettingsFile, AFileFromBeforeTheLargerDefaultDiscKeepsItsRadius) {
    Write({QStringLiteral("RadiusPixels=100"), QStringLiteral("FrameRate=30")});
    SimSettings read;
    ASSERT_TRUE(LoadSimSettings(path_, read));
    EXPECT_EQ(read.radiusPixels, 100);
    EXPECT_EQ(SimSettings().radiusPixels, 125);
}

TEST_F(SimSettingsFile, TesterTakesGoodSettingsKeepsPositionsAndSavesInTheProgramFolder) {
    SimTester tester;
    auto port = tester.port();
    port->setPositions(12, -40);
    SimSettings bad = Unusual();
    bad.slitWidth = 0;
    EXPECT_FALSE(tester.applySettings(bad));
    EXPECT_EQ(tester.settings(), SimSettings());

    ASSERT_TRUE(tester.applySettings(Unusual()));
    EXPECT_EQ(tester.settings(), Unusual());
    EXPECT_EQ(port->knifeSteps(), 12);
    EXPECT_EQ(port->platformSteps(), -40);
    EXPECT_TRUE(port->wiring().knifeHighNibble);
    EXPECT_TRUE(port->wiring().activeLow);
    const SimPose pose = tester.pose();
    EXPECT_NEAR(pose.knifeX, 0.15 + 0.001 + 12 * 0.0000625, 1e-12);  // knife right of source
    EXPECT_NEAR(pose.knifeZ, 88.5 - 0.05 - 40 * 0.00025, 1e-9);

    EXPECT_EQ(QDir(SimTester::SettingsPath()).absolutePath(), QDir(path_).absolutePath());
    ASSERT_TRUE(tester.saveSettings());
    SimSettings read;
    ASSERT_TRUE(LoadSimSettings(path_, read));
    EXPECT_EQ(read, Unusual());
}

TEST_F(SimSettingsFile, TesterFramesRepeatRunToRun) {
    SimSettings s;
    s.frameRate = 0;
    SimTester first(s), second(s);
    for (int i = 0; i < 3; ++i) {
        first.port()->setPositions(i * 8, i * -80);
        second.port()->setPositions(i * 8, i * -80);
        EXPECT_EQ(first.renderFrame(), second.renderFrame()) << i;
    }
    EXPECT_EQ(first.framesRendered(), 3u);
}

TEST_F(SimSettingsFile, SettingsAtTheEdgeOfTheChecksAreRefusedWithTheirReason) {
    // The rim of a K = 9 mirror whose R^2 is (1 + K) (D/2)^2 up to rounding:
    // the sag's square root is 0 there.
    QFile boundary(path_);
    ASSERT_TRUE(boundary.open(QIODevice::WriteOnly));
    boundary.write(TestDataFile("findings/sim-boundary.simulator.ini"));
    boundary.close();
    SimSettings read;
    EXPECT_FALSE(LoadSimSettings(path_, read));
    SimSettings s;
    s.mirrorDiameter = 8, s.conicConstant = 9, s.radiusOfCurvature = 12.649110640673518;
    EXPECT_TRUE(SimSettingsProblem(s).startsWith("The radius of curvature must be at least"));
    s.radiusOfCurvature = std::sqrt(11.0 * 16);  // the rim at 45 degrees
    EXPECT_EQ(SimSettingsProblem(s), "");
    // With K = 8 that radius lies on the limit, but the file's 15 digits
    // (12.6491106406735) lie below it: refused, as the file would be.
    s.conicConstant = 8, s.radiusOfCurvature = 12.649110640673518;
    EXPECT_NE(SimSettingsProblem(s), "");
    double roc = std::sqrt(10.0 * 16);
    for (int i = 0; i < 100; ++i, roc = std::nextafter(roc, 100.0)) {
        s.radiusOfCurvature = roc;
        if (!SimSettingsProblem(s).isEmpty()) continue;
        SimSettings written;
        ASSERT_TRUE(ParseSimSettings(SimSettingsLines(s), written)) << i;
    }

    // A frame every 10^12 s would hold a paced grab for ever.
    ASSERT_TRUE(boundary.open(QIODevice::WriteOnly));
    boundary.write(TestDataFile("findings/simrate.simulator.ini"));
    boundary.close();
    EXPECT_FALSE(LoadSimSettings(path_, read));
    SimSettings rate;
    for (double fps : {1e-12, 0.5, -1.0, 121.0}) {
        rate.frameRate = fps;
        EXPECT_EQ(SimSettingsProblem(rate),
                  "The frame rate must be 0 (no pacing) or lie between 1 and 120 a second.");
    }
    for (double fps : {0.0, 1.0, 120.0}) {
        rate.frameRate = fps;
        EXPECT_EQ(SimSettingsProblem(rate), "");
    }
}
