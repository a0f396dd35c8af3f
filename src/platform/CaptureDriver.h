#pragma once

#include <QImage>
#include <QString>

// The size of every frame that reaches the live picture.
constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 240;

// What a capture driver can do. The device index is the driver's place in the
// capture service's list; the service fills it in.
struct CaptureCaps {
    int deviceIndex = 0;
    bool hasOverlay = false;
    bool hasVideoSourceDialog = false;
    bool hasVideoFormatDialog = false;
    bool hasVideoDisplayDialog = false;
    bool captureInitialized = false;
    bool suppliesPalettes = false;
};

// A source of video frames: a camera, or the simulated tester. It connects,
// describes itself and grabs one frame at a time. Dialogs are widgets and live in
// the forms library; a driver reaches its dialogs through functions the forms
// register with it at start-up, and reports false while none is registered.
class CaptureDriver {
  public:
    virtual ~CaptureDriver() = default;

    virtual QString name() const = 0;
    virtual QString version() const = 0;

    // Opens the device; false when it cannot deliver frames. Connecting a driver
    // that is already connected succeeds without starting it again.
    virtual bool connect() = 0;
    virtual void disconnect() = 0;
    virtual bool isConnected() const = 0;

    virtual CaptureCaps caps() const = 0;

    // The next frame, already 320 x 240; a null image when none came.
    virtual QImage grabFrame() = 0;

    // The driver's modal dialogs; true when the dialog was shown and accepted.
    virtual bool videoFormatDialog() { return false; }
    virtual bool videoSourceDialog() { return false; }
    virtual bool videoDisplayDialog() { return false; }
};

// A picture of any size as a frame of the live picture: 320 x 240, RGB32.
inline QImage ScaleToFrame(const QImage& picture) {
    if (picture.isNull()) return QImage();
    QImage frame = picture.size() == QSize(kFrameWidth, kFrameHeight)
                       ? picture
                       : picture.scaled(kFrameWidth, kFrameHeight, Qt::IgnoreAspectRatio,
                                        Qt::SmoothTransformation);
    return frame.format() == QImage::Format_RGB32 ? frame
                                                  : frame.convertToFormat(QImage::Format_RGB32);
}
