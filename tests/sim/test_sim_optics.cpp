#include <gtest/gtest.h>

#include <cmath>

#include "sim/SimOptics.h"

namespace {

constexpr double kHalfStep = 0.000125;

SimSettings Quiet(bool knifeRight, bool fixedSource) {
    SimSettings s;
    s.knifeRight = knifeRight;
    s.fixedSource = fixedSource;
    s.noiseSigma = 0;
    return s;
}

double NullOf(const SimOptics& optics, double h) {
    const SimSettings& s = optics.settings();
    return s.fixedSource ? optics.nullDistanceFixed(h, s.radiusOfCurvature + s.platformStart)
                         : optics.nullDistanceMoving(h);
}

// Right half minus left half of the zone of radius h, with the knife plane at z.
double Imbalance(const SimOptics& optics, double h, double z) {
    const SimPose pose = optics.poseAtDistance(z);
    return optics.brightness(pose, h, 0) - optics.brightness(pose, -h, 0);
}

// The knife plane where the zone's two halves are equally bright.
double EqualPoint(const SimOptics& optics, double h) {
    double low = NullOf(optics, h) - 100 * kHalfStep, high = NullOf(optics, h) + 100 * kHalfStep;
    const bool lowSign = Imbalance(optics, h, low) > 0;
    for (int i = 0; i < 80; ++i) {
        const double mid = (low + high) / 2;
        ((Imbalance(optics, h, mid) > 0) == lowSign ? low : high) = mid;
    }
    return (low + high) / 2;
}

struct Case {
    bool knifeRight;
    bool fixedSource;
};

class NullChecks : public ::testing::TestWithParam<Case> {};

}  // namespace

TEST(SimOptics, NullDistancesOfAParaboloidAndASphere) {
    SimOptics paraboloid{SimSettings()};
    const double R = 96;
    for (double h : {0.5, 1.0, 2.0, 3.0, 3.9}) {
        EXPECT_NEAR(paraboloid.nullDistanceMoving(h), R + h * h / (2 * R), 1e-9) << h;
        // Fixed source: twice as far from R, to first order.
        EXPECT_NEAR(paraboloid.nullDistanceFixed(h, R), R + h * h / R, 2e-4) << h;
    }
    SimSettings sphere;
    sphere.conicConstant = 0;
    SimOptics spherical(sphere);
    for (double h : {0.5, 2.0, 3.9}) {
        EXPECT_NEAR(spherical.nullDistanceMoving(h), R, 1e-9) << h;
        EXPECT_NEAR(spherical.nullDistanceFixed(h, R), R, 1e-9) << h;
    }
}

TEST(SimOptics, TurnedEdgeMovesOnlyTheOuterNulls) {
    SimSettings edged;
    edged.edgeHeight = 0.00001;  // about a wave, removed at the rim
    edged.edgeZone = 0.2;        // over the outer 0.8 inch
    SimOptics perfect{SimSettings()}, turned(edged);
    EXPECT_DOUBLE_EQ(turned.nullDistanceMoving(2.0), perfect.nullDistanceMoving(2.0));
    EXPECT_DOUBLE_EQ(turned.sag(3.2), perfect.sag(3.2));
    EXPECT_NEAR(turned.sag(4.0), perfect.sag(4.0) - 0.00001, 1e-12);
    // The edge falls away: its slope is smaller, its normals cross farther out.
    EXPECT_GT(turned.nullDistanceMoving(3.9), perfect.nullDistanceMoving(3.9) + 10 * kHalfStep);
}

TEST_P(NullChecks, HalvesAreEqualAtTheNullAndTheRightSideBrightensOffIt) {
    const Case c = GetParam();
    SimOptics optics(Quiet(c.knifeRight, c.fixedSource));
    for (double h : {0.5, 1.5, 2.5, 3.5, 3.9}) {
        const double null = NullOf(optics, h);
        const SimPose atNull = optics.poseAtDistance(null);
        // The knife splits the return image: both halves are part lit, nearly alike.
        const double right = optics.brightness(atNull, h, 0),
                     left = optics.brightness(atNull, -h, 0);
        EXPECT_GT(right, 60) << h;
        EXPECT_LT(right, 180) << h;
        EXPECT_NEAR(right, left, 4) << h;

        // Inside the null (nearer the mirror) the side away from the knife is the
        // brighter one; outside, the knife's side.
        const double inside = Imbalance(optics, h, null - 20 * kHalfStep);
        const double outside = Imbalance(optics, h, null + 20 * kHalfStep);
        const double knifeSide = c.knifeRight ? 1 : -1;
        EXPECT_LT(inside * knifeSide, -2) << h;
        EXPECT_GT(outside * knifeSide, 2) << h;
    }
}

