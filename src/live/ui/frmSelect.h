#pragma once

#include <QDialog>

#include "core/TestState.h"
#include "platform/CaptureDriver.h"

class QComboBox;
class QLabel;
class QPushButton;
class CaptureWindow;

// What the driver choice needs of the window that owns it: the test state, its
// capture window and the three driver-dialog menus.
class CaptureSelectHost {
  public:
    virtual ~CaptureSelectHost() = default;
    virtual TestState& State() = 0;
    virtual CaptureWindow* CaptureWnd() = 0;
    // Enables or disables the three driver-dialog menus by the driver's capabilities.
    virtual void EnableDriverDialogs(const CaptureCaps& caps) = 0;
};

// "Video Source": the choice of the capture driver. Modeless and owned by the main
// window, one instance at a time; it deletes itself when it unloads. The live loop
// stays stopped while it is open: every way of closing it sets Manual again.
class frmSelect : public QDialog {
    Q_OBJECT
  public:
    frmSelect(CaptureSelectHost& main, QWidget* owner);

    QLabel* Label1 = nullptr;  // "Installed Drivers:"
    QComboBox* cmboSource = nullptr;
    QPushButton* cmdSelect = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Centres the window and lists the drivers, the connected one selected.
    void Form_Load();
    // Connects the chosen driver; on success VidSource, the three driver-dialog
    // menus and the capture window follow it. Closes in every case.
    void cmdSelect_Click();
    void cmdCancel_Click();

    // Escape and the close box close it as "Cancel" does.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Unload();

    CaptureSelectHost& main_;
    bool unloading_ = false;
};
