#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMediaDevices>
#include <memory>

#include "live/Capture.h"
#include "platform/CameraDriver.h"
#include "platform/Port.h"
#include "sim/SimDriver.h"

namespace {

// A camera that connects or not as told and hands out the frames it is given.
class FakeCamera : public CaptureDriver {
  public:
    FakeCamera(QString name, bool connects) : name_(std::move(name)), connects_(connects) {}
    QString name() const override { return name_; }
    QString version() const override { return QStringLiteral("fake 1"); }
    bool connect() override { return connected_ = connected_ || connects_; }
    void disconnect() override {
        connected_ = false;
        ++disconnects;
    }
    bool isConnected() const override { return connected_; }
    CaptureCaps caps() const override {
        CaptureCaps caps;
        caps.hasVideoFormatDialog = true;
        caps.hasOverlay = true;
        caps.deviceIndex = 99;  // the service puts in the list index
        return caps;
    }
    QImage grabFrame() override {
        ++grabs;
        return next;
    }

    QImage next;
    int grabs = 0;
    int disconnects = 0;

  private:
    QString name_;
    bool connects_;
    bool connected_ = false;
};

QImage Filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class CaptureService : public ::testing::Test {
  protected:
    void SetUp() override {
        SimSettings settings;
        settings.frameRate = 0;
        tester = std::make_shared<SimTester>(settings);
        simulator = std::make_shared<SimDriver>(tester);
        CaptureDrivers::SetSimulator(simulator);
        UseCameras({});
        wnd.reset(
            capCreateCaptureWindowA(QStringLiteral("cap"), 0x50000000, 0, 0, 5, 5, nullptr, 0));
    }
    void TearDown() override {
        wnd.reset();
        CaptureDrivers::SetCameraProvider(nullptr);
        CaptureDrivers::SetSimulator(nullptr);
        SimDriver::SetSourceDialog(nullptr);
        PortService::SetFallback(nullptr);
    }
    void UseCameras(CaptureDrivers::List cameras) {
        CaptureDrivers::SetCameraProvider([cameras] { return cameras; });
    }
    // The frame callback of the main window: the frame goes into the picture.
    void CollectFrames() {
        capSetCallbackOnFrame(wnd.get(), [this](const QImage& frame) {
            picture = frame;
            ++delivered;
        });
    }

    std::shared_ptr<SimTester> tester;
    std::shared_ptr<SimDriver> simulator;
    std::unique_ptr<CaptureWindow> wnd;
    QImage picture;
    int delivered = 0;
};

}  // namespace

TEST_F(CaptureService, DriverListIsTheCamerasThenTheSimulator) {
    QString name, version;
    ASSERT_TRUE(capGetDriverDescriptionA(0, name, version));
    EXPECT_EQ(name, QStringLiteral("Simulated Foucault tester"));
    EXPECT_FALSE(capGetDriverDescriptionA(1, name, version));
    EXPECT_TRUE(name.isEmpty());
    EXPECT_FALSE(capGetDriverDescriptionA(-1, name, version));

    UseCameras({std::make_shared<FakeCamera>(QStringLiteral("Cam A"), true),
                std::make_shared<FakeCamera>(QStringLiteral("Cam B"), true)});
    const QStringList expected = {QStringLiteral("Cam A"), QStringLiteral("Cam B"),
                                  QStringLiteral("Simulated Foucault tester")};
    QStringList listed;
    for (int i = 0; capGetDriverDescriptionA(i, name, version); ++i) listed << name;
    EXPECT_EQ(listed, expected);
}

