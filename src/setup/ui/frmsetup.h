#pragma once

#include <QDialog>
#include <array>

#include "setup/ui/SetupHost.h"

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabBar;
class QTimer;

// "Platfrom And Foucault Test setup": output inversion, motor speeds, axis
// wiring, light source and the zone intensity window on five tabbed pages, all
// bound live to the main window. Modeless and owned by the main window; it
// deletes itself when it unloads (OK or its close box). It never writes the
// settings file.
class frmsetup : public QDialog {
    Q_OBJECT

  public:
    explicit frmsetup(SetupHost& main, QWidget* owner = nullptr);
    ~frmsetup() override;

    QTabBar* tbsOptions = nullptr;
    std::array<QWidget*, 5> picOptions{};  // tab i shows page i - 1

    // "Invert Output?"
    QCheckBox* Check1 = nullptr;
    // "Motor Speed"
    QSlider* Slider1 = nullptr;  // Maxdelay
    QSlider* Slider2 = nullptr;  // Mindelay
    QSlider* Slider3 = nullptr;  // sldAcell
    // "Axis Setup"
    QCheckBox* Check2 = nullptr;  // "Swap Motor Axis ?"
    QCheckBox* Check3 = nullptr;  // shows mnuLRswap
    QCheckBox* Check4 = nullptr;  // shows mnuTFswap
    // "Foucault Settings"
    QGroupBox* Frame1 = nullptr;      // "Is your Light Source:"
    QRadioButton* Option1 = nullptr;  // moving light source
    QRadioButton* Option2 = nullptr;  // fixed light source
    QPushButton* Command1 = nullptr;  // distance per full step
    QPushButton* Command2 = nullptr;  // knife edge location
    QPushButton* Command3 = nullptr;  // save data options
    QPushButton* Command4 = nullptr;  // repetition options
    // "Zone Intensity"
    QGroupBox* Frame3 = nullptr;
    QSlider* sldMax = nullptr;
    QGroupBox* Frame4 = nullptr;
    QSlider* sldmin = nullptr;

    QPushButton* cmdOK = nullptr;
    QTimer* Timer1 = nullptr;  // 200 ms, from load to unload

    void Form_Load();
    // Runs once, when the dialog closes.
    void Form_Unload();
    // Key code and shift state as the window system gives them (Tab 9; shift bits
    // 1 Shift, 2 Ctrl, 4 Alt). True when the key selected the next tab.
    bool Form_KeyDown(int KeyCode, int Shift);
    void tbsOptions_OnSelect();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Option1_Click();
    void Option2_Click();
    void sldMax_OnTouch();
    void sldmin_OnTouch();
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void cmdOK_Click();

    // The intensity slider the user touched last: true sldMax, false sldmin.
    // Kept from one opening of the dialog to the next.
    static bool MaxLast;

    // Every way of closing runs Form_Unload once.
    void done(int result) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildPages();

    SetupHost& main_;
    bool Busy = false;
    bool unloaded_ = false;
};
