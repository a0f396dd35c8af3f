#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/ui/frmMain.h"
#include "app_ui/frmmain_fixture.h"
#include "live/Capture.h"
#include "platform/KeyState.h"
#include "sim/SimDriver.h"

// A camera as the capture service lists it: a name, its dialogs, whether it
// connects, and the frames it delivers (a null image: no frame came).
class FakeCamera : public CaptureDriver {
  public:
    FakeCamera(const QString& name, bool source, bool format, bool display) : name_(name) {
        caps_.hasVideoSourceDialog = source;
        caps_.hasVideoFormatDialog = format;
        caps_.hasVideoDisplayDialog = display;
        caps_.hasOverlay = true;
    }

    QString name() const override { return name_; }
    QString version() const override { return QStringLiteral("test camera"); }
    bool connect() override { return connected = connectable; }
    void disconnect() override { connected = false; }
    bool isConnected() const override { return connected; }
    CaptureCaps caps() const override { return caps_; }
    QImage grabFrame() override {
        ++grabs;
        return delivering ? frame : QImage();
    }
    bool videoFormatDialog() override { return dialog && dialog("format"); }
    bool videoSourceDialog() override { return dialog && dialog("source"); }
    bool videoDisplayDialog() override { return dialog && dialog("display"); }

    static QImage Grey(int level) {
        QImage image(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
        image.fill(QColor(level, level, level));
        return image;
    }

    bool connectable = true;
    bool connected = false;
    bool delivering = true;
    QImage frame = Grey(100);
    std::function<bool(const char*)> dialog;
    int grabs = 0;

  private:
    QString name_;
    CaptureCaps caps_;
};

// The main window over a scripted list of cameras and an unpaced, noiseless
// simulated tester, in a fresh program folder, silent, with answered message
// boxes and a recording port.
class VideoTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        CaptureDrivers::SetCameraProvider([this] { return cameras; });
        SimSettings settings;
        settings.frameRate = 0;
        settings.noiseSigma = 0;
        tester = std::make_shared<SimTester>(settings);
        simulator = std::make_shared<SimDriver>(tester);
        CaptureDrivers::SetSimulator(simulator);
        ResetKeyState();
    }

    void TearDown() override {
        ResetKeyState();
        CaptureDrivers::SetCameraProvider(nullptr);
        CaptureDrivers::SetSimulator(nullptr);
        MainWindowTest::TearDown();
    }

    std::shared_ptr<FakeCamera> AddCamera(const QString& name, bool source = true,
                                          bool format = true, bool display = false) {
        auto camera = std::make_shared<FakeCamera>(name, source, format, display);
        cameras.push_back(camera);
        return camera;
    }

    // Start-up on a good settings file that names the driver at this index. Timer1
    // stays off until RunLive, so the test's own event pumping never starts the
    // live loop.
    void StartWithDriver(frmMain& w, int vidSource) {
        QStringList lines = GoodSettings();
        lines[35] = QString::number(vidSource);
        WriteSettings(lines);
        w.Form_Load();
        w.Timer1->stop();
    }

    // Sets Manual and lets the program run, its live loop included, until `until`
    // holds (asked every millisecond or so, inside the loop's event pumping) or the
    // time runs out; then Manual goes off, and this returns once the loop has
    // ended. True when `until` held.
    static bool RunLive(frmMain& w, const std::function<bool()>& until, int timeoutMs = 5000) {
        w.Manual = true;
        w.Timer1->start();
        QElapsedTimer clock;
        clock.start();
        bool reached = false;
        QTimer probe;
        probe.setInterval(1);
        QObject::connect(&probe, &QTimer::timeout, &probe, [&] {
            if (!w.Manual) return;
            reached = until();
            if (reached || clock.elapsed() > timeoutMs) w.Manual = false;
        });
        probe.start();
        while (w.Manual && clock.elapsed() < timeoutMs + 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents();  // the rest of the tick that ran the loop
        w.Timer1->stop();
        return reached;
    }

    // Deletes windows that have unloaded.
    static void DeleteUnloaded() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CaptureDrivers::List cameras;
    std::shared_ptr<SimTester> tester;
    std::shared_ptr<SimDriver> simulator;
};
