#pragma once

#include <QCameraDevice>
#include <QCameraFormat>
#include <QImage>
#include <QList>
#include <QVideoFrame>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/CaptureDriver.h"

class QCamera;
class QMediaCaptureSession;
class QMediaDevices;
class QVideoSink;

// A camera through Qt Multimedia. A grab waits (letting pending events other than
// user input run) for the next frame that arrives after the grab began, up to one
// second, and scales it to 320 x 240; a camera that delivers nothing in that time,
// or that has gone away, gives a null image.
class CameraDriver : public CaptureDriver {
  public:
    explicit CameraDriver(const QCameraDevice& device);
    ~CameraDriver() override;

    // One driver per camera the system lists, in its order.
    static std::vector<std::shared_ptr<CaptureDriver>> SystemCameras();

    // Dialogs registered by the forms library; each returns true when accepted.
    using Dialog = std::function<bool(CameraDriver&)>;
    static void SetFormatDialog(Dialog dialog);
    static void SetSourceDialog(Dialog dialog);

    QString name() const override;
    QString version() const override;
    bool connect() override;
    void disconnect() override;
    bool isConnected() const override { return camera_ != nullptr; }
    CaptureCaps caps() const override;
    QImage grabFrame() override;
    bool videoFormatDialog() override;
    bool videoSourceDialog() override;

    const QCameraDevice& device() const { return device_; }
    // The formats the camera offers, and the one in use (or chosen for the next
    // connection).
    QList<QCameraFormat> formats() const { return device_.videoFormats(); }
    QCameraFormat format() const;
    void setFormat(const QCameraFormat& format);
    // The open camera, for its controls; null while not connected.
    QCamera* camera() const { return camera_.get(); }

    static constexpr int kGrabTimeoutMs = 1000;
    static constexpr int kStartTimeoutMs = 3000;

  private:
    void teardown();

    QCameraDevice device_;
    QCameraFormat format_;
    std::unique_ptr<QMediaDevices> devices_;
    std::unique_ptr<QMediaCaptureSession> session_;
    std::unique_ptr<QVideoSink> sink_;
    std::unique_ptr<QCamera> camera_;
    bool gone_ = false;  // unplugged, or the camera reported an error

    // Frames may arrive on a media thread.
    std::mutex frameMutex_;
    QVideoFrame latest_;
    std::atomic<uint64_t> arrived_{0};
};
