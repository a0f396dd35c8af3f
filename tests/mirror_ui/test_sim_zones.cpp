#include <QSlider>

#include "core/NumberText.h"
#include "mirror_ui_fixture.h"
#include "platform/ui/PictureBox.h"
#include "sim/SimOptics.h"

namespace {

constexpr double kHalfStep = 0.000125;
constexpr int kZones = 5;

struct Balance {
    int left = 0;
    int right = 0;
};

}  // namespace

// The simulated tester's 8-inch f/6 paraboloid, measured through the main window
// with a matching profile and the sliders on the simulator's disc: off a zone's
// null the zone's two halves differ as the knife-edge test says they must.
class SimulatedZones : public MirrorWindowTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        MirrorWindowTest::SetUp();
        PutProfile("Sim8", {"Sim8", "8", "96", "-1", "0", QString::number(kZones), "1"});
        w = std::make_unique<frmMain>();
        SetList(*w, {"Sim8"});
        w->Mnu_Click(1);
        ASSERT_TRUE(w->ZoneOn);

        SimSettings settings;
        settings.knifeRight = GetParam();
        optics.setSettings(settings);
        w->MirX->setValue(static_cast<int>(settings.centreX));
        w->MirY->setValue(static_cast<int>(settings.centreY));
        w->MirRad->setValue(static_cast<int>(settings.radiusPixels));
        w->KnifeRight = settings.knifeRight;
        w->Manual = true;
        w->AvgFrames = 1;
    }
    void TearDown() override {
        w.reset();
        MirrorWindowTest::TearDown();
    }

    // The zone's values with the platform (knife and moving source) at z.
    Balance MeasureAt(int zone, double z) {
        w->Picture1->canvas().SetPicture(optics.render(optics.poseAtDistance(z), ++frame));
        w->MeasureZones();
        return {w->LZV[zone], w->RZV[zone]};
    }

    // Where the zone nulls: the normals of the mirror points the window samples
    // cross the axis there.
    double NullOf(int zone) const {
        const SimSettings& s = optics.settings();
        const double pixels = RoundToLong(s.radiusPixels * w->ZoneRadius[zone]);
        return optics.nullDistanceMoving(pixels / s.radiusPixels * s.mirrorDiameter / 2);
    }

    std::unique_ptr<frmMain> w;
    SimOptics optics;
    uint64_t frame = 0;
};

TEST_P(SimulatedZones, BrighterSideTurnsToTheKnifeAcrossEachNull) {
    const bool knifeRight = GetParam();
    for (int zone = 1; zone <= kZones; ++zone) {
        SCOPED_TRACE(zone);
        const double null = NullOf(zone);
        const Balance inside = MeasureAt(zone, null - 40 * kHalfStep);
        const Balance outside = MeasureAt(zone, null + 40 * kHalfStep);
        // Knife side minus the opposite side.
        const int insideLead = knifeRight ? inside.right - inside.left : inside.left - inside.right;
        const int outsideLead =
            knifeRight ? outside.right - outside.left : outside.left - outside.right;
        EXPECT_LT(insideLead, -10) << inside.left << " " << inside.right;
        EXPECT_GT(outsideLead, 10) << outside.left << " " << outside.right;
    }
}

INSTANTIATE_TEST_SUITE_P(KnifeSides, SimulatedZones, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("KnifeRight")
                                               : std::string("KnifeLeft");
                         });
