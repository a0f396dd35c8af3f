#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/CaptureDriver.h"

// The capture window and its operations. The program pulls every frame with a
// grab; the connected driver grabs it and the frame callback receives it at once
// (the callback puts it into the live picture). Preview and overlay never run.
// No operation shows a message: failures only return false.

// The driver list: every camera the system lists, in its order, then the
// simulated tester last (with no camera, index 0 is the simulator). The list is
// taken afresh at each call.
class CaptureDrivers {
  public:
    using List = std::vector<std::shared_ptr<CaptureDriver>>;
    using Provider = std::function<List()>;

    static List Drivers();

    // Tests: the cameras come from this provider instead of the system;
    // nullptr restores the system's cameras.
    static void SetCameraProvider(Provider provider);
    // Tests: this driver stands last instead of the shared simulator; nullptr
    // restores the shared simulator.
    static void SetSimulator(std::shared_ptr<CaptureDriver> simulator);
};

using CapCallback = std::function<void()>;
using CapFrameCallback = std::function<void(const QImage& frame)>;

// The capture status: what the window is doing now.
struct CaptureStatus {
    int imageWidth = 0;
    int imageHeight = 0;
    bool liveWindow = false;     // preview on
    bool overlayWindow = false;  // overlay on
    bool scale = false;
    int previewRate = 0;  // milliseconds
    bool driverConnected = false;
};

// The capture window: title, place and size, callbacks, flags and the connected
// driver. It is owned by its parent (or by the caller when made without one);
// destroying it disconnects its driver.
class CaptureWindow : public QObject {
  public:
    explicit CaptureWindow(QObject* parent = nullptr) : QObject(parent) {}
    ~CaptureWindow() override;

    QString title;
    int x = 0, y = 0, width = 0, height = 0;
    int32_t style = 0;
    int id = 0;
    bool preview = false;
    bool overlay = false;
    bool scale = false;
    int previewRate = 0;

    CapCallback onError, onStatus, onYield, onVideoStream, onWaveStream, onCapControl;
    CapFrameCallback onFrame;

    std::shared_ptr<CaptureDriver> driver;  // null: none connected
    int driverIndex = -1;
    QImage lastFrame;  // the last frame grabbed, for capEditCopy
};

// Driver name and version of list entry index; false (and both empty) when the
// list has no such entry.
bool capGetDriverDescriptionA(int index, QString& name, QString& version);

// A capture window titled name. Owned by parent when one is given.
CaptureWindow* capCreateCaptureWindowA(const QString& name, int32_t style, int x, int y, int width,
                                       int height, QObject* parent, int id);

// Callback setters: a null function switches that callback off. False only
// without a window.
bool capSetCallbackOnError(CaptureWindow* wnd, CapCallback callback);
bool capSetCallbackOnStatus(CaptureWindow* wnd, CapCallback callback);
bool capSetCallbackOnYield(CaptureWindow* wnd, CapCallback callback);
bool capSetCallbackOnFrame(CaptureWindow* wnd, CapFrameCallback callback);
bool capSetCallbackOnVideoStream(CaptureWindow* wnd, CapCallback callback);
bool capSetCallbackOnWaveStream(CaptureWindow* wnd, CapCallback callback);
bool capSetCallbackOnCapControl(CaptureWindow* wnd, CapCallback callback);

// Connects list entry index. On failure the window keeps the driver it had (and
// that driver stays connected); on success the previous driver is disconnected.
bool capDriverConnect(CaptureWindow* wnd, int index);

// The connected driver's capabilities, filled afresh; false (and all zero) when
// no driver is connected.
bool capDriverGetCaps(CaptureWindow* wnd, CaptureCaps& caps);

// The driver's dialogs; false without a driver or when it has no such dialog.
bool capDlgVideoFormat(CaptureWindow* wnd);
bool capDlgVideoSource(CaptureWindow* wnd);
bool capDlgVideoDisplay(CaptureWindow* wnd);

// Preview and overlay stay off: switching them off succeeds, switching them on
// is refused. Rate and scale are only kept.
bool capPreview(CaptureWindow* wnd, bool on);
bool capOverlay(CaptureWindow* wnd, bool on);
bool capPreviewRate(CaptureWindow* wnd, int milliseconds);
bool capPreviewScale(CaptureWindow* wnd, bool on);

// The window's status; false when no driver is connected.
bool capGetStatus(CaptureWindow* wnd, CaptureStatus& status);

// Grabs one frame and hands it to the frame callback before returning. With no
// driver, no frame or no callback nothing is delivered (the live picture keeps
// its last frame). True when a frame was grabbed.
bool capGrabFrame(CaptureWindow* wnd);
bool capGrabFrameNoStop(CaptureWindow* wnd);

// Hands the last grabbed frame to the frame callback again (in place of a copy
// through the clipboard, which the program never touches). False when no frame
// has been grabbed.
bool capEditCopy(CaptureWindow* wnd);

// Window bookkeeping. SetWindowPos honours the flags below (the z-order has no
// meaning here).
constexpr unsigned SWP_NOSIZE = 0x1;
constexpr unsigned SWP_NOMOVE = 0x2;
constexpr unsigned SWP_NOZORDER = 0x4;
constexpr int HWND_BOTTOM = 1;
bool SetWindowPos(CaptureWindow* wnd, int insertAfter, int x, int y, int cx, int cy,
                  unsigned flags);
bool SetWindowTextA(CaptureWindow* wnd, const QString& text);
