#pragma once

// The real main window on the simulated tester, set up as a mirror maker would
// before "Do the Magic": settings file, mirror profile chosen from the
// recent-mirror menu, the mirror's outline on the simulator's disc, the knife on
// the side the settings name. Used by the automated-test window tests and by the
// auto_test bench program.

#include <QAction>
#include <QEventLoop>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>

#include "app/Settings.h"
#include "app/ui/frmMain.h"
#include "live/Capture.h"
#include "mirror/MirrorProfile.h"
#include "platform/Port.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"
#include "platform/TextFile.h"
#include "platform/ui/MsgBox.h"
#include "sim/SimDriver.h"
#include "sim/SimTester.h"

namespace magic {

// The simulator as the capture driver, with a hook that runs before every grab.
// The image can also be moved by whole pixels (shiftX, shiftY) and made to drift
// by a fixed amount at every grab: a drift counted in frames is the same however
// fast the machine runs the test.
class CountingSimDriver : public SimDriver {
  public:
    using SimDriver::SimDriver;
    QImage grabFrame() override {
        ++grabs;
        if (onGrab) onGrab();
        if (!isConnected() ||
            (driftPerFrameX == 0 && driftPerFrameY == 0 && shiftX == 0 && shiftY == 0))
            return SimDriver::grabFrame();
        shiftX += driftPerFrameX;
        shiftY += driftPerFrameY;
        return tester().optics().render(tester().pose(), static_cast<uint64_t>(grabs),
                                        ShiftX() + tester().driftShiftX(),
                                        ShiftY() + tester().driftShiftY());
    }
    // Where the last frame stood, in whole pixels, apart from the simulator's own
    // drift.
    int ShiftX() const { return static_cast<int>(std::lrint(shiftX)); }
    int ShiftY() const { return static_cast<int>(std::lrint(shiftY)); }

    int64_t grabs = 0;
    std::function<void()> onGrab;
    double shiftX = 0;
    double shiftY = 0;
    double driftPerFrameX = 0;
    double driftPerFrameY = 0;
};

// The simulator's port, counting the half steps its motors turn.
class CountingPort : public PortBackend {
  public:
    explicit CountingPort(std::shared_ptr<SimPort> port) : port_(std::move(port)) {}
    void writeData(uint8_t value) override {
        const int64_t knife = port_->knifeSteps();
        const int64_t platform = port_->platformSteps();
        port_->writeData(value);
        knifeSteps += std::llabs(port_->knifeSteps() - knife);
        platformSteps += std::llabs(port_->platformSteps() - platform);
        last = value;
        ++writes;
    }
    uint8_t readStatus() override { return port_->readStatus(); }
    QString description() const override { return port_->description(); }
    SimPort& sim() { return *port_; }

    int64_t knifeSteps = 0;
    int64_t platformSteps = 0;
    uint8_t last = 0;
    int64_t writes = 0;

