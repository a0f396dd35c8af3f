// The capture driver's set-up at start-up, the path of every grabbed frame into
// Picture1, the clearing of the capture callbacks at shut-down and the four
// commands of the "&Video Control" menu.

#include <QAction>

#include "app/ui/frmMain.h"
#include "live/Capture.h"
#include "live/MemCap.h"
#include "live/ui/frmSelect.h"
#include "platform/Events.h"
#include "platform/ui/CameraDialogs.h"
#include "platform/ui/PictureBox.h"
#include "sim/ui/SimSourceDialog.h"

namespace {

// A visible child window, as the capture window is made.
constexpr int32_t kCaptureWindowStyle = 0x50000000;

}  // namespace

void frmMain::CaptureSetUp() {
    // Timer1 is the live loop's from before start-up first starts it.
    Loop();
    // The drivers' own dialogs are windows of this program: register them once.
    static bool dialogsInstalled = false;
    if (!dialogsInstalled) {
        InstallCaptureDialogs();
        InstallSimSourceDialog();
        dialogsInstalled = true;
    }
    // The window is made once per run, whatever calls this again.
    if (CapWnd) return;

    QString name;
    QString version;
    capGetDriverDescriptionA(VidSource, name, version);
    CapWnd = capCreateCaptureWindowA(name, kCaptureWindowStyle, 0, 0, 5, 5, this, 0);
    // The callback is in place before any driver is connected.
    capSetCallbackOnFrame(CapWnd, [this](const QImage& frame) { FrameCallback(frame); });

    // A VidSource that names no driver connects nothing, silently: the menus stay
    // enabled and Picture1 keeps its start picture.
    if (capDriverConnect(CapWnd, VidSource)) {
        CaptureCaps caps;
        capDriverGetCaps(CapWnd, caps);
        // Start-up only disables; it never enables a menu item.
        if (!caps.hasVideoSourceDialog) mnuSource->setEnabled(false);
        if (!caps.hasVideoFormatDialog) mnuFormat->setEnabled(false);
        if (!caps.hasVideoDisplayDialog) mnuDisplay->setEnabled(false);
        if (caps.hasOverlay) capOverlay(CapWnd, false);
        capPreviewScale(CapWnd, false);
        capPreviewRate(CapWnd, 0);
        capPreview(CapWnd, false);
    }
    SetWindowPos(CapWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
}

void frmMain::FrameCallback(const QImage& frame) {
    frameDelivered_ = true;
    if (frame.isNull()) {
        KeepLastFrame();
        return;
    }
    Picture1->canvas().SetPicture(frame);
}

void frmMain::GrabFrame() {
    frameDelivered_ = false;
    capGrabFrameNoStop(CapWnd);
    if (!frameDelivered_) KeepLastFrame();
}

void frmMain::GrabStill() {
    frameDelivered_ = false;
    capGrabFrame(CapWnd);
    if (!frameDelivered_) KeepLastFrame();
}

void frmMain::KeepLastFrame() {
    // The picture stays; what the last pass drew over it goes, as it would under a
    // new frame. The print position is left as a new frame leaves it.
    PictureCanvas& canvas = Picture1->canvas();
    const double x = canvas.CurrentX;
    const double y = canvas.CurrentY;
    canvas.Cls();
    canvas.CurrentX = x;
    canvas.CurrentY = y;
}

void frmMain::ClearCaptureCallbacks() {
    capSetCallbackOnError(CapWnd, nullptr);
    capSetCallbackOnStatus(CapWnd, nullptr);
    capSetCallbackOnYield(CapWnd, nullptr);
    capSetCallbackOnFrame(CapWnd, nullptr);
    capSetCallbackOnVideoStream(CapWnd, nullptr);
    capSetCallbackOnWaveStream(CapWnd, nullptr);
    capSetCallbackOnCapControl(CapWnd, nullptr);
}

void frmMain::mnuDisplay_Click() {
    capDlgVideoDisplay(CapWnd);
}

void frmMain::mnuFormat_Click() {
    // The loop below waits while the driver's modal dialog is up.
    Manual = false;
    DoEvents();
    capDlgVideoFormat(CapWnd);
    ResizeCaptureWindow(CapWnd);
    Manual = true;
}

void frmMain::mnuSource_Click() {
    Manual = false;
    DoEvents();
    capDlgVideoSource(CapWnd);
    Manual = true;
}

void frmMain::mnuSelect_Click() {
    // The live loop ends after its pass; frmSelect sets Manual again when it closes.
    Manual = false;
    DoEvents();
    if (!select_) {
        select_ = new frmSelect(*this, this);
        select_->Form_Load();
    }
    select_->show();
    select_->raise();
    select_->activateWindow();
}

void frmMain::EnableDriverDialogs(const CaptureCaps& caps) {
    mnuSource->setEnabled(caps.hasVideoSourceDialog);
    mnuFormat->setEnabled(caps.hasVideoFormatDialog);
    mnuDisplay->setEnabled(caps.hasVideoDisplayDialog);
}
