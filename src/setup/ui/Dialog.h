#pragma once

#include <QDialog>
#include <array>

#include "core/TestState.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// "Repetition Options": how many sets of readings a test takes (Reps). Modal;
// reads Reps when it loads and writes it on OK only.
class Dialog : public QDialog {
    Q_OBJECT

  public:
    explicit Dialog(TestState& state, QWidget* owner = nullptr);

    QGroupBox* Frame1 = nullptr;  // "Runs Per Test"
    std::array<QRadioButton*, 4> Option1{};
    QGroupBox* Frame2 = nullptr;  // "Run Test:" (shown only)
    std::array<QRadioButton*, 5> Option2{};
    QLabel* Picture1 = nullptr;  // the program's own small picture
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // Centres the dialog and selects the button of Reps; a Reps outside 0..3
    // selects none.
    void Form_Load();
    void OKButton_Click();
    void CancelButton_Click();
    void reject() override;

  private:
    TestState& state_;
};
