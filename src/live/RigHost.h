#pragma once

#include <cstdint>

#include "live/Motors.h"

// What the live loop and the automated test both ask of the main window: the rig
// (port, frame grab, measurement) and the window's event pumping and unloading.
// The main window implements it once; each loop's host interface adds its own.
//
//   Wiring()           the four hidden wiring check marks (mnuinvert, mnuLRswap,
//                      mnuTFswap, mnuSwapMotors) as they stand now.
//   WriteDataPort(b)   Out32(&H378, b): latch the byte on the port's data register.
//   MindelayValue()    the value of the slider Mindelay (1 to 1000), read afresh.
//   GrabFrame()        capGrabFrameNoStop(CapWnd): returns when the grabbed frame is
//                      in Picture1 (or, when none came, Picture1 keeps the last one).
//   MeasureZones()     the zone measurement of the main window: new LZV/RZV, bars
//                      and overlay; it shows the frame rate and lets events run once.
//   DoEvents()         let pending window events run once (clicks, menus, ticks).
//   UnloadMainWindow() run the main window's unload (shut-down). It may be called
//                      more than once while the program closes, and the caller may
//                      go on afterwards, so the window object outlives the call.
//   QueryPerformanceCounter()
//                      the high-resolution counter, in units of QpcFrequency.
class RigHost {
  public:
    virtual ~RigHost() = default;

    virtual WiringMarks Wiring() = 0;
    virtual void WriteDataPort(uint8_t value) = 0;
    virtual int32_t MindelayValue() = 0;
    virtual void GrabFrame() = 0;
    virtual void MeasureZones() = 0;
    virtual void DoEvents() = 0;
    virtual void UnloadMainWindow() = 0;
    virtual int64_t QueryPerformanceCounter() = 0;
};
