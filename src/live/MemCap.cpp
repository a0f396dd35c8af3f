#include "live/MemCap.h"

#include "live/Capture.h"

void ResizeCaptureWindow(CaptureWindow* window) {
    CaptureStatus status;
    if (!capGetStatus(window, status)) return;
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER);
}
