#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <chrono>

#include "app/Layout.h"
#include "app/Settings.h"
#include "autotest/ui/FrmAutoTest.h"
#include "core/TestState.h"
#include "live/LiveButtons.h"
#include "live/Motors.h"
#include "live/ui/frmSelect.h"
#include "mirror/ui/frmEdit.h"
#include "output/ui/SaveOptions.h"
#include "setup/ui/SetupHost.h"

class PictureBox;
class QAction;
class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QStatusBar;
class QTimer;
class frmSplash;
class frmText;
class CaptureWindow;
class LiveLoop;
class MainLiveHost;
class QImage;
class frmsetup;

// The main window: the start-up window of the program and the owner of the test
// state, which it inherits. Its controls and menu items are public members named
// as in the window's design, so the other windows read and set them directly.
//
// The implementation is split by concern over frmMain_<concern>.cpp files.
class frmMain : public QMainWindow,
                public TestState,
                public MirrorEditorHost,
                public AutoTestVarsHost,
                public CaptureSelectHost,
                public SetupHost,
                public SaveOptionsHost {
    Q_OBJECT

  public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // ---- What the dialogs of the other areas use ---------------------------------
    TestState& State() override { return *this; }
    bool FixedSource() const override;
    CaptureWindow* CaptureWnd() override { return CapWnd; }
    void EnableDriverDialogs(const CaptureCaps& caps) override;

    // ---- Controls (frmMain.cpp) -------------------------------------------------
    PictureBox* Picture1 = nullptr;  // live video, 320 x 240 inside a 2-pixel border
    PictureBox* Picture2 = nullptr;  // zone bar graphs and start instructions
    PictureBox* Picture3 = nullptr;  // speed strip
    PictureBox* pBlack = nullptr;    // 14 x 14 colour swatches, never shown
    PictureBox* pBlue = nullptr;
    PictureBox* pRed = nullptr;
    QPlainTextEdit* Text1 = nullptr;  // the log: each new line goes on top
    QPlainTextEdit* Text2 = nullptr;  // test data
    // Button-style check boxes: checked is the value 1.
    QPushButton* Chk_trak = nullptr;
    QPushButton* abort = nullptr;
    QPushButton* Save_picture = nullptr;
    QPushButton* Command3 = nullptr;  // " Do the Magic"
    QPushButton* Command5 = nullptr;  // "Save Data"
    QPushButton* Command1 = nullptr;  // "Reset"
    QPushButton* cmdpause = nullptr;  // "Pause"
    QGroupBox* Frame3 = nullptr;      // holds Slider1
    QGroupBox* Frame2 = nullptr;      // holds the motor sliders; never shown
    QSlider* Slider1 = nullptr;
    QSlider* MirX = nullptr;
    QSlider* MirY = nullptr;
    QSlider* MirRad = nullptr;
    QSlider* Maxdelay = nullptr;
    QSlider* Mindelay = nullptr;
    QSlider* sldAcell = nullptr;
    QStatusBar* StatusBar = nullptr;
    QTimer* Timer1 = nullptr;  // 25 ms, starts the live loop

    // ---- Menus (frmMain_menutree.cpp) ------------------------------------------
    // Top-level menus are the menu actions of their QMenu (action->menu()).
    QAction* mnuFile = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuControl = nullptr;
    QAction* mnuDisplay = nullptr;
    QAction* mnuFormat = nullptr;
    QAction* mnuSource = nullptr;
    QAction* mnuLine1 = nullptr;
    QAction* mnuSelect = nullptr;
    QAction* mnuWizard2 = nullptr;
    QAction* mnuWizard = nullptr;
    QAction* MnuAuto = nullptr;
    // Hidden items whose check marks (and two captions) hold settings.
    QAction* mnuinvert = nullptr;
    QAction* mnuLRswap = nullptr;
    QAction* mnuTFswap = nullptr;
    QAction* mnuSwapMotors = nullptr;
    QAction* MnuFixed = nullptr;
    QAction* mnuRecent = nullptr;
    QAction* mnuEditMirror = nullptr;
    QAction* mnuspace = nullptr;
    std::array<QAction*, kRecentMirrors + 1> Mnu{};  // recent mirrors, indexes 1..10
    QAction* mnutest = nullptr;
    QAction* mnuReps = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuWindow = nullptr;
    QAction* mnuText = nullptr;
    QAction* mnuDebug = nullptr;
    QAction* MnuMoreText = nullptr;
    QAction* MnuBars = nullptr;

    // ---- Start-up and shut-down (frmMain_startup.cpp) --------------------------
    void Form_Load();
    // Shut-down steps; runs again (without saving) each time the window is unloaded.
    void Form_Unload();
    // Unloads the main window: shut-down, then the window closes. Safe to call
    // again while the program closes.
    void Unload();

    // ---- Settings file (frmMain_settings.cpp) ----------------------------------
    void SaveSettings();
    void LoadSettings();

    // ---- Layout (frmMain_layout.cpp) --------------------------------------------
    void Form_Resize();
    void Picture1_Resize();

    // ---- Motor output (frmMain_motors.cpp) -------------------------------------
    // The four wiring check marks as they stand now.
    WiringMarks CurrentWiring() const;
    void OutputMotorPhases();
    // Releases all coils: 0, or 255 when the output is inverted.
    void OutputAllOff();

    // ---- Menu handlers (frmMain_menus.cpp) -------------------------------------
    void mnuExit_Click();
    void mnuDebug_Click();
    void MnuMoreText_Click();
    void MnuBars_Click();
    void mnuSave_Click();

    // ---- Video menus (frmMain_capture.cpp) -------------------------------------
    void mnuDisplay_Click();
    void mnuFormat_Click();
    void mnuSource_Click();
    void mnuSelect_Click();

    // ---- Dialogs opened from the menus (frmMain_dialogs.cpp) -------------------
    void mnuWizard_Click();
    void MnuAuto_Click();
    void mnuReps_Click();
    void mnuText_Click();

    // ---- Mirror database menu and zone table (frmMain_mirrors.cpp) -------------
    void mnuEditMirror_Click();
    void Mnu_Click(int index);
    // Builds the zone table of the mirror in the test state, shows the previous
    // readings and the zone table in Text2 and enables "Save Data". False, with
    // nothing changed, when the mirror gives no zone table (the caller's failure
    // path runs). The callers set ZoneOn.
    bool Zone_Calc() override;
    // The recent-mirror list as the captions and visibility of Mnu(1..10).
    RecentMirrors RecentList() const override;
    void SetRecentList(const RecentMirrors& list) override;

    // ---- Zone measurement and bar graphs (frmMain_measure.cpp) -----------------
    // One frame of the zone measurement on Picture1 and Picture2, then one round
    // of pending events. The live loop and the automated test call it.
    void MeasureZones();
    // Slider1: Frame3's caption "Averaging N Frames", then AvgFrames = N.
    void Slider1_Change();
    void Slider1_MouseUp();

    // ---- Automated test and Save Data (frmMain_autotest.cpp) -------------------
    // "Do the Magic": the automated test for the knife side of KnifeRight.
    void Command3_Click();
    // "Save Data": the chosen result files, then the next test number.
    void Command5_Click();

    // ---- Live loop (frmMain_timer.cpp, frmMain_liveloop.cpp) -------------------
    void Timer1_Timer();
    void sldAcell_OnValue();
    // The duration of one step of the live loop's busy counts (the motor speed
    // counts); zero makes the counts take no time.
    std::chrono::nanoseconds BusyCountStep();
    void SetBusyCountStep(std::chrono::nanoseconds step);

    // ---- Capture and frame path (frmMain_capture.cpp) --------------------------
    // The capture window: made at start-up on the driver VidSource names, given to
    // every capture operation, and owned by this window.
    CaptureWindow* CapWnd = nullptr;
    // The driver's frame callback: the grabbed frame becomes Picture1's picture.
    void FrameCallback(const QImage& frame);
    // capGrabFrameNoStop(CapWnd) (the live loop, the test's frames) and
    // capGrabFrame(CapWnd) (still frames). When they return, Picture1 holds the new
    // frame; when none came, it holds the last frame again, without what was drawn
    // on it since, so the measurement never reads old overlays as brightness.
    void GrabFrame();
    void GrabStill();

    // ---- Tracking, centre-and-size, Pause, Reset and the floating text window ----
    // (frmMain_tracking.cpp, frmMain_pause.cpp, frmMain_text.cpp)
    // Follows the mirror in Picture1: MirX and MirY move halfway towards the centre
    // found, unless it jumped 4 pixels or more; prints the status lines.
    void TrackMirror();
    // A click into the live picture: a still frame, then the mirror's centre and
    // radius from its edges into MirX, MirY and MirRad.
    void Picture1_MouseDown(int button, int shift, double x, double y);
    // "Pause": waits inside the handler, flashing, until clicked again.
    void cmdpause_Click();
    // "Reset": zone evaluation off, the start instructions, positions 0.
    void Command1_Click();
    // The floating text window while it is open.
    QPointer<frmText> TextWindow;
    // The Pause button's saved colour and paused flag, kept for the program's life.
    PauseButton PauseState;
    // Connects Picture1's clicks, Pause and Reset to their handlers.
    void ConnectLiveButtons();

    // ---- Log box -----------------------------------------------------------------
    // Puts a line on top of the log box Text1.
    void LogLine(const QString& line);

  signals:
    // The window has been unloaded (each time shut-down has run and the window
    // has closed). The program ends on it.
    void unloaded();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Construction.
    void CreateControls();
    void CreateMenus();
    void ConnectHandlers();
    QMenu* AddTopMenu(QAction*& action, const char* name, const QString& caption, int helpId);
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption);

    // Start-up steps.
    frmSplash* Splash();
    void SetSplashText(const QString& text);
    void AddSplashDots();
    void UnloadSplash();
    void PrintStartInstructions();

    // Settings held in controls.
    ControlSettings ReadControlSettings() const;
    void ApplyControlSettings(const ControlSettings& settings);

    // Layout.
    MainControls CurrentControls() const;
    void ApplyLayout(const MainControls& controls);

    // The live loop over this window, made on first use (frmMain_liveloop.cpp).
    LiveLoop& Loop();
    void RunLiveLoop();
    MainLiveHost* liveHost_ = nullptr;

    // Capture set-up at start-up and the clearing of its callbacks at shut-down.
    void CaptureSetUp();
    void ClearCaptureCallbacks();
    // After a grab that delivered no frame: the last frame's picture, redrawn.
    void KeepLastFrame();
    bool frameDelivered_ = false;
    QPointer<frmSelect> select_;  // the driver-choice window while it is open

    // Dialogs the settings reader opens when the file is missing or bad.
    void ShowSetupDialog();
    void ShowAutoTestDialog();
    // The Save Data Options dialog, modal.
    void ShowSaveOptionsDialog();

    QWidget* client_ = nullptr;
    QPointer<frmSplash> splash_;
    bool controlsReady_ = false;
    bool settingsRead_ = false;  // the settings file has been read this run
    bool saveFailureReported_ = false;
    bool closeFromUnload_ = false;
    // Shut-down's two-second waits: the close, and the loop that unloads again.
    static constexpr int kClosingWaits = 2;
    int closingWaits_ = 0;  // shut-down's two-second waits so far

    // Zone measurement: Slider1's handlers.
    void ConnectSlider1();

    // Automated test and Save Data: the two buttons' handlers, and the test's
    // view of the window.
    void ConnectAutoTest();
    friend class MainAutoTestHost;
    // Save Data over this window, from its button or from the end of a test;
    // shows in the log box why an outside program failed.
    void RunSaveData();
    // Both run inside event pumps (the waits for the outside programs, the
    // sounds): while either runs, "Do the Magic" and "Save Data" start nothing.
    bool testRunning_ = false;
    bool saveRunning_ = false;
    // What a test or a save holds until both have ended, enabled only while
    // neither runs (frmMain_autotest.cpp lists it).
    void EnableTestHeld();
    // The log lines of the last save's failed outside programs.
    QStringList saveProblems_;

    // ---- Keeping the settings file safe (frmMain_settingsfile.cpp) -------------
  public:
    // Shut-down asked for by a termination signal: as Unload, but a settings file
    // that cannot be written is reported in the log box and on standard error,
    // never in a message box that nobody may be there to answer.
    void UnloadOnSignal();

  private:
    // After a load that failed on an existing file: says so in the log box and
    // marks that file to be kept as quenz.ini.bak before the next save.
    void NoteFailedSettingsLoad(const SettingsLoadOutcome& outcome);
    // Keeps the file the load failed on, once; false (with why) when it can't be
    // kept, and then the file must not be written over.
    bool KeepUnreadSettingsFile(const QString& path, QString& error);
    void ReportSettingsSaveFailure(const QString& path, const QString& error);
    bool keepSettingsBeforeSave_ = false;
    bool signalShutDown_ = false;

    // ---- Auto Test Variables dialog (frmMain_autotestvars.cpp) -----------------
    // The one instance while it is open; ShowAutoTestDialog is the only way to
    // open it.
    QPointer<FrmAutoTest> autoTest_;

    // ---- Setup dialogs and Save Data Options (frmMain_setupdialogs.cpp) -------
  public:
    bool ItemChecked(SettingItem item) const override;
    void SetItemChecked(SettingItem item, bool checked) override;
    QString ItemCaption(SettingItem item) const override;
    void SetItemCaption(SettingItem item, const QString& caption) override;
    int SpeedValue(SpeedSlider slider) const override;
    void SetSpeedValue(SpeedSlider slider, int value) override;
    void ShowSaveOptions(QWidget* owner) override;
    void ShowSaveOptionsModeless() override;
    void FocusMainWindow() override;

  private:
    QAction* SettingAction(SettingItem item) const;
    QSlider* SpeedSliderOf(SpeedSlider slider) const;
    QPointer<frmsetup> setup_;           // the setup dialog while it is open
    QPointer<SaveOptions> saveOptions_;  // the Save Data Options dialog while it is open
};
