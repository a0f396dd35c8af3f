#pragma once

#include <QStringList>

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
// Save Data's outside programs are watched: why a start or the keys to a started
// program failed is kept (ProgramFailures) for the main window to show in the
// log box, beside the writer's general message.
//
// The text boxes hold lines ended by a plain line feed; the test builds its
// texts with CR LF. Text1()/Text2() return CR LF line ends, so what the test
// reads back and appends to the debug log is in the file format.
class MainAutoTestHost final : public AutoTestHost, public SaveDataHost, public MainRigHost {
  public:
    explicit MainAutoTestHost(frmMain& window) : MainRigHost(window) {}

    // Why starts of outside programs or keys to them failed in this host's
    // saves, one line each, as the log box shows them.
    const QStringList& ProgramFailures() const { return failures_; }
    // Tests: the outside programs every later save of the main window drives in
    // place of the desktop's; nullptr puts the desktop's back.
    static void SetProgramsOverride(OutsidePrograms* programs);

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
    // Forwards to the programs in use and records why a call failed.
    class WatchedPrograms final : public OutsidePrograms {
      public:
        explicit WatchedPrograms(MainAutoTestHost& host) : host_(host) {}
        bool Shell(const QString& program, const QString& workingFolder,
                   const QStringList& typedFiles) override;
        QString TypedPath(const QString& path) const override;
        QString Refusal() const override;
        bool SendKeys(const KeySequence& keys, bool wait) override;
        void Pause(float ms) override;

      private:
        MainAutoTestHost& host_;
        QString program_;  // the program started last
    };

    OutsidePrograms& InUse();
    // The reason the desktop's programs give for their last failure; empty for
    // a test's programs.
    QString LastError() const;

    DesktopPrograms programs_;
    WatchedPrograms watched_{*this};
    QStringList failures_;
};
