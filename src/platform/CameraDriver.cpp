#include "platform/CameraDriver.h"

#include <QCamera>
#include <QEventLoop>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QTimer>
#include <QVideoSink>

namespace {

CameraDriver::Dialog& FormatDialog() {
    static CameraDriver::Dialog dialog;
    return dialog;
}

CameraDriver::Dialog& SourceDialog() {
    static CameraDriver::Dialog dialog;
    return dialog;
}

bool StillListed(const QCameraDevice& device) {
    for (const QCameraDevice& listed : QMediaDevices::videoInputs())
        if (listed.id() == device.id()) return true;
    return false;
}

}  // namespace

CameraDriver::CameraDriver(const QCameraDevice& device) : device_(device) {}

CameraDriver::~CameraDriver() {
    teardown();
}

std::vector<std::shared_ptr<CaptureDriver>> CameraDriver::SystemCameras() {
    std::vector<std::shared_ptr<CaptureDriver>> cameras;
    for (const QCameraDevice& device : QMediaDevices::videoInputs())
        cameras.push_back(std::make_shared<CameraDriver>(device));
    return cameras;
}

void CameraDriver::SetFormatDialog(Dialog dialog) {
    FormatDialog() = std::move(dialog);
}
void CameraDriver::SetSourceDialog(Dialog dialog) {
    SourceDialog() = std::move(dialog);
}

QString CameraDriver::name() const {
    return device_.description();
}

QString CameraDriver::version() const {
    return QString::fromUtf8(device_.id());
}

bool CameraDriver::connect() {
    if (camera_) return true;
    if (device_.isNull() || !StillListed(device_)) return false;

    gone_ = false;
    devices_ = std::make_unique<QMediaDevices>();
    session_ = std::make_unique<QMediaCaptureSession>();
    sink_ = std::make_unique<QVideoSink>();
    camera_ = std::make_unique<QCamera>(device_);
    if (!format_.isNull()) camera_->setCameraFormat(format_);
    session_->setCamera(camera_.get());
    session_->setVideoSink(sink_.get());

    // Keep the newest frame, whichever thread delivers it.
    QObject::connect(
        sink_.get(), &QVideoSink::videoFrameChanged, sink_.get(),
        [this](const QVideoFrame& frame) {
            std::lock_guard<std::mutex> lock(frameMutex_);
            latest_ = frame;
            ++arrived_;
        },
        Qt::DirectConnection);
    QObject::connect(camera_.get(), &QCamera::errorOccurred, camera_.get(),
                     [this](QCamera::Error error, const QString&) {
                         if (error != QCamera::NoError) gone_ = true;
                     });
    QObject::connect(devices_.get(), &QMediaDevices::videoInputsChanged, devices_.get(), [this] {
        if (!StillListed(device_)) gone_ = true;
    });

    // Wait until the camera runs or fails.
    QEventLoop loop;
    QObject::connect(camera_.get(), &QCamera::activeChanged, &loop, &QEventLoop::quit);
    QObject::connect(camera_.get(), &QCamera::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kStartTimeoutMs, &loop, &QEventLoop::quit);
    camera_->start();
    if (!camera_->isActive() && !gone_) loop.exec(QEventLoop::ExcludeUserInputEvents);

    if (!camera_->isActive() || gone_) {
        teardown();
        return false;
    }
    return true;
}

void CameraDriver::disconnect() {
    teardown();
}

void CameraDriver::teardown() {
    if (camera_) camera_->stop();
    if (session_) {
        session_->setVideoSink(nullptr);
        session_->setCamera(nullptr);
    }
    camera_.reset();
    sink_.reset();
    session_.reset();
    devices_.reset();
    std::lock_guard<std::mutex> lock(frameMutex_);
    latest_ = QVideoFrame();
}

CaptureCaps CameraDriver::caps() const {
    CaptureCaps caps;
    caps.hasVideoSourceDialog = true;
    caps.hasVideoFormatDialog = true;
    caps.captureInitialized = camera_ != nullptr;
    return caps;
}

QImage CameraDriver::grabFrame() {
    if (!camera_ || gone_) return QImage();
    const uint64_t before = arrived_;
    QEventLoop loop;
    QObject::connect(sink_.get(), &QVideoSink::videoFrameChanged, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    QObject::connect(camera_.get(), &QCamera::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kGrabTimeoutMs, &loop, &QEventLoop::quit);
    if (arrived_ == before) loop.exec(QEventLoop::ExcludeUserInputEvents);
    // The loop may also end for a late frame of an earlier wait; only a frame
    // that arrived after this grab began counts.
    if (arrived_ == before || gone_ || !camera_) return QImage();

    QVideoFrame frame;
    {
        std::lock_guard<std::mutex> lock(frameMutex_);
        frame = latest_;
    }
    return ScaleToFrame(frame.toImage());
}

QCameraFormat CameraDriver::format() const {
    return camera_ ? camera_->cameraFormat() : format_;
}

void CameraDriver::setFormat(const QCameraFormat& format) {
    format_ = format;
    if (camera_) camera_->setCameraFormat(format);
}

bool CameraDriver::videoFormatDialog() {
    const Dialog& dialog = FormatDialog();
    return dialog ? dialog(*this) : false;
}

bool CameraDriver::videoSourceDialog() {
    const Dialog& dialog = SourceDialog();
    return dialog ? dialog(*this) : false;
}
