#include "live/Capture.h"

#include "platform/CameraDriver.h"
#include "sim/SimDriver.h"

namespace {

CaptureDrivers::Provider& CameraProvider() {
    static CaptureDrivers::Provider provider;
    return provider;
}

std::shared_ptr<CaptureDriver>& SimulatorOverride() {
    static std::shared_ptr<CaptureDriver> simulator;
    return simulator;
}

bool HasDriver(const CaptureWindow* wnd) {
    return wnd && wnd->driver && wnd->driver->isConnected();
}

// The connected driver's place in the list as it stands now (cameras may have
// come or gone since it was connected); its old place when it is not listed.
int CurrentIndex(const CaptureWindow& wnd) {
    const CaptureDrivers::List list = CaptureDrivers::Drivers();
    for (size_t i = 0; i < list.size(); ++i) {
        const std::shared_ptr<CaptureDriver>& listed = list[i];
        if (listed == wnd.driver || (listed && listed->name() == wnd.driver->name() &&
                                     listed->version() == wnd.driver->version()))
            return static_cast<int>(i);
    }
    return wnd.driverIndex;
}

}  // namespace

CaptureDrivers::List CaptureDrivers::Drivers() {
    List list = CameraProvider() ? CameraProvider()() : CameraDriver::SystemCameras();
    std::shared_ptr<CaptureDriver> simulator = SimulatorOverride();
    list.push_back(simulator ? simulator : SimDriver::Shared());
    return list;
}

void CaptureDrivers::SetCameraProvider(Provider provider) {
    CameraProvider() = std::move(provider);
}

void CaptureDrivers::SetSimulator(std::shared_ptr<CaptureDriver> simulator) {
    SimulatorOverride() = std::move(simulator);
}

CaptureWindow::~CaptureWindow() {
    if (driver) driver->disconnect();
}

bool capGetDriverDescriptionA(int index, QString& name, QString& version) {
    name.clear();
    version.clear();
    const CaptureDrivers::List list = CaptureDrivers::Drivers();
    if (index < 0 || index >= static_cast<int>(list.size()) || !list[index]) return false;
    name = list[index]->name();
    version = list[index]->version();
    return true;
}

CaptureWindow* capCreateCaptureWindowA(const QString& name, int32_t style, int x, int y, int width,
                                       int height, QObject* parent, int id) {
    auto* wnd = new CaptureWindow(parent);
    wnd->title = name;
    wnd->style = style;
    wnd->x = x;
    wnd->y = y;
    wnd->width = width;
    wnd->height = height;
    wnd->id = id;
    return wnd;
}

namespace {

template <typename Callback>
bool SetCallback(CaptureWindow* wnd, Callback CaptureWindow::*slot, Callback callback) {
    if (!wnd) return false;
    wnd->*slot = std::move(callback);
    return true;
}

}  // namespace

bool capSetCallbackOnError(CaptureWindow* wnd, CapCallback callback) {
    return SetCallback(wnd, &CaptureWindow::onError, std::move(callback));
}
bool capSetCallbackOnStatus(CaptureWindow* wnd, CapCallback callback) {
    return SetCallback(wnd, &CaptureWindow::onStatus, std::move(callback));
}
bool capSetCallbackOnYield(CaptureWindow* wnd, CapCallback callback) {
    return SetCallback(wnd, &CaptureWindow::onYield, std::move(callback));
}
bool capSetCallbackOnFrame(CaptureWindow* wnd, CapFrameCallback callback) {
    return SetCallback(wnd, &CaptureWindow::onFrame, std::move(callback));
}
bool capSetCallbackOnVideoStream(CaptureWindow* wnd, CapCallback callback) {
    return SetCallback(wnd, &CaptureWindow::onVideoStream, std::move(callback));
}
bool capSetCallbackOnWaveStream(CaptureWindow* wnd, CapCallback callback) {
    return SetCallback(wnd, &CaptureWindow::onWaveStream, std::move(callback));
}
bool capSetCallbackOnCapControl(CaptureWindow* wnd, CapCallback callback) {
    return SetCallback(wnd, &CaptureWindow::onCapControl, std::move(callback));
}