  private:
    std::shared_ptr<SimPort> port_;
};

struct RigOptions {
    bool knifeRight = false;
    int32_t zones = 6;
    int32_t reps = 3;
    double diameter = 8;
    double roc = 96;
    double obstruction = 1.5;
    QString mirror = QStringLiteral("Mirror8");
    int32_t workNum = 1;
    QString textpath;  // empty: <program folder>/TestResults
    bool savePictures = false;
    bool showDebug = false;
    int32_t mindelay = 136;
    // Changes to the settings file's values before it is written.
    std::function<void(TestState&)> editSettings;
};

// The auto-test variables a mirror maker starts with: the frame counts and
// margins start-up assigns, the intensity window of a fresh settings file, and
// the move sizes the setup dialogs derive for 0.000125-inch half steps.
inline void DefaultAutoTestVariables(TestState& s) {
    s.StepSize = 0.000125;
    s.LRStepSize = 0.000125;
    s.Max = 60;
    s.Min = 30;
    AssignAutoTestDefaults(s);
    s.LRSmMove = 1;
    s.LRLgMove = 6;
    s.TFOblateMove = 40;
    s.TFRoughMove = 16;
    s.TFFinalMoves = 8;
}

class Rig {
  public:
    // Everything the window will find in the program folder, and the simulator
    // as the only capture driver. The program folder must already be set.
    explicit Rig(const RigOptions& options) : options_(options) {
        SetSoundOutputEnabled(false);
        MsgBoxService::SetScript([this](const MsgBoxRequest& request) {
            return answer ? answer(request) : MsgResult::OK;
        });
        MsgBoxService::ClearHistory();

        SimSettings sim;
        sim.frameRate = 0;  // unpaced: a frame is rendered at each grab
        sim.knifeRight = options.knifeRight;
        sim.mirrorDiameter = options.diameter;
        sim.radiusOfCurvature = options.roc;
        sim.conicConstant = -1;
        simSettings = sim;
        tester = std::make_shared<SimTester>(sim);
        driver = std::make_shared<CountingSimDriver>(tester);
        port = std::make_shared<CountingPort>(tester->port());
        CaptureDrivers::SetCameraProvider([] { return CaptureDrivers::List{}; });
        CaptureDrivers::SetSimulator(driver);
        PortService::SetOverride(port);

        TestState s;
        DefaultAutoTestVariables(s);
        s.Reps = options.reps;
        s.KnifeRight = options.knifeRight;
        s.textpath = options.textpath.isEmpty() ? AppPath() + QStringLiteral("/TestResults")
                                                : options.textpath;
        s.Savetext = true;
        s.VidSource = 0;
        s.ShowDebug = options.showDebug;
        if (options.editSettings) options.editSettings(s);
        ControlSettings controls;
        controls.Mnu[1] = options.mirror;
        controls.Mindelay = options.mindelay;
        controls.Save_picture = options.savePictures ? 1 : 0;
        WriteTextLines(SettingsFilePath(AppPath()), BuildSettingsLines(s, controls));

        TestState profile;
        profile.WorkFile = options.mirror;
        profile.MirDiam = options.diameter;
        profile.Roc = options.roc;
        profile.CC = -1;
        profile.Obst = options.obstruction;
        profile.NZ = options.zones;
        profile.WorkNum = options.workNum;
        WriteMirrorProfile(options.mirror, MirrorProfileLines(profile));
    }

    ~Rig() {
        window.reset();
        PortService::SetOverride(nullptr);
        CaptureDrivers::SetSimulator(nullptr);
        CaptureDrivers::SetCameraProvider(nullptr);
        MsgBoxService::SetScript(nullptr);
    }

    // Starts the window as the program does, keeps the live loop from starting,
    // lines the mirror's outline up with the simulator's disc and chooses the
    // mirror from the recent-mirror menu (unless told not to).
    frmMain& Start(bool chooseMirror = true) {
        window = std::make_unique<frmMain>();
        frmMain& w = *window;
        w.Form_Load();
        w.Timer1->stop();
        w.Chk_trak->setChecked(false);
        w.MirX->setValue(static_cast<int>(simSettings.centreX));
        w.MirY->setValue(static_cast<int>(simSettings.centreY));
        w.MirRad->setValue(static_cast<int>(simSettings.radiusPixels));
        if (chooseMirror) w.Mnu_Click(1);
        return w;
    }

    // "Do the Magic" with the simulated axes back where the test was set up: the
    // knife splitting the source's image, the platform at the paraxial centre of
    // curvature (inside every zone's null). Returns when the test has ended; the
    // live loop is kept from starting afterwards.
    void DoTheMagic() {
        port->sim().setPositions(0, 0);
        window->Command3->click();
        timerRunningAfterTest = window->Timer1->isActive();
        window->Timer1->stop();
    }

    // Runs the live loop (Timer1) inside `outer` until the caller quits it; false
    // when that has not happened within limitMs, and the test is then aborted
    // and the loop ended.
    bool RunLiveLoop(QEventLoop& outer, int limitMs) {
        bool ended = true;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &outer, [&] {
            ended = false;
            window->abort->setChecked(true);
            window->Manual = false;
            outer.quit();
        });
        limit.start(limitMs);
        window->Timer1->start();
        outer.exec();
        window->Timer1->stop();
        return ended;
    }

    // The reading the simulated mirror must give for a zone: how much farther
    // from the mirror its null lies than zone 1's, in inches.
    double Ideal(int zone) const {
        const double semi = options_.diameter / 2;
        const SimOptics& optics = tester->optics();
        return optics.nullDistanceMoving(semi * window->ZoneRadius[zone]) -
               optics.nullDistanceMoving(semi * window->ZoneRadius[1]);
    }

    const RigOptions& options() const { return options_; }

    SimSettings simSettings;
    std::shared_ptr<SimTester> tester;
    std::shared_ptr<CountingSimDriver> driver;
    std::shared_ptr<CountingPort> port;
    std::unique_ptr<frmMain> window;
    std::function<MsgResult(const MsgBoxRequest&)> answer;
    bool timerRunningAfterTest = false;

  private:
    RigOptions options_;
};

}  // namespace magic
