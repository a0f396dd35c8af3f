// Time per pass of the main window's live loop: read the handpad and the keys,
// step, grab a frame from the simulated tester (rendered at once, no frame pacing),
// draw the position line, the centring overlays and the frame rate, refresh the
// picture, let events run and draw the speed gauge. The simulator's rendering
// stands in for the camera and is not the program's time: it is measured apart
// and taken off. The busy counts that pace the motors take no time here.
//
// Two runs: at rest (no motion, no gauge), and a knife move from the handpad at
// the slowest ramp, so that every pass steps the motor and draws the gauge.
//
// Usage: live_pass [passes per run]   (default 3000)
// Last line: "live pass: <milliseconds> ms", the slower run's time per pass.

#include <QApplication>
#include <QElapsedTimer>
#include <QSlider>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "app/Settings.h"
#include "app/ui/frmMain.h"
#include "live/Capture.h"
#include "platform/Port.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"
#include "platform/TextFile.h"
#include "platform/ui/MsgBox.h"
#include "sim/SimDriver.h"

namespace {

using Clock = std::chrono::steady_clock;

// The simulator as the capture service sees it, with a stopwatch around its
// frames. Every grab is one pass of the loop; after the set number of passes the
// stop action runs.
class TimedSimulator : public CaptureDriver {
  public:
    explicit TimedSimulator(std::shared_ptr<SimDriver> inner) : inner_(std::move(inner)) {}

    void Begin(int passes, std::function<void()> stop) {
        wanted_ = passes;
        grabs_ = 0;
        render_ = Clock::duration::zero();
        stop_ = std::move(stop);
    }
    bool Done() const { return grabs_ >= wanted_; }

    // Time from the first grab to the last one, less the rendering in between,
    // per pass; and the rendering per frame.
    double OwnMsPerPass() const {
        const auto span = last_ - first_ - renderBeforeLast_;
        return std::chrono::duration<double, std::milli>(span).count() / (wanted_ - 1);
    }
    double RenderMsPerFrame() const {
        return std::chrono::duration<double, std::milli>(render_).count() / grabs_;
    }

    QString name() const override { return inner_->name(); }
    QString version() const override { return inner_->version(); }
    bool connect() override { return inner_->connect(); }
    void disconnect() override { inner_->disconnect(); }
    bool isConnected() const override { return inner_->isConnected(); }
    CaptureCaps caps() const override { return inner_->caps(); }
    QImage grabFrame() override {
        const auto start = Clock::now();
        if (grabs_ == 0) first_ = start;
        if (grabs_ == wanted_ - 1) {
            last_ = start;
            renderBeforeLast_ = render_;
        }
        QImage frame = inner_->grabFrame();
        render_ += Clock::now() - start;
        if (++grabs_ == wanted_ && stop_) stop_();
        return frame;
    }

  private:
    std::shared_ptr<SimDriver> inner_;
    int wanted_ = 0;
    int grabs_ = 0;
    Clock::time_point first_{}, last_{};
    Clock::duration render_{}, renderBeforeLast_{};
    std::function<void()> stop_;
};

QStringList BenchSettings() {
    TestState s;
    s.StepSize = 0.000125;
    s.LRStepSize = 0.000125;
    s.Max = 60;
    s.Min = 30;
    s.textpath = AppPath() + QStringLiteral("/TestResults");
    AssignAutoTestDefaults(s);
    s.VidSource = 0;  // no camera: the simulator
    return BuildSettingsLines(s, ControlSettings());
}

// Runs the window's live loop until the simulator has given the set number of
// frames. False when it did not get there in time.
bool RunPasses(frmMain& w, TimedSimulator& simulator, int passes) {
    simulator.Begin(passes, [&w] { w.Manual = false; });
    w.Manual = true;
    QElapsedTimer clock;
    clock.start();
    while (!simulator.Done() && clock.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    return simulator.Done();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int passes = argc > 1 ? std::max(2, std::atoi(argv[1])) : 3000;

    QTemporaryDir folder;
    if (!folder.isValid()) return 1;
    SetAppPath(folder.path());
    SetSoundOutputEnabled(false);
    MsgBoxService::SetScript([](const MsgBoxRequest&) { return MsgResult::OK; });
    if (!WriteTextLines(folder.filePath(QStringLiteral("quenz.ini")), BenchSettings())) return 1;

    SimSettings settings;
    settings.frameRate = 0;
    auto tester = std::make_shared<SimTester>(settings);
    auto simulator = std::make_shared<TimedSimulator>(std::make_shared<SimDriver>(tester));
    CaptureDrivers::SetCameraProvider([] { return CaptureDrivers::List(); });
    CaptureDrivers::SetSimulator(simulator);

    frmMain w;
    w.Form_Load();
    // Coil bytes go to the simulator even where a real port is claimed.
    PortService::SetOverride(tester->port());
    w.SetBusyCountStep(std::chrono::nanoseconds(0));

    if (!RunPasses(w, *simulator, passes)) return 1;
    const double restMs = simulator->OwnMsPerPass();
    const double restRender = simulator->RenderMsPerFrame();
    std::printf("at rest: %d passes, %.4f ms per pass, simulator render %.4f ms per frame\n",
                passes, restMs, restRender);

    // The knife button of the handpad, live video; the slowest ramp (d falls by 1
    // a pass from 5000) keeps the gauge drawn on every pass.
    const int movingPasses = std::min(passes, 4500);
    w.sldAcell->setValue(10);
    w.Maxdelay->setValue(5000);
    tester->port()->setStatus(0x30);
    const int64_t knifeBefore = tester->port()->knifeSteps();
    if (!RunPasses(w, *simulator, movingPasses)) return 1;
    tester->port()->setStatus(0);
    const double movingMs = simulator->OwnMsPerPass();
    const double movingRender = simulator->RenderMsPerFrame();
    std::printf(
        "moving: %d passes, %.4f ms per pass, simulator render %.4f ms per frame, "
        "knife moved %lld half steps, speed %d %%\n",
        movingPasses, movingMs, movingRender,
        static_cast<long long>(tester->port()->knifeSteps() - knifeBefore),
        static_cast<int>(w.SpeedPercent));

    PortService::SetOverride(nullptr);
    std::printf("live pass: %.4f ms\n", std::max(restMs, movingMs));
    return 0;
}