TEST_F(CaptureService, FailedConnectionLeavesTheConnectedDriver) {
    auto good = std::make_shared<FakeCamera>(QStringLiteral("Good"), true);
    auto broken = std::make_shared<FakeCamera>(QStringLiteral("Broken"), false);
    UseCameras({good, broken});
    CaptureCaps caps;
    EXPECT_FALSE(capDriverGetCaps(wnd.get(), caps));
    EXPECT_FALSE(capDriverConnect(wnd.get(), 1));
    EXPECT_FALSE(capDriverGetCaps(wnd.get(), caps));  // still none

    ASSERT_TRUE(capDriverConnect(wnd.get(), 0));
    EXPECT_FALSE(capDriverConnect(wnd.get(), 1));
    EXPECT_FALSE(capDriverConnect(wnd.get(), 7));
    ASSERT_TRUE(capDriverGetCaps(wnd.get(), caps));
    EXPECT_EQ(caps.deviceIndex, 0);
    EXPECT_TRUE(caps.hasVideoFormatDialog);
    EXPECT_TRUE(good->isConnected());
    EXPECT_EQ(good->disconnects, 0);

    // A successful choice lets the old driver go.
    ASSERT_TRUE(capDriverConnect(wnd.get(), 2));
    EXPECT_EQ(good->disconnects, 1);
    ASSERT_TRUE(capDriverGetCaps(wnd.get(), caps));
    EXPECT_EQ(caps.deviceIndex, 2);
    EXPECT_TRUE(caps.hasVideoSourceDialog);
    EXPECT_FALSE(caps.hasVideoFormatDialog);
    EXPECT_FALSE(caps.hasVideoDisplayDialog);
    EXPECT_FALSE(caps.hasOverlay);

    // A camera unplugged since: the index is the simulator's place in today's list.
    UseCameras({good});
    ASSERT_TRUE(capDriverGetCaps(wnd.get(), caps));
    EXPECT_EQ(caps.deviceIndex, 1);
}

TEST_F(CaptureService, GrabDeliversIntoTheCallbackAndNothingElseDoes) {
    auto camera = std::make_shared<FakeCamera>(QStringLiteral("Cam"), true);
    UseCameras({camera});
    CollectFrames();
    EXPECT_FALSE(capGrabFrameNoStop(wnd.get()));  // no driver yet
    EXPECT_EQ(delivered, 0);

    ASSERT_TRUE(capDriverConnect(wnd.get(), 0));
    camera->next = Filled(640, 480, qRgb(10, 20, 30));
    ASSERT_TRUE(capGrabFrameNoStop(wnd.get()));
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(picture.size(), QSize(320, 240));  // scaled on the way
    EXPECT_EQ(picture.pixel(5, 5), qRgb(10, 20, 30));

    // No frame came: the picture keeps the last one.
    camera->next = QImage();
    EXPECT_FALSE(capGrabFrame(wnd.get()));
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(picture.pixel(5, 5), qRgb(10, 20, 30));

    // The copy hands the last frame over again.
    picture = QImage();
    EXPECT_TRUE(capEditCopy(wnd.get()));
    EXPECT_EQ(delivered, 2);
    EXPECT_EQ(picture.pixel(5, 5), qRgb(10, 20, 30));

    // Shut-down clears all seven callbacks; grabs still grab, but deliver nothing.
    EXPECT_TRUE(capSetCallbackOnError(wnd.get(), nullptr));
    EXPECT_TRUE(capSetCallbackOnStatus(wnd.get(), nullptr));
    EXPECT_TRUE(capSetCallbackOnYield(wnd.get(), nullptr));
    EXPECT_TRUE(capSetCallbackOnFrame(wnd.get(), nullptr));
    EXPECT_TRUE(capSetCallbackOnVideoStream(wnd.get(), nullptr));
    EXPECT_TRUE(capSetCallbackOnWaveStream(wnd.get(), nullptr));
    EXPECT_TRUE(capSetCallbackOnCapControl(wnd.get(), nullptr));
    camera->next = Filled(320, 240, qRgb(99, 99, 99));
    EXPECT_TRUE(capGrabFrame(wnd.get()));
    EXPECT_EQ(camera->grabs, 3);
    EXPECT_EQ(delivered, 2);

    // No window at all: every operation refuses quietly.
    EXPECT_FALSE(capGrabFrame(nullptr));
    EXPECT_FALSE(capDriverConnect(nullptr, 0));
    EXPECT_FALSE(capSetCallbackOnFrame(nullptr, nullptr));
}

