#pragma once

#include <QString>
#include <chrono>
#include <cstdint>

#include "live/Motors.h"
#include "live/RigHost.h"
#include "output/MessageSink.h"

// What the automated test needs of the main window. The test itself (RunAutoTest,
// FindZoneNull, HalfStep) is plain logic over the TestState; the main window
// implements this interface and its RunAutoTest / Command3_Click become calls.
// The calls it shares with the live loop (frame grab, measurement, port, events,
// unloading, counter) are RigHost's (RigHost.h).
//
//   ShowMessage          MsgBox(text, buttons, icon, title); returns the answer.
//   GrabStillFrame       capGrabFrame: a still frame into Picture1.
//   PlaySoundAsync/Sync  plays the wave file at the path (Sound.h); the test
//                        builds the paths.
//   AbortChecked         the abort box has the value 1 (read at every call).
//   SetAbortChecked      sets the abort box to 1 or 0.
//   SetTrackingChecked   sets the Chk_trak box to 1 or 0.
//   SavePictureChecked   the Save_picture box has the value 1.
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
//   TimeOfDay            the current time of day in the system's time format.
class AutoTestHost : public virtual MessageSink, public virtual RigHost {
  public:
    virtual void GrabStillFrame() = 0;
    virtual void PlaySoundAsync(const QString& path) = 0;
    virtual void PlaySoundSync(const QString& path) = 0;
    virtual bool AbortChecked() = 0;
    virtual void SetAbortChecked(bool checked) = 0;
    virtual void SetTrackingChecked(bool checked) = 0;
    virtual bool SavePictureChecked() = 0;
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
    virtual QString TimeOfDay() = 0;
};
