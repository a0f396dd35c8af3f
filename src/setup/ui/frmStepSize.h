#pragma once

#include <QDialog>

#include "core/TestState.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Enter Distance Traveled To-From Mirror During One Full Step": the distance per
// full step of both axes in millimetres or inches, and with it the unit the
// program shows. Modal; OK stores the half steps and derives the move sizes of an
// axis whose step changed.
class frmStepSize : public QDialog {
    Q_OBJECT

  public:
    explicit frmStepSize(TestState& state, QWidget* owner = nullptr);

    QGroupBox* Frame1 = nullptr;  // "Enter step size for each axis below"
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;  // full step of the platform (To/From) axis
    QLabel* Label3 = nullptr;
    QLineEdit* Text2 = nullptr;  // full step of the knife (Left/Right) axis
    QRadioButton* OptMil = nullptr;
    QRadioButton* OptInch = nullptr;
    QLabel* Label1 = nullptr;  // help text
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void Form_Load();
    // Refused entries keep the dialog open with a message; nothing is stored.
    void cmdOK_Click();
    // Closes without storing, unless a step size of the test state is still 0.
    void cmdCancel_Click();
    // Escape and the close box act as Cancel.
    void reject() override;

    // Closed by a successful OK or Cancel.
    bool Unloaded() const { return unloaded_; }

  private:
    void Unload(int result);

    TestState& state_;
    bool unloaded_ = false;
};
