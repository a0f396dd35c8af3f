#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <memory>

#include "sim/SimOptics.h"
#include "sim/SimPort.h"
#include "sim/SimSettings.h"

// The simulated Foucault tester: one set of settings, one optical model and one
// port whose motors carry the knife and the platform. The capture driver renders
// its frames from here and the port service drives its motors.
class SimTester {
  public:
    explicit SimTester(const SimSettings& settings = SimSettings());

    // The program's one simulator, with the settings of its file in the program
    // folder (the defaults when the file is missing or bad).
    static std::shared_ptr<SimTester> Shared();
    // A simulator with the settings of the file in the program folder, as far as
    // they can be used (its takeLoadReport says what was not).
    static std::shared_ptr<SimTester> Load();
    // The simulator's settings file: simulator.ini in the program folder.
    static QString SettingsPath();
    // Where a settings file that was not used in full is kept, as it was, before
    // the first save replaces it.
    static QString SettingsBackupPath();

    // What Load left unused of the file, for the log box: one line for each line
    // that was not used and a last one on the defaults and the file kept; empty
    // when the file was used in full (or is missing). Emptied by the call.
    QStringList takeLoadReport();

    const SimSettings& settings() const { return optics_.settings(); }
    // Takes new settings at once; refuses (false, nothing changed) settings that
    // SimSettingsProblem rejects. The motors keep their positions.
    bool applySettings(const SimSettings& settings);
    // Writes the current settings to the settings file, whole. A file that was
    // not used in full at start-up is first kept as SettingsBackupPath().
    bool saveSettings(QString* error = nullptr);

    const SimOptics& optics() const { return optics_; }
    const std::shared_ptr<SimPort>& port() const { return port_; }

    // The pose for the motors' current positions.
    SimPose pose() const;
    // The next frame for the current positions: the frame counter seeds its noise
    // and the image stands where the drift has carried it.
    QImage renderFrame();
    uint64_t framesRendered() const { return frames_; }

    // The drift in whole pixels at this moment.
    int driftShiftX() const;
    int driftShiftY() const;

  private:
    double driftMinutes() const;

    SimOptics optics_;
    std::shared_ptr<SimPort> port_;
    uint64_t frames_ = 0;
    QStringList loadReport_;
    bool keepFileBeforeSave_ = false;
    // The drift so far when the settings last changed, and since when it grows.
    double driftBaseX_ = 0;
    double driftBaseY_ = 0;
    std::chrono::steady_clock::time_point driftSince_;
};
