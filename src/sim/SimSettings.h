#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Every setting of the simulated Foucault tester. Lengths are in inches, picture
// values in pixels and grey levels, drift in pixels per minute.
struct SimSettings {
    // The mirror: diameter, vertex radius of curvature, conic constant, and an
    // optional turned edge: glass removed over the outer part of the radius,
    // growing from nothing at its start to edgeHeight at the rim (negative: a
    // turned-up edge).
    double mirrorDiameter = 8.0;
    double radiusOfCurvature = 96.0;
    double conicConstant = -1.0;
    double edgeHeight = 0.0;
    double edgeZone = 0.1;  // the turned edge covers this outer fraction of the radius

    // The light source and the knife.
    double slitWidth = 0.002;
    bool fixedSource = false;  // false: the source rides on the platform
    double separation = 0.25;  // lateral distance between source and knife
    bool knifeRight = false;   // knife on the right of the source

    // The picture the camera sees.
    double centreX = 160;
    double centreY = 120;
    double radiusPixels = 125;  // the main window's default mirror outline (MirRad)
    int background = 6;
    int dark = 8;
    int peak = 230;
    double noiseSigma = 2;
    double driftX = 0;  // slow drift of the image, pixels per minute
    double driftY = 0;
    double frameRate = 30;  // frames a second; 0 renders at once

    // Where the axes stand when the motors are at position 0: the knife's offset
    // from the image of the source, the platform's offset from the paraxial
    // centre of curvature (positive: away from the mirror).
    double knifeStart = 0;
    double platformStart = 0;

    // Travel per motor half step.
    double knifeTravel = 0.000125;
    double platformTravel = 0.000125;

    // The rig's wiring: which nibble the knife motor is on (the platform takes the
    // other), coils active low, and each motor's sense of rotation.
    bool knifeHighNibble = false;
    bool activeLow = false;
    bool knifeReversed = false;
    bool platformReversed = false;

    bool operator==(const SimSettings&) const = default;
};

// Limits of the settings the simulator accepts.
namespace SimLimits {
constexpr double kMaxDiameter = 100;
constexpr double kMaxConic = 10;
constexpr double kMaxEdgeHeight = 0.01;
constexpr double kMaxSlitWidth = 0.1;
constexpr double kMaxSeparation = 4;
constexpr double kMaxRadiusPixels = 240;
constexpr double kMaxNoise = 50;
constexpr double kMaxDrift = 600;
constexpr double kMinFrameRate = 1;  // or 0: no pacing
constexpr double kMaxFrameRate = 120;
constexpr double kMaxKnifeStart = 1;
constexpr double kMaxPlatformStart = 20;
constexpr double kMinTravel = 0.0000001;
constexpr double kMaxTravel = 0.01;
}  // namespace SimLimits

// Empty when the settings describe a tester the simulator can render, also as
// their file text reads them back; otherwise what is wrong, in words for the user.
QString SimSettingsProblem(const SimSettings& settings);

// The settings as "Name=value" lines, and back. Reading fails on a line that is
// not of that form, on a value that is not a number or a True/False, and on
// settings that SimSettingsProblem refuses; names it does not know are skipped
// and settings the text lacks keep their defaults.
QStringList SimSettingsLines(const SimSettings& settings);
bool ParseSimSettings(const QStringList& lines, SimSettings& settings);

// A line of the file that was not used: its number (from 1), its text and why.
struct SimSettingsIssue {
    int line = 0;
    QString text;
    QString why;
};

// Reads what it can: a line that is not "Name=value", whose value is no number
// (or True/False), or whose value SimSettingsProblem refuses beside the other
// values read, keeps that setting's default and is listed in issues (in line
// order). The result is always settings SimSettingsProblem accepts.
SimSettings ReadSimSettings(const QStringList& lines, QList<SimSettingsIssue>& issues);

// The file: a missing file gives the defaults (and false). A damaged one gives
// what ReadSimSettings keeps (and false), with one line for the user in report
// for each line that was not used, or for a file that could not be read.
bool LoadSimSettings(const QString& path, SimSettings& settings, QStringList* report = nullptr);
bool SaveSimSettings(const QString& path, const SimSettings& settings, QString* error = nullptr);
