#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "sim/SimSettings.h"

// Where the source and the knife stand, in inches: the knife edge at x = knifeX in
// the plane z = knifeZ, the slit at x = sourceX in the plane z = sourceZ. The
// mirror's vertex is at the origin, its axis along z towards the tester.
struct SimPose {
    double knifeX = 0;
    double knifeZ = 0;
    double sourceX = 0;
    double sourceZ = 0;
};

// The optical model of the tester: exact ray geometry from the slit to the
// mirror and back to the knife plane. Pure and seeded: the same settings, pose
// and frame number give the same picture.
class SimOptics {
  public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;

    explicit SimOptics(const SimSettings& settings = SimSettings());

    // Settings are taken as given; the caller checks them with SimSettingsProblem.
    void setSettings(const SimSettings& settings);
    const SimSettings& settings() const { return settings_; }

    // The pose for the motors' positions: knife half steps to the right, platform
    // half steps away from the mirror.
    SimPose poseForSteps(int64_t knifeSteps, int64_t platformSteps) const;
    // The pose with the knife plane (and a moving source) at distance z from the
    // mirror's vertex, the knife at its start.
    SimPose poseAtDistance(double z) const;

    // The surface: sag z(r) and its slope dz/dr, turned edge included.
    double sag(double r) const;
    double slope(double r) const;

    // Where the return image of the slit's centre, reflected at mirror point
    // (u, v), crosses the knife plane (its x).
    double returnX(const SimPose& pose, double u, double v) const;
    // Brightness of mirror point (u, v) without noise and before rounding; the
    // background level outside the mirror.
    double brightness(const SimPose& pose, double u, double v) const;

    // The knife plane where a zone of radius h nulls: for a moving source, where
    // the zone's normals cross the axis; for a source fixed on the axis at
    // sourceZ, where the zone's reflected rays cross it.
    double nullDistanceMoving(double h) const;
    double nullDistanceFixed(double h, double sourceZ) const;

    // Pixel (px, py) of the picture as a mirror point, in inches.
    double mirrorU(double px) const;
    double mirrorV(double py) const;

    // A 320 x 240 grey frame (RGB32). The image stands shifted by whole pixels
    // (shiftX, shiftY); frameNumber seeds the noise.
    QImage render(const SimPose& pose, uint64_t frameNumber, int shiftX = 0, int shiftY = 0) const;

  private:
    // One pixel of the mirror's disc: its offset from the picture's origin and the
    // mirror point and unit normal it shows; fixed for the settings.
    struct Texel {
        int px, py;
        double x, y, z;
        double nx, ny, nz;
    };
    void buildTexels();
    double transmitted(const SimPose& pose, double x, double y, double z, double nx, double ny,
                       double nz) const;

    SimSettings settings_;
    std::vector<Texel> texels_;
};
