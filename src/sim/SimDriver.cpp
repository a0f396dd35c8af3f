#include "sim/SimDriver.h"

#include <QEventLoop>
#include <QTimer>
#include <cmath>

#include "platform/Port.h"

namespace {

SimDriver::SourceDialog& RegisteredSourceDialog() {
    static SimDriver::SourceDialog dialog;
    return dialog;
}

}  // namespace

SimDriver::SimDriver(std::shared_ptr<SimTester> tester) : tester_(std::move(tester)) {}

std::shared_ptr<SimDriver> SimDriver::Shared() {
    static const std::shared_ptr<SimDriver> shared =
        std::make_shared<SimDriver>(SimTester::Shared());
    return shared;
}

void SimDriver::SetSourceDialog(SourceDialog dialog) {
    RegisteredSourceDialog() = std::move(dialog);
}

QString SimDriver::version() const {
    return QStringLiteral("Version %1.%2").arg(DRELMONT_VERSION_MAJOR).arg(DRELMONT_VERSION_MINOR);
}

bool SimDriver::connect() {
    if (!connected_) {
        connected_ = true;
        paced_ = false;
        PortService::SetFallback(tester_->port());
    }
    return true;
}

void SimDriver::disconnect() {
    if (!connected_) return;
    connected_ = false;
    // The motors are gone with the simulator: bytes only latch in memory again.
    PortService::SetFallback(std::make_shared<MemoryPort>());
}

CaptureCaps SimDriver::caps() const {
    CaptureCaps caps;
    caps.hasVideoSourceDialog = true;
    caps.captureInitialized = connected_;
    return caps;
}

void SimDriver::waitForFrameTime() {
    const double rate = tester_->settings().frameRate;
    const auto now = std::chrono::steady_clock::now();
    if (rate <= 0 || !paced_) {
        lastFrame_ = now;
        paced_ = true;
        return;
    }
    const auto period = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(1.0 / rate));
    const auto due = lastFrame_ + period;
    if (now < due) {
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(due - now);
        if (wait.count() > 0) {
            QEventLoop loop;
            QTimer::singleShot(wait, Qt::PreciseTimer, &loop, &QEventLoop::quit);
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
        lastFrame_ = due;
    } else {
        // Late (the caller was busy): the next frame counts from now.
        lastFrame_ = now;
    }
}

QImage SimDriver::grabFrame() {
    if (!connected_) return QImage();
    waitForFrameTime();
    return tester_->renderFrame();
}

bool SimDriver::videoSourceDialog() {
    const SourceDialog& dialog = RegisteredSourceDialog();
    return dialog ? dialog(*tester_) : false;
}
