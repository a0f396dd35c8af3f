#pragma once

#include <QString>
#include <chrono>
#include <cstdint>

#include "live/Motors.h"
#include "output/MessageSink.h"

// What the automated test needs of the main window. The test itself (RunAutoTest,
// FindZoneNull, HalfStep) is plain logic over the TestState; the main window
// implements this interface and its RunAutoTest / Command3_Click become calls.
// Several calls share name and meaning with LiveLoopHost, so one implementation
// in the main window serves both.
//
//   ShowMessage          MsgBox(text, buttons, icon, title); returns the answer.
//   GrabFrame            capGrabFrameNoStop: the next frame into Picture1.
//   GrabStillFrame       capGrabFrame: a still frame into Picture1.
//   MeasureZones         the measurement of the frame in Picture1: new LZV/RZV
//                        (averaged over AvgFrames), bars and overlay; it lets
//                        pending events run once, as the measurement does.
//   DoEvents             lets pending window events run once.
//   PlaySoundAsync/Sync  plays the wave file at the path (Sound.h); the test
//                        builds the paths.
//   AbortChecked         the abort box has the value 1 (read at every call).
//   SetAbortChecked      sets the abort box to 1 or 0.
//   SetTrackingChecked   sets the Chk_trak box to 1 or 0.
//   SavePictureChecked   the Save_picture box has the value 1.
//   Wiring               the check marks of mnuinvert, mnuLRswap, mnuTFswap and
//                        mnuSwapMotors, read afresh at every call.
//   WriteDataPort        Out32(&H378, value).
//   MindelayValue        the Mindelay slider's current value.
//   BusyCountStepTime    the duration of one count of a busy count: the live
//                        loop's (LiveLoop::BusyCountStep()). Zero: no waiting.
//   Text1 / SetText1     the log box's whole text (newest line on top).
//   Text2 / SetText2     the test-data box's whole text.
//   SetTestButtonsEnabled  enables or disables Command3, Command1 and Command5.
//   SetPicture3Visible   shows or hides the speed strip Picture3.
//   FormResize           redoes the main window's layout (Form_Resize).
//   SetTimerEnabled      starts or stops Timer1.
//   SetMirRadFlag        the Boolean property of the MirRad slider that the test
//                        turns off while it runs (for example its tracking of
//                        mouse moves); false at the start, true at the end.
//   SaveZoneImage        saves Picture1's image (frame and drawing) as a .bmp.
//   SaveRawZoneImage     saves Picture1's picture (the frame alone) as a .bmp.
//   SaveData             Command5_Click, "Save Data".
//   UnloadMainWindow     unloads the main window while the program is closing.
//                        The test still runs its remaining end steps afterwards,
//                        so the window object must outlive this call (close it
//                        and delete it later).
//   QueryPerformanceCounter  the counter (Counter.h); TestState::QpcFrequency
//                        gives its ticks per second.
//   TimeOfDay            the current time of day in the system's time format.
class AutoTestHost : public virtual MessageSink {
  public:
    virtual void GrabFrame() = 0;
    virtual void GrabStillFrame() = 0;
    virtual void MeasureZones() = 0;
    virtual void DoEvents() = 0;
    virtual void PlaySoundAsync(const QString& path) = 0;
    virtual void PlaySoundSync(const QString& path) = 0;
    virtual bool AbortChecked() = 0;
    virtual void SetAbortChecked(bool checked) = 0;
    virtual void SetTrackingChecked(bool checked) = 0;
    virtual bool SavePictureChecked() = 0;
    virtual WiringMarks Wiring() = 0;
    virtual void WriteDataPort(uint8_t value) = 0;
    virtual int32_t MindelayValue() = 0;
    virtual std::chrono::nanoseconds BusyCountStepTime() = 0;
    virtual QString Text1() = 0;
    virtual void SetText1(const QString& text) = 0;
    virtual QString Text2() = 0;
    virtual void SetText2(const QString& text) = 0;
    virtual void SetTestButtonsEnabled(bool enabled) = 0;
    virtual void SetPicture3Visible(bool visible) = 0;
    virtual void FormResize() = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;
    virtual void SetMirRadFlag(bool value) = 0;
    virtual bool SaveZoneImage(const QString& path) = 0;
    virtual bool SaveRawZoneImage(const QString& path) = 0;
    virtual void SaveData() = 0;
    virtual void UnloadMainWindow() = 0;
    virtual int64_t QueryPerformanceCounter() = 0;
    virtual QString TimeOfDay() = 0;
};
