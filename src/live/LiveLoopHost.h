#pragma once

#include <cstdint>

#include "core/TestState.h"
#include "live/Motors.h"
#include "live/RigHost.h"

class PictureCanvas;

// What the live loop needs from the main window, beyond the calls it shares with
// the automated test (RigHost.h). The main window implements it
// over its own controls; tests implement it with a scripted fake.
//
// Every value is read afresh at each call: the loop never caches a slider, a
// check mark or a key, so a change made by a handler that runs nested in the
// loop's event pumping acts at the loop's next use of that value.
//
//   State()            the test state the window owns; the loop changes it in place
//                      (Manual, LiveLoopBusy, phases, positions, SpeedPercent, ...).
//   MaxdelayValue()    the value of the slider Maxdelay (1 to 5000).
//   MirXValue(), MirYValue(), MirRadValue()
//                      the values of the sliders MirX, MirY, MirRad (whole pixels).
//   TrackChecked()     true while the check box Chk_trak has the value 1.
//   ReadHandpad()      ReadHandpad(&H379): the handpad code, 0..6 or 10..16.
//   GetAsyncKeyState(vk)
//                      the key-state service's answer for the virtual key: non-zero
//                      while the key is down or once after it was pressed.
//   TrackMirror()      the mirror tracking of the main window.
//   Picture1(), Picture3()
//                      the drawing surfaces of the live picture and the speed strip.
//   RefreshPicture1()  repaint Picture1's widget from its canvas now. (Picture3 is
//                      drawn on and never refreshed: its widget repaints at the next
//                      event pumping, as the canvas reports its changes.)
//   Picture3Width(), Picture3Height()
//                      Picture3's outer size in the window's pixels, border included.
//   EnableTimer1()     start Timer1 (25 ms) if it is not running; a running timer
//                      keeps its phase.
class LiveLoopHost : public virtual RigHost {
  public:
    virtual ~LiveLoopHost() = default;

    virtual TestState& State() = 0;

    virtual int32_t MaxdelayValue() = 0;
    virtual int32_t MirXValue() = 0;
    virtual int32_t MirYValue() = 0;
    virtual int32_t MirRadValue() = 0;
    virtual bool TrackChecked() = 0;

    virtual int32_t ReadHandpad() = 0;
    virtual short GetAsyncKeyState(int virtualKey) = 0;

    virtual void TrackMirror() = 0;

    virtual PictureCanvas& Picture1() = 0;
    virtual PictureCanvas& Picture3() = 0;
    virtual void RefreshPicture1() = 0;
    virtual double Picture3Width() = 0;
    virtual double Picture3Height() = 0;

    virtual void EnableTimer1() = 0;
};
