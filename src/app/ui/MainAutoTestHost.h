#pragma once

#include "app/ui/MainRigHost.h"
#include "autotest/AutoTestHost.h"
#include "output/SaveData.h"

class frmMain;

// The automated test and Save Data over the real main window: frames come from
// the capture service into Picture1, the measurement is the window's own, coil
// bytes go to the port service, and the log, buttons, timer and pictures are the
// window's controls. One object lives for one click of "Do the Magic" or "Save
// Data".
//
// The text boxes hold lines ended by a plain line feed; the test builds its
// texts with CR LF. Text1()/Text2() return CR LF line ends, so what the test
// reads back and appends to the debug log is in the file format.
class MainAutoTestHost final : public AutoTestHost, public SaveDataHost, public MainRigHost {
  public:
    explicit MainAutoTestHost(frmMain& window) : MainRigHost(window) {}

    // MessageSink
    MsgResult ShowMessage(const QString& text, MsgButtons buttons, MsgIcon icon,
                          const QString& title) override;

    // AutoTestHost
    void GrabStillFrame() override;
    void PlaySoundAsync(const QString& path) override;
    void PlaySoundSync(const QString& path) override;
    bool AbortChecked() override;
    void SetAbortChecked(bool checked) override;
    void SetTrackingChecked(bool checked) override;
    bool SavePictureChecked() override;
    std::chrono::nanoseconds BusyCountStepTime() override;
    QString Text1() override;
    void SetText1(const QString& text) override;
    QString Text2() override;
    void SetText2(const QString& text) override;
    void SetTestButtonsEnabled(bool enabled) override;
    void SetPicture3Visible(bool visible) override;
    void FormResize() override;
    void SetTimerEnabled(bool enabled) override;
    void SetMirRadFlag(bool value) override;
    bool SaveZoneImage(const QString& path) override;
    bool SaveRawZoneImage(const QString& path) override;
    void SaveData() override;
    QString TimeOfDay() override;

    // SaveDataHost
    bool FixedSource() override;
    OutsidePrograms& Programs() override;

  private:
    DesktopPrograms programs_;
};
