#pragma once

#include "live/RigHost.h"

class frmMain;

// The calls the live loop and the automated test share, over the real main
// window: wiring marks and Mindelay read from its controls at every call, coil
// bytes to the port service, frames from the capture window into Picture1, and
// the window's own measurement, event pumping and unloading.
class MainRigHost : public virtual RigHost {
  public:
    explicit MainRigHost(frmMain& window) : w_(window) {}

    WiringMarks Wiring() override;
    void WriteDataPort(uint8_t value) override;
    int32_t MindelayValue() override;
    void GrabFrame() override;
    void MeasureZones() override;
    void DoEvents() override;
    void UnloadMainWindow() override;
    int64_t QueryPerformanceCounter() override;

  protected:
    frmMain& w_;
};
