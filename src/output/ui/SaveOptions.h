#pragma once

#include <QDialog>

#include "core/TestState.h"
#include "output/SaveOptionsRules.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the Save Data Options dialog needs of the window that owns it.
class SaveOptionsHost {
  public:
    virtual ~SaveOptionsHost() = default;
    virtual TestState& State() = 0;
};

// "Save Data Options": the folders of the two outside programs and of the result
// tree, which result files Save Data writes and which programs it starts. Reads
// the test state when it loads, stores it on OK; it never writes a file.
class SaveOptions : public QDialog {
    Q_OBJECT

  public:
    explicit SaveOptions(SaveOptionsHost& main, QWidget* owner = nullptr);

    QGroupBox* Frame1 = nullptr;  // "Figure45 Options"
    QLabel* Label3 = nullptr;
    QLineEdit* Figure = nullptr;
    QPushButton* Command1 = nullptr;  // "Browse"
    QCheckBox* chkSaveFigure45 = nullptr;
    QCheckBox* chkLaunchFigure45 = nullptr;
    QGroupBox* Frame2 = nullptr;  // "Sixtests Options"
    QLabel* Label1 = nullptr;
    QLineEdit* SixTests = nullptr;
    QPushButton* Command2 = nullptr;  // "Browse"
    QCheckBox* chkSaveSixtests = nullptr;
    QCheckBox* chkLaunchSixtests = nullptr;
    QCheckBox* ChkLaunch3d = nullptr;
    QGroupBox* Frame3 = nullptr;  // "Save data location"
    QLabel* Label2 = nullptr;
    QLineEdit* textpath = nullptr;
    QPushButton* Command3 = nullptr;  // "Browse"
    QCheckBox* chktext = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // Centres the dialog and fills every control from the test state.
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void OKButton_Click();
    void CancelButton_Click();

    // Escape and the close box close it as Cancel does.
    void reject() override;

    // The dialog has been closed by OK or Cancel.
    bool Unloaded() const { return unloaded_; }

  private:
    void BrowseProgram(OutsideProgram program, QLineEdit* field);
    void Unload(int result);

    SaveOptionsHost& main_;
    bool unloaded_ = false;
};
