#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "platform/CaptureDriver.h"
#include "sim/SimTester.h"

// The simulated tester as a capture driver. While it is the connected driver its
// port is the port service's fallback, so coil bytes move its motors (a real
// port, when one is claimed, still comes first).
class SimDriver : public CaptureDriver {
  public:
    // Destroying a connected driver leaves its port with the port service; the
    // capture service disconnects a driver before it lets go of it.
    explicit SimDriver(std::shared_ptr<SimTester> tester);

    // The driver of the program's one simulator.
    static std::shared_ptr<SimDriver> Shared();

    // The source dialog, registered by the forms library: edits the tester's
    // settings and returns true when they were accepted.
    using SourceDialog = std::function<bool(SimTester&)>;
    static void SetSourceDialog(SourceDialog dialog);

    QString name() const override { return QStringLiteral("Simulated Foucault tester"); }
    QString version() const override;
    bool connect() override;
    void disconnect() override;
    bool isConnected() const override { return connected_; }
    CaptureCaps caps() const override;
    // A frame for the motors' current positions, no sooner than the frame rate
    // allows (pending events other than user input run while it waits).
    QImage grabFrame() override;
    bool videoSourceDialog() override;

    SimTester& tester() { return *tester_; }

  private:
    void waitForFrameTime();

    std::shared_ptr<SimTester> tester_;
    bool connected_ = false;
    bool paced_ = false;  // a frame has been delivered; the next waits for its time
    std::chrono::steady_clock::time_point lastFrame_;
};
