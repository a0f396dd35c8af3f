#include "sim/SimTester.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

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
    static const std::shared_ptr<SimTester> shared = Load();
    return shared;
}

std::shared_ptr<SimTester> SimTester::Load() {
    SimSettings settings;
    QStringList report;
    LoadSimSettings(SettingsPath(), settings, &report);
    auto tester = std::make_shared<SimTester>(settings);
    if (!report.isEmpty()) {
        tester->keepFileBeforeSave_ = true;
        report << QStringLiteral(
                      "The simulator uses the defaults for what was not used; the file as it "
                      "is will be kept as %1 when its settings are next saved.")
                      .arg(SettingsBackupPath());
        tester->loadReport_ = std::move(report);
    }
    return tester;
}

QString SimTester::SettingsPath() {
    return ResolvePath(AppPath(), QStringLiteral("simulator.ini"));
}

QString SimTester::SettingsBackupPath() {
    return SettingsPath() + QStringLiteral(".bak");
}

QStringList SimTester::takeLoadReport() {
    return std::exchange(loadReport_, QStringList());
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

bool SimTester::saveSettings(QString* error) {
    const QString path = SettingsPath();
    if (keepFileBeforeSave_ && QFileInfo(path).isFile()) {
        QString why;
        if (!CopyFileWhole(path, SettingsBackupPath(), &why)) {
            if (error)
                *error = QStringLiteral(
                             "the file that was not used in full could not be kept as "
                             "%1: %2")
                             .arg(SettingsBackupPath(), why);
            return false;
        }
    }
    keepFileBeforeSave_ = false;
    return SaveSimSettings(path, optics_.settings(), error);
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
