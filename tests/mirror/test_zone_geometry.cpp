#include <gtest/gtest.h>

#include <cmath>

#include "MirrorTestFolder.h"
#include "mirror/ZoneGeometry.h"

namespace {

double Round5(double x) {
    return std::round(x * 1e5) / 1e5;
}

QStringList TableRows(const QString& text) {
    QStringList rows;
    for (const QString& line : text.split(QStringLiteral("\r\n")))
        if (!line.isEmpty() && line.at(0).isDigit()) rows.append(line);
    return rows;
}

}  // namespace

TEST(ZoneGeometry, EqualAreaRingsOfAnUnobstructedMirror) {
    const ZoneTableResult r = BuildZoneTable(10, 0, 100, 4, false);
    ASSERT_TRUE(r.ok) << r.reason.toStdString();
    const double edges[] = {0, 0.25, 0.5, 0.75, 1};
    const double radii[] = {0, 0.30619, 0.60798, 0.78857, 0.93421};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_DOUBLE_EQ(r.table.inner[i], std::sqrt(edges[i - 1])) << i;
        EXPECT_DOUBLE_EQ(r.table.outer[i], std::sqrt(edges[i])) << i;
        EXPECT_EQ(Round5(r.table.radius[i]), radii[i]) << i;
    }
    const QStringList rows = TableRows(r.table.text);
    ASSERT_EQ(rows.size(), 4);
    const char* radiusColumn[] = {"1.531", "3.04", "3.943", "4.671"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(rows[i].split('\t')[3], radiusColumn[i]);
    EXPECT_EQ(rows, QStringList({"1\t0\t2.5\t1.531\t0", "2\t2.5\t3.536\t3.04\t0.034",
                                 "3\t3.536\t4.33\t3.943\t0.066", "4\t4.33\t5\t4.671\t0.097"}));
    EXPECT_TRUE(
        r.table.text.startsWith("\r\nUse Zone data below for manual data "
                                "reduction\r\nZone\tInner\tOuter\tRadius\tPerf#\r\n"));
    EXPECT_TRUE(r.table.text.endsWith(
        "\r\n\r\nPefect Numbers are for a MOVING light Source and Parabolic Mirror!"));
}

TEST(ZoneGeometry, ObstructionAndFixedSource) {
    // Obstruction of half the diameter: a quarter of the area, held in single precision.
    const ZoneTableResult half = BuildZoneTable(8, 4, 60, 5, false);
    ASSERT_TRUE(half.ok);
    EXPECT_EQ(half.table.inner[1], 0.5);
    EXPECT_DOUBLE_EQ(half.table.outer[5], 1.0);

    // Perfect readings: zone 1 is 0, the others close to the paraboloid's, and a
    // fixed source doubles each (after the 3-decimal step).
    const ZoneTableResult moving = BuildZoneTable(200, 40, 2000, 6, false);
    const ZoneTableResult fixed = BuildZoneTable(200, 40, 2000, 6, true);
    ASSERT_TRUE(moving.ok && fixed.ok);
    const QStringList m = TableRows(moving.table.text), f = TableRows(fixed.table.text);
    ASSERT_EQ(m.size(), 6);
    EXPECT_EQ(m[0].split('\t')[4], "0");
    EXPECT_EQ(f[0].split('\t')[4], "0");
    const double h1 = 100 * moving.table.radius[1];
    for (int i = 1; i <= 6; ++i) {
        const double pm = m[i - 1].split('\t')[4].toDouble();
        const double h = 100 * moving.table.radius[i];
        EXPECT_NEAR(pm, (h * h - h1 * h1) / 4000, 0.0005) << i;
        EXPECT_EQ(f[i - 1].split('\t')[4].toDouble(), 2 * pm) << i;
    }
    EXPECT_TRUE(fixed.table.text.endsWith(
        "\r\nPefect Numbers are for a FIXED light Source and Parabolic Mirror!"));

    // An obstruction wider than the mirror runs the rings inward without failing.
    const ZoneTableResult inverted = BuildZoneTable(6, 8, 50, 3, false);
    ASSERT_TRUE(inverted.ok);
    EXPECT_GT(inverted.table.inner[1], inverted.table.outer[1]);
}

TEST(ZoneGeometry, RefusesWhatCannotGiveATable) {
    EXPECT_FALSE(BuildZoneTable(0, 0, 100, 4, false).ok);
    EXPECT_FALSE(BuildZoneTable(10, 0, 0, 4, false).ok);
    for (int zones : {0, -1, 17, 1000}) EXPECT_FALSE(BuildZoneTable(10, 0, 100, zones, false).ok);
    EXPECT_TRUE(BuildZoneTable(10, 0, 100, 1, false).ok);
    EXPECT_TRUE(BuildZoneTable(10, 0, 100, 16, false).ok);
    EXPECT_FALSE(BuildZoneTable(1e200, 1e200, 100, 4, false).ok);
    EXPECT_FALSE(BuildZoneTable(1e200, 0, 1, 4, false).ok);
}