bool capDriverConnect(CaptureWindow* wnd, int index) {
    if (!wnd) return false;
    const CaptureDrivers::List list = CaptureDrivers::Drivers();
    if (index < 0 || index >= static_cast<int>(list.size()) || !list[index]) return false;
    const std::shared_ptr<CaptureDriver> next = list[index];
    // Connect the new driver first, so a failure leaves the old one running.
    if (!next->connect()) return false;
    if (wnd->driver && wnd->driver != next) wnd->driver->disconnect();
    wnd->driver = next;
    wnd->driverIndex = index;
    return true;
}

bool capDriverGetCaps(CaptureWindow* wnd, CaptureCaps& caps) {
    caps = CaptureCaps();
    if (!HasDriver(wnd)) return false;
    caps = wnd->driver->caps();
    wnd->driverIndex = CurrentIndex(*wnd);
    caps.deviceIndex = wnd->driverIndex;
    return true;
}

bool capDlgVideoFormat(CaptureWindow* wnd) {
    if (!HasDriver(wnd) || !wnd->driver->caps().hasVideoFormatDialog) return false;
    return wnd->driver->videoFormatDialog();
}

bool capDlgVideoSource(CaptureWindow* wnd) {
    if (!HasDriver(wnd) || !wnd->driver->caps().hasVideoSourceDialog) return false;
    return wnd->driver->videoSourceDialog();
}

bool capDlgVideoDisplay(CaptureWindow* wnd) {
    if (!HasDriver(wnd) || !wnd->driver->caps().hasVideoDisplayDialog) return false;
    return wnd->driver->videoDisplayDialog();
}

bool capPreview(CaptureWindow* wnd, bool on) {
    if (!wnd || on) return false;
    wnd->preview = false;
    return true;
}

bool capOverlay(CaptureWindow* wnd, bool on) {
    if (!wnd || on) return false;
    wnd->overlay = false;
    return true;
}

bool capPreviewRate(CaptureWindow* wnd, int milliseconds) {
    if (!wnd || milliseconds < 0) return false;
    wnd->previewRate = milliseconds;
    return true;
}

bool capPreviewScale(CaptureWindow* wnd, bool on) {
    if (!wnd) return false;
    wnd->scale = on;
    return true;
}

bool capGetStatus(CaptureWindow* wnd, CaptureStatus& status) {
    status = CaptureStatus();
    if (!HasDriver(wnd)) return false;
    status.imageWidth = kFrameWidth;
    status.imageHeight = kFrameHeight;
    status.liveWindow = wnd->preview;
    status.overlayWindow = wnd->overlay;
    status.scale = wnd->scale;
    status.previewRate = wnd->previewRate;
    status.driverConnected = true;
    return true;
}

namespace {

bool Deliver(CaptureWindow* wnd, const QImage& frame) {
    if (frame.isNull()) return false;
    wnd->lastFrame = frame;
    // A copy: the callback may switch itself off while it runs.
    const CapFrameCallback callback = wnd->onFrame;
    if (callback) callback(frame);
    return true;
}

}  // namespace

bool capGrabFrame(CaptureWindow* wnd) {
    if (!HasDriver(wnd)) return false;
    return Deliver(wnd, ScaleToFrame(wnd->driver->grabFrame()));
}

bool capGrabFrameNoStop(CaptureWindow* wnd) {
    return capGrabFrame(wnd);
}

bool capEditCopy(CaptureWindow* wnd) {
    if (!wnd) return false;
    return Deliver(wnd, wnd->lastFrame);
}

bool SetWindowPos(CaptureWindow* wnd, int /*insertAfter*/, int x, int y, int cx, int cy,
                  unsigned flags) {
    if (!wnd) return false;
    if (!(flags & SWP_NOMOVE)) {
        wnd->x = x;
        wnd->y = y;
    }
    if (!(flags & SWP_NOSIZE)) {
        wnd->width = std::max(0, cx);
        wnd->height = std::max(0, cy);
    }
    return true;
}

bool SetWindowTextA(CaptureWindow* wnd, const QString& text) {
    if (!wnd) return false;
    wnd->title = text;
    return true;
}
