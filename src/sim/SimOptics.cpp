#include "sim/SimOptics.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// splitmix64: a well-mixed 64-bit sequence from any seed.
uint64_t SplitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A table of standard normal samples, drawn once from a fixed seed.
constexpr int kNoiseBits = 14;
using NoiseTable = std::array<float, 1 << kNoiseBits>;

const NoiseTable& Noise() {
    static const NoiseTable table = [] {
        NoiseTable t{};
        uint64_t state = 0x5EEDF00Dull;
        for (size_t i = 0; i < t.size(); i += 2) {
            // Box-Muller from two uniforms in (0, 1].
            const double u1 = (static_cast<double>(SplitMix(state) >> 11) + 1.0) * 0x1.0p-53;
            const double u2 = static_cast<double>(SplitMix(state) >> 11) * 0x1.0p-53;
            const double radius = std::sqrt(-2.0 * std::log(u1));
            t[i] = static_cast<float>(radius * std::cos(2 * M_PI * u2));
            t[i + 1] = static_cast<float>(radius * std::sin(2 * M_PI * u2));
        }
        return t;
    }();
    return table;
}

inline uint32_t GreyPixel(int level) {
    return 0xFF000000u | (static_cast<uint32_t>(level) * 0x010101u);
}

}  // namespace

SimOptics::SimOptics(const SimSettings& settings) {
    setSettings(settings);
}

void SimOptics::setSettings(const SimSettings& settings) {
    settings_ = settings;
    buildTexels();
}

SimPose SimOptics::poseForSteps(int64_t knifeSteps, int64_t platformSteps) const {
    const SimSettings& s = settings_;
    const double startZ = s.radiusOfCurvature + s.platformStart;
    SimPose pose = poseAtDistance(startZ + static_cast<double>(platformSteps) * s.platformTravel);
    pose.knifeX += static_cast<double>(knifeSteps) * s.knifeTravel;
    return pose;
}

SimPose SimOptics::poseAtDistance(double z) const {
    const SimSettings& s = settings_;
    SimPose pose;
    // The slit stands beside the knife; its return image falls near -sourceX,
    // where the knife starts.
    pose.sourceX = s.knifeRight ? -s.separation / 2 : s.separation / 2;
    pose.knifeX = -pose.sourceX + s.knifeStart;
    pose.knifeZ = z;
    pose.sourceZ = s.fixedSource ? s.radiusOfCurvature + s.platformStart : z;
    return pose;
}

double SimOptics::sag(double r) const {
    const SimSettings& s = settings_;
    const double R = s.radiusOfCurvature;
    double z = r * r / (R + std::sqrt(R * R - (1 + s.conicConstant) * r * r));
    const double a = s.mirrorDiameter / 2;
    const double start = (1 - s.edgeZone) * a;
    if (s.edgeHeight != 0 && r > start) {
        const double t = (r - start) / (a - start);
        z -= s.edgeHeight * t * t;
    }
    return z;
}

double SimOptics::slope(double r) const {
    const SimSettings& s = settings_;
    const double R = s.radiusOfCurvature;
    double dz = r / std::sqrt(R * R - (1 + s.conicConstant) * r * r);
    const double a = s.mirrorDiameter / 2;
    const double start = (1 - s.edgeZone) * a;
    if (s.edgeHeight != 0 && r > start)
        dz -= 2 * s.edgeHeight * (r - start) / ((a - start) * (a - start));
    return dz;
}

double SimOptics::mirrorU(double px) const {
    return (px - settings_.centreX) / settings_.radiusPixels * settings_.mirrorDiameter / 2;
}

double SimOptics::mirrorV(double py) const {
    return (py - settings_.centreY) / settings_.radiusPixels * settings_.mirrorDiameter / 2;
}

// The fraction of the slit's image the knife leaves open, for the ray reflected
// at mirror point (x, y, z) with unit normal n.
double SimOptics::transmitted(const SimPose& pose, double x, double y, double z, double nx,
                              double ny, double nz) const {
    // Incident direction from the slit to the mirror point (its length does not
    // matter: only the ratio of the reflected components is used).
    const double dx = x - pose.sourceX;
    const double dy = y;
    const double dz = z - pose.sourceZ;
    const double dn = 2 * (dx * nx + dy * ny + dz * nz);
    const double rx = dx - dn * nx;
    const double rz = dz - dn * nz;
    if (!(rz > 1e-12)) return 0;  // never reaches the knife plane
    const double X = x + (pose.knifeZ - z) * rx / rz;
    const double w = settings_.slitWidth;
    const double open =
        settings_.knifeRight ? (pose.knifeX - (X - w / 2)) / w : ((X + w / 2) - pose.knifeX) / w;
    return std::clamp(open, 0.0, 1.0);
}