TEST(ZoneGeometry, TableNumbersAreCutBeforeRounding) {
    EXPECT_EQ(ZoneTableNumber(123.4567), "123.456");
    EXPECT_EQ(ZoneTableNumber(2.34567), "2.346");
    EXPECT_EQ(ZoneTableNumber(-2.34567), "-2.346");
    EXPECT_EQ(ZoneTableNumber(1234567.89), "1234567");
    EXPECT_EQ(ZoneTableNumber(0), "0");
}

TEST(ZoneGeometry, PreviousReadingCut) {
    EXPECT_EQ(CutPreviousReading(" Zone 1 radius = 1.531\t Reading = 0.0123"), " = 0.0123");
    EXPECT_EQ(CutPreviousReading(" Zone 12 radius = 7.6543\t Reading = -0.5"), " = -0.5");
    EXPECT_EQ(CutPreviousReading(" Zone 2 radius = 3.1\t Readings = 0.01 \t0.02"),
              " = 0.01 \t0.02");
    // Radius texts too short for the scan to reach the second "= ".
    EXPECT_EQ(CutPreviousReading(" Zone 1 radius = 15\t Reading = 0.2"), " = 15\t Reading = 0.2");
    EXPECT_EQ(CutPreviousReading(" Zone 10 radius = 7.5\t Reading = 0.2"),
              " = 7.5\t Reading = 0.2");
    EXPECT_EQ(CutPreviousReading("= 5"), "= 5");
    EXPECT_EQ(CutPreviousReading("no equals"), "no equals");
}

TEST(ZoneGeometry, PreviousBlockSkipsBlankLinesAndIsBounded) {
    const QStringList lines = {"Mirror Diameter = 10 ROC = 100",
                               "",
                               " Zone 1 radius = 1.5309\t Reading = 0",
                               "",
                               " Zone 2 radius = 3.0399\t Reading = 0.0341",
                               ""};
    EXPECT_EQ(PreviousReadingsText(lines, 2),
              "Previous Zone Readings from Test #2:\r\nOld Zone 1 = 0\r\nOld Zone 2 = 0.0341\r\n");
    QStringList many(100, " Zone 1 radius = 1.5309\t Reading = 1");
    const QString text = PreviousReadingsText(many, 7);
    EXPECT_EQ(text.count("Old Zone"), 50);
}

class ZoneCalcTest : public MirrorFolderTest {
  protected:
    void SetUp() override {
        MirrorFolderTest::SetUp();
        state.MirDiam = 10;
        state.Roc = 100;
        state.NZ = 4;
        state.WorkFile = "Newt 10";
        state.textpath = Root() + "/TestResults";
    }
    TestState state;
};

TEST_F(ZoneCalcTest, FirstTestHasAnEmptyPreviousBlock) {
    state.WorkNum = 1;
    state.ZoneRadius[5] = 42;
    const ZoneCalcResult r = ComputeZones(state, false);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.text2.startsWith("\r\nUse Zone data below for manual data reduction\r\n"));
    EXPECT_EQ(Round5(state.ZoneRadius[4]), 0.93421);
    EXPECT_EQ(state.ZoneRadius[5], 42);  // slots above NZ keep their values
    EXPECT_EQ(state.ZoneOuter[2], std::sqrt(0.5));
}

TEST_F(ZoneCalcTest, ReadsThePreviousResultsFileInAnyLetterCase) {
    state.WorkNum = 3;
    Put("TestResults/newt 10/textdata/Test2.txt",
        "Mirror Diameter = 10 ROC = 100 Conic Constant = -1 Units are in Inches Moving Source "
        "Tester\r\n Zone 1 radius = 1.5309\t Reading = 0\r\n Zone 2 radius = 3.0399\t Reading = "
        "0.0341\r\n\r\n");
    const ZoneCalcResult r = ComputeZones(state, true);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.text2.startsWith(
        "Previous Zone Readings from Test #2:\r\nOld Zone 1 = 0\r\nOld Zone 2 = 0.0341\r\n\r\nUse "
        "Zone data below for manual data reduction\r\nZone\tInner\tOuter\tRadius\tPerf#\r\n1\t0"))
        << r.text2.toStdString();
    EXPECT_TRUE(r.text2.endsWith("FIXED light Source and Parabolic Mirror!"));
}

TEST_F(ZoneCalcTest, FailureLeavesTheStateAlone) {
    state.ZoneRadius[1] = 7;
    for (int zones : {0, 17}) {
        state.NZ = zones;
        EXPECT_FALSE(ComputeZones(state, false).ok);
    }
    state.NZ = 4;
    state.MirDiam = 0;
    const ZoneCalcResult r = ComputeZones(state, false);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.reason.isEmpty());
    EXPECT_EQ(state.ZoneRadius[1], 7);
}