TEST_F(CaptureService, StartUpSequenceOnTheSimulator) {
    CollectFrames();
    ASSERT_TRUE(capDriverConnect(wnd.get(), 0));
    CaptureCaps caps;
    ASSERT_TRUE(capDriverGetCaps(wnd.get(), caps));
    EXPECT_TRUE(capPreviewScale(wnd.get(), false));
    EXPECT_TRUE(capPreviewRate(wnd.get(), 0));
    EXPECT_TRUE(capPreview(wnd.get(), false));
    EXPECT_FALSE(capOverlay(wnd.get(), true));  // the simulator has no overlay
    EXPECT_TRUE(SetWindowPos(wnd.get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER));
    EXPECT_EQ(wnd->width, 0);
    EXPECT_EQ(wnd->height, 0);
    CaptureStatus status;
    EXPECT_TRUE(capGetStatus(wnd.get(), status));
    EXPECT_FALSE(status.liveWindow);

    // Its port now carries the coil bytes: a step of the knife moves the model.
    Out32(kDataPort, 0x11);
    Out32(kDataPort, 0x13);
    EXPECT_EQ(tester->port()->knifeSteps(), 1);

    ASSERT_TRUE(capGrabFrameNoStop(wnd.get()));
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(picture.size(), QSize(320, 240));
    EXPECT_EQ(qRed(picture.pixel(2, 2)), 6);  // the background around the mirror
}

TEST_F(CaptureService, DialogsGoToTheDriverThatHasThem) {
    int shown = 0;
    SimDriver::SetSourceDialog([&shown](SimTester&) {
        ++shown;
        return true;
    });
    EXPECT_FALSE(capDlgVideoSource(wnd.get()));  // no driver connected
    ASSERT_TRUE(capDriverConnect(wnd.get(), 0));
    EXPECT_TRUE(capDlgVideoSource(wnd.get()));
    EXPECT_FALSE(capDlgVideoFormat(wnd.get()));
    EXPECT_FALSE(capDlgVideoDisplay(wnd.get()));
    EXPECT_EQ(shown, 1);
}

TEST_F(CaptureService, SimulatorPortLeavesWithTheSimulator) {
    auto camera = std::make_shared<FakeCamera>(QStringLiteral("Cam"), true);
    UseCameras({camera});
    ASSERT_TRUE(capDriverConnect(wnd.get(), 1));
    ASSERT_TRUE(capDriverConnect(wnd.get(), 1));  // chosen again: still connected
    Out32(kDataPort, 0x11);
    EXPECT_EQ(tester->port()->lastByte(), 0x11);
    ASSERT_TRUE(capDriverConnect(wnd.get(), 0));
    Out32(kDataPort, 0x22);
    EXPECT_EQ(tester->port()->lastByte(), 0x11);
}

TEST_F(CaptureService, SimulatorPacesItsFrames) {
    SimSettings settings = tester->settings();
    settings.frameRate = 50;
    ASSERT_TRUE(tester->applySettings(settings));
    ASSERT_TRUE(capDriverConnect(wnd.get(), 0));
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 6; ++i) ASSERT_TRUE(capGrabFrame(wnd.get()));
    EXPECT_GE(clock.elapsed(), 90);  // five intervals of 20 ms after the first frame
}

TEST(CameraDriverTest, ACameraThatIsNotThereNeitherConnectsNorDelivers) {
    CameraDriver missing{QCameraDevice()};
    EXPECT_FALSE(missing.connect());
    EXPECT_FALSE(missing.isConnected());
    EXPECT_TRUE(missing.grabFrame().isNull());
    EXPECT_FALSE(missing.videoSourceDialog());
    // The system list holds one driver per listed camera, whatever is plugged in.
    EXPECT_EQ(CameraDriver::SystemCameras().size(),
              static_cast<size_t>(QMediaDevices::videoInputs().size()));
}