double SimOptics::returnX(const SimPose& pose, double u, double v) const {
    const double r = std::hypot(u, v);
    const double z = sag(r);
    const double m = slope(r);
    const double norm = 1 / std::sqrt(1 + m * m);
    const double nx = r > 0 ? -m * u / r * norm : 0;
    const double ny = r > 0 ? -m * v / r * norm : 0;
    const double nz = norm;
    const double dx = u - pose.sourceX, dy = v, dz = z - pose.sourceZ;
    const double dn = 2 * (dx * nx + dy * ny + dz * nz);
    return u + (pose.knifeZ - z) * (dx - dn * nx) / (dz - dn * nz);
}

double SimOptics::brightness(const SimPose& pose, double u, double v) const {
    const SimSettings& s = settings_;
    const double r = std::hypot(u, v);
    if (r > s.mirrorDiameter / 2) return s.background;
    const double z = sag(r);
    const double m = slope(r);
    const double norm = 1 / std::sqrt(1 + m * m);
    const double nx = r > 0 ? -m * u / r * norm : 0;
    const double ny = r > 0 ? -m * v / r * norm : 0;
    const double f = transmitted(pose, u, v, z, nx, ny, norm);
    return s.dark + (s.peak - s.dark) * f;
}

double SimOptics::nullDistanceMoving(double h) const {
    const double m = slope(h);
    if (h <= 0 || m == 0) return settings_.radiusOfCurvature;  // the paraxial limit
    return sag(h) + h / m;
}

double SimOptics::nullDistanceFixed(double h, double sourceZ) const {
    if (h <= 0) return settings_.radiusOfCurvature;
    const double z = sag(h);
    const double m = slope(h);
    const double norm = 1 / std::sqrt(1 + m * m);
    const double nx = -m * norm, nz = norm;
    const double dx = h, dz = z - sourceZ;
    const double dn = 2 * (dx * nx + dz * nz);
    const double rx = dx - dn * nx, rz = dz - dn * nz;
    return z - h * rz / rx;
}

void SimOptics::buildTexels() {
    texels_.clear();
    const SimSettings& s = settings_;
    const double rho = s.radiusPixels;
    const int x0 = static_cast<int>(std::floor(s.centreX - rho));
    const int x1 = static_cast<int>(std::ceil(s.centreX + rho));
    const int y0 = static_cast<int>(std::floor(s.centreY - rho));
    const int y1 = static_cast<int>(std::ceil(s.centreY + rho));
    texels_.reserve(static_cast<size_t>(M_PI * (rho + 1) * (rho + 1)));
    const double a = s.mirrorDiameter / 2;
    for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
            const double u = mirrorU(px), v = mirrorV(py);
            const double r = std::hypot(u, v);
            if (r > a) continue;
            const double m = slope(r);
            const double norm = 1 / std::sqrt(1 + m * m);
            Texel t;
            t.px = px;
            t.py = py;
            t.x = u;
            t.y = v;
            t.z = sag(r);
            t.nx = r > 0 ? -m * u / r * norm : 0;
            t.ny = r > 0 ? -m * v / r * norm : 0;
            t.nz = norm;
            texels_.push_back(t);
        }
    }
}

QImage SimOptics::render(const SimPose& pose, uint64_t frameNumber, int shiftX, int shiftY) const {
    const SimSettings& s = settings_;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(GreyPixel(std::clamp(s.background, 0, 255)));

    const NoiseTable& noise = Noise();
    const float sigma = static_cast<float>(s.noiseSigma);
    uint64_t seed = frameNumber * 0x2545F4914F6CDD1Dull + 1;
    uint64_t state = SplitMix(seed);  // xorshift64 state, never 0
    if (state == 0) state = 1;
    const double span = s.peak - s.dark;
    auto* bits = reinterpret_cast<uint32_t*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / 4;

    // The ray geometry of transmitted(), written out with the pose in locals.
    const double sx = pose.sourceX, sz = pose.sourceZ, kx = pose.knifeX, kz = pose.knifeZ;
    const double w = s.slitWidth, halfW = w / 2, invW = 1 / w;
    const bool knifeRight = s.knifeRight;
    for (const Texel& t : texels_) {
        // The noise sequence runs over every texel, so a shift does not change it.
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        const int px = t.px + shiftX, py = t.py + shiftY;
        if (px < 0 || py < 0 || px >= kWidth || py >= kHeight) continue;
        const double dx = t.x - sx, dy = t.y, dz = t.z - sz;
        const double dn = 2 * (dx * t.nx + dy * t.ny + dz * t.nz);
        const double rz = dz - dn * t.nz;
        double f = 0;
        if (rz > 1e-12) {
            const double X = t.x + (kz - t.z) * (dx - dn * t.nx) / rz;
            f = knifeRight ? (kx - (X - halfW)) * invW : ((X + halfW) - kx) * invW;
            f = f < 0 ? 0 : (f > 1 ? 1 : f);
        }
        const double level = s.dark + span * f + sigma * noise[state >> (64 - kNoiseBits)];
        const long grey = std::clamp(std::lrint(level), 0L, 255L);
        bits[py * stride + px] = GreyPixel(static_cast<int>(grey));
    }
    return image;
}
