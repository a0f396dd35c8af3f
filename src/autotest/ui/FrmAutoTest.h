#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>

#include "core/TestState.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTabBar;
class QWidget;

// What the Auto Test Variables dialog needs of the window that owns it: the test
// state, whose thirteen auto-test variables it edits.
class AutoTestVarsHost {
  public:
    virtual ~AutoTestVarsHost() = default;
    virtual TestState& State() = 0;
};

// "Auto Test Variables": the thirteen tuning values of the automated test on four
// tab pages, with two pseudo-code explanations that follow every change. Apply
// and OK write the values into the test state (also while a test runs, which
// reads them at their next use); Cancel and the close box drop them; Reset
// writes the defaults straight into the test state and loads again.
//
// A modeless tool window owned by the main window, one instance; it deletes
// itself when it unloads. Its values live in the controls only: every load
// starts from the test state.
class FrmAutoTest : public QDialog {
    Q_OBJECT

  public:
    FrmAutoTest(AutoTestVarsHost& main, QWidget* owner);
    ~FrmAutoTest() override;

    static constexpr int kTabs = 4;

    QTabBar* tbsOptions = nullptr;
    std::array<QWidget*, kTabs + 1> picOptions{};  // pages, indexes 1..4
    // Page 1, "Zone Brightness".
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QSlider* sldMax = nullptr;
    QGroupBox* Frame4 = nullptr;
    QSlider* sldmin = nullptr;
    QLabel* Label9 = nullptr;
    // Page 2, "Knife In/Out Stuff".
    QGroupBox* fmrPseudoCode = nullptr;
    QPlainTextEdit* TxtLrData = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* frmSmMotion = nullptr;
    QComboBox* cmbLrSmMove = nullptr;
    QGroupBox* FrmLrLgMove = nullptr;
    QComboBox* cmbLrLgMove = nullptr;
    QGroupBox* FrmDelta = nullptr;
    QComboBox* cmbLrDelta = nullptr;
    QGroupBox* FrmLRminFrame = nullptr;
    QSlider* SldLRminFrames = nullptr;
    // Page 3, "Zone Null Step #1".
    QGroupBox* FrmPsuedoCode = nullptr;
    QPlainTextEdit* TxtRough = nullptr;
    QGroupBox* FrmRoughData = nullptr;
    QGroupBox* FrOblateDelta = nullptr;
    QComboBox* cmbTfOblateDelta = nullptr;
    QGroupBox* frmTfOblate = nullptr;
    QComboBox* cmbTfOblateMove = nullptr;
    QGroupBox* frmRoughDelta = nullptr;
    QComboBox* CmbTfRoughDelta = nullptr;
    QGroupBox* FrmTfRoughMove = nullptr;
    QComboBox* CmbTfRoughMove = nullptr;
    QGroupBox* frmTFRoughFrames = nullptr;
    QSlider* SldTFRoughFrames = nullptr;
    // Page 4, "Zone Null Step #2".
    QPushButton* Command1 = nullptr;  // "Reset All Auto-Test Variables to Default"
    QGroupBox* FrmTfFinalMove = nullptr;
    QComboBox* cmbTfFinalMove = nullptr;
    QGroupBox* FrmTfFinalFrames = nullptr;
    QSlider* sldTfFinalFrames = nullptr;
    // Below the pages.
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdApply = nullptr;

    // Centres the window, lays out the pages and loads every control from the test
    // state (deriving the move sizes first when they were never set).
    void Form_Load();
    // Both refuse, with a message, an intensity window the test would refuse.
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void Command1_Click();
    // Ctrl+Tab selects the next tab, after the last the first. True when the key
    // was used.
    bool Form_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void tbsOptions_OnSelect();
    void sldMax_OnValue();
    void sldmin_OnValue();
    void sldMax_OnGapCheck();
    void sldmin_OnGapCheck();
    void SldLRminFrames_OnValue();
    void SldTFRoughFrames_OnValue();
    void sldTfFinalFrames_OnValue();
    // Rebuild TxtLrData and TxtRough from the controls.
    void ShowLRPseudoCode();
    void ShowTFPseudoCode();

    // The texts of the two explanations, lines ended by CR LF.
    QString LrDataText() const;
    QString RoughText() const;

    // Knife half steps between knife list entries and platform half steps of
    // 0.001 inch, as computed at the last load.
    int32_t LRFineSteps = 1;
    int32_t TFCoarseSteps = 1;

    // OK, Cancel, Escape or the close box has unloaded the dialog (it is deleted
    // once events run).
    bool Unloaded() const { return unloaded_; }
    // Every way of closing ends here (Escape and the close box as Cancel).
    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void CreatePages();
    void ConnectHandlers();
    // The thirteen stores; false, after the test's own message, when the
    // intensity window would keep the test from starting (nothing is stored).
    bool StoreValues();
    void Unload();

    AutoTestVarsHost& main_;
    bool unloaded_ = false;
};

// The item data of the selected item of a list; none without a selection.
std::optional<int32_t> SelectedItemData(const QComboBox* list);
