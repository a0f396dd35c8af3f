#include "sim/SimTester.h"

#include <algorithm>
#include <cmath>

#include "platform/ProgramFolder.h"

namespace {

SimWiring WiringOf(const SimSettings& s) {
    SimWiring wiring;
    wiring.knifeHighNibble = s.knifeHighNibble;
    wiring.activeLow = s.activeLow;
    wiring.knifeReversed = s.knifeReversed;
    wiring.platformReversed = s.platformReversed;
    return wiring;
}

int WholePixels(double shift) {
    // Far beyond the picture either way: keep the number small.
    return static_cast<int>(std::lrint(std::clamp(shift, -100000.0, 100000.0)));
}

}  // namespace

SimTester::SimTester(const SimSettings& settings)
    : optics_(SimSettingsProblem(settings).isEmpty() ? settings : SimSettings()),
      port_(std::make_shared<SimPort>()),
      driftSince_(std::chrono::steady_clock::now()) {
    port_->setWiring(WiringOf(optics_.settings()));
}

std::shared_ptr<SimTester> SimTester::Shared() {
    static const std::shared_ptr<SimTester> shared = [] {
        SimSettings settings;
        LoadSimSettings(SettingsPath(), settings);
        return std::make_shared<SimTester>(settings);
    }();
    return shared;
}

QString SimTester::SettingsPath() {
    return ResolvePath(AppPath(), QStringLiteral("simulator.ini"));
}

bool SimTester::applySettings(const SimSettings& settings) {
    if (!SimSettingsProblem(settings).isEmpty()) return false;
    const double minutes = driftMinutes();
    driftBaseX_ += optics_.settings().driftX * minutes;
    driftBaseY_ += optics_.settings().driftY * minutes;
    driftSince_ = std::chrono::steady_clock::now();
    if (!(settings == optics_.settings())) optics_.setSettings(settings);
    port_->setWiring(WiringOf(settings));
    return true;
}

bool SimTester::saveSettings(QString* error) const {
    return SaveSimSettings(SettingsPath(), optics_.settings(), error);
}

SimPose SimTester::pose() const {
    return optics_.poseForSteps(port_->knifeSteps(), port_->platformSteps());
}

double SimTester::driftMinutes() const {
    const auto elapsed = std::chrono::steady_clock::now() - driftSince_;
    return std::chrono::duration<double>(elapsed).count() / 60.0;
}

int SimTester::driftShiftX() const {
    return WholePixels(driftBaseX_ + optics_.settings().driftX * driftMinutes());
}

int SimTester::driftShiftY() const {
    return WholePixels(driftBaseY_ + optics_.settings().driftY * driftMinutes());
}

QImage SimTester::renderFrame() {
    return optics_.render(pose(), frames_++, driftShiftX(), driftShiftY());
}