TEST_P(NullChecks, EqualBrightnessSitsAtTheNullShiftedAlikeForEveryZone) {
    const Case c = GetParam();
    SimOptics optics(Quiet(c.knifeRight, c.fixedSource));
    // The slit beside the knife shifts every zone's balance point by the same
    // small distance, so readings taken from zone 1 are those of the normals.
    const double shift1 = EqualPoint(optics, 0.5) - NullOf(optics, 0.5);
    EXPECT_LT(std::fabs(shift1), 3 * kHalfStep);
    for (double h : {1.5, 2.5, 3.5, 3.9})
        EXPECT_NEAR(EqualPoint(optics, h) - NullOf(optics, h), shift1, 0.05 * kHalfStep) << h;

    // With the slit right at the knife the balance point is the null itself.
    SimSettings close = optics.settings();
    close.separation = 0.005;
    SimOptics near(close);
    for (double h : {0.5, 2.5, 3.9}) {
        EXPECT_NEAR(EqualPoint(near, h), NullOf(near, h), 0.01 * kHalfStep) << h;
        const SimPose atNull = near.poseAtDistance(NullOf(near, h));
        EXPECT_NEAR(near.brightness(atNull, h, 0), near.brightness(atNull, -h, 0), 0.05) << h;
    }
}

INSTANTIATE_TEST_SUITE_P(KnifeAndSource, NullChecks,
                         ::testing::Values(Case{false, false}, Case{true, false}, Case{false, true},
                                           Case{true, true}),
                         [](const auto& info) {
                             return std::string(info.param.knifeRight ? "KnifeRight"
                                                                      : "KnifeLeft") +
                                    (info.param.fixedSource ? "FixedSource" : "MovingSource");
                         });

TEST(SimOptics, MotorStepsMoveKnifeAndPlatformAsTheRigDoes) {
    SimSettings s;
    s.platformStart = 0.01;
    s.fixedSource = true;
    SimOptics optics(s);
    const SimPose start = optics.poseForSteps(0, 0);
    EXPECT_DOUBLE_EQ(start.knifeZ, 96.01);
    EXPECT_DOUBLE_EQ(start.sourceX, 0.125);  // knife on the left: source to its right
    EXPECT_DOUBLE_EQ(start.knifeX, -0.125);  // on the source's return image
    const SimPose moved = optics.poseForSteps(8, -80);
    EXPECT_NEAR(moved.knifeX, -0.125 + 8 * kHalfStep, 1e-12);
    EXPECT_NEAR(moved.knifeZ, 96.01 - 80 * kHalfStep, 1e-9);
    EXPECT_DOUBLE_EQ(moved.sourceZ, 96.01);  // a fixed source stays where the platform started
}

TEST(SimOptics, FrameShowsTheModelPixelForPixel) {
    SimSettings s = Quiet(false, false);
    SimOptics optics(s);
    const SimPose pose = optics.poseAtDistance(optics.nullDistanceMoving(2.5) - 0.002);
    const QImage frame = optics.render(pose, 0);
    ASSERT_EQ(frame.size(), QSize(320, 240));
    ASSERT_EQ(frame.format(), QImage::Format_RGB32);
    for (int px : {70, 100, 150, 160, 190, 230, 255})
        for (int py : {40, 120, 170}) {
            const double u = optics.mirrorU(px), v = optics.mirrorV(py);
            const QRgb pixel = frame.pixel(px, py);
            EXPECT_EQ(qRed(pixel), qGreen(pixel));
            EXPECT_EQ(qRed(pixel), qBlue(pixel));
            if (std::hypot(u, v) > 4) {
                EXPECT_EQ(qRed(pixel), 6) << px << "," << py;
            } else {
                EXPECT_EQ(qRed(pixel), std::lrint(optics.brightness(pose, u, v)))
                    << px << "," << py;
            }
        }
    // Zone radius 2.5 of an 8-inch mirror lies 78.125 pixels from the centre.
    EXPECT_GT(qRed(frame.pixel(160 + 78, 120)), qRed(frame.pixel(160 - 78, 120)) + 10);
}

TEST(SimOptics, NoiseIsSeededByTheFrameNumberAndDriftShiftsTheImage) {
    SimOptics optics{SimSettings()};
    const SimPose pose = optics.poseForSteps(0, 0);
    const QImage a = optics.render(pose, 7), b = SimOptics(SimSettings()).render(pose, 7);
    EXPECT_EQ(a, b);
    const QImage next = optics.render(pose, 8);
    EXPECT_NE(a, next);

    // The noise has the set spread around the noiseless level.
    SimSettings quiet = optics.settings();
    quiet.noiseSigma = 0;
    const QImage clean = SimOptics(quiet).render(pose, 7);
    double sum = 0, sumSquares = 0;
    int n = 0;
    for (int y = 60; y < 180; ++y)
        for (int x = 100; x < 220; ++x) {
            const double d = qRed(a.pixel(x, y)) - qRed(clean.pixel(x, y));
            sum += d;
            sumSquares += d * d;
            ++n;
        }
    EXPECT_NEAR(sum / n, 0, 0.1);
    EXPECT_NEAR(std::sqrt(sumSquares / n), 2, 0.2);

    // A drift of (5, -3) pixels moves the whole disc, noise and all.
    const QImage shifted = optics.render(pose, 7, 5, -3);
    EXPECT_EQ(shifted.pixel(165, 117), a.pixel(160, 120));
    EXPECT_EQ(shifted.pixel(105, 57), a.pixel(100, 60));
    EXPECT_EQ(shifted.pixel(289, 117), a.pixel(284, 120));  // inside the shifted rim
    EXPECT_EQ(qRed(shifted.pixel(291, 117)), 6);            // beyond it
}
