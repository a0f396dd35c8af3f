#pragma once

#include <QDialog>
#include <array>

#include "core/TestState.h"
#include "setup/ui/PictureOption.h"

class QLabel;
class QPushButton;

// "Which Side is the Knife edge on": the knife on the left or on the right of
// the light source (KnifeRight). Modal; reads KnifeRight when it loads and
// writes it on OK only.
class frmOptions : public QDialog {
    Q_OBJECT

  public:
    explicit frmOptions(TestState& state, QWidget* owner = nullptr);

    // Pictures of the tester: 0 knife on the left, 1 on the right.
    std::array<PictureOption*, 2> Option1{};
    QLabel* Label1 = nullptr;  // names the side selected
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    void Form_Load();
    // Selecting a button, by a click or by the load: Label1 names its side.
    void Option1_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();
    void reject() override;

  private:
    TestState& state_;
};
