#include "setup/ui/frmStepSize.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/Centre.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Named.h"
#include "setup/StepSize.h"

namespace {

void Show(const MsgBoxRequest& m) {
    MsgBox(m.text, m.buttons, m.icon, m.title, m.defaultButton);
}

}  // namespace

frmStepSize::frmStepSize(TestState& state, QWidget* owner) : QDialog(owner), state_(state) {
    setObjectName(QStringLiteral("frmStepSize"));
    setWindowTitle(QStringLiteral("Enter Distance Traveled To-From Mirror During One Full Step"));
    setProperty("HelpContextID", 330);
    setFixedSize(640, 330);

    Frame1 =
        Named(new QGroupBox(QStringLiteral("Enter step size for each axis below"), this), "Frame1");
    Frame1->setGeometry(8, 8, 624, 120);
    Label2 = Named(new QLabel(QStringLiteral("Full step size of To - From Mirror axis"), Frame1),
                   "Label2");
    Label2->setGeometry(12, 24, 260, 24);
    // Wide enough for the longest step the number format writes: a sign, "0.",
    // leading zeros and 15 significant digits.
    Text1 = Named(new QLineEdit(Frame1), "Text1");
    Text1->setGeometry(280, 24, 212, 24);
    Label3 = Named(new QLabel(QStringLiteral("Full step size of Left - Right knife axis"), Frame1),
                   "Label3");
    Label3->setGeometry(12, 56, 260, 24);
    Text2 = Named(new QLineEdit(Frame1), "Text2");
    Text2->setGeometry(280, 56, 212, 24);
    OptMil = Named(new QRadioButton(QStringLiteral("In Millimeters"), Frame1), "OptMil");
    OptMil->setGeometry(504, 24, 112, 24);
    OptInch = Named(new QRadioButton(QStringLiteral("In Inches"), Frame1), "OptInch");
    OptInch->setGeometry(504, 56, 112, 24);

    Label1 = Named(new QLabel(this), "Label1");
    Label1->setGeometry(8, 136, 624, 140);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    cmdOK = Named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK->setGeometry(456, 290, 84, 28);
    cmdOK->setAutoDefault(false);
    cmdCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    cmdCancel->setGeometry(548, 290, 84, 28);
    cmdCancel->setAutoDefault(false);
    connect(cmdOK, &QPushButton::clicked, this, &frmStepSize::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmStepSize::cmdCancel_Click);
}

void frmStepSize::Form_Load() {
    CentreOnScreen(this);
    Label1->setText(StepSizeHelpText());
    Text1->setText(FullStepText(state_.StepSize, state_.Metric));
    Text2->setText(FullStepText(state_.LRStepSize, state_.Metric));
    OptMil->setChecked(state_.Metric);
    OptInch->setChecked(!state_.Metric);
}

void frmStepSize::cmdOK_Click() {
    const StepSizeOutcome outcome =
        ApplyStepSizes(Text1->text(), Text2->text(), OptMil->isChecked(), state_);
    if (!outcome.accepted) {
        Show(outcome.message);
        return;
    }
    Unload(QDialog::Accepted);
}

void frmStepSize::cmdCancel_Click() {
    if (!StepSizesSet(state_)) {
        Show(StepSizeMissingMessage());
        return;
    }
    Unload(QDialog::Rejected);
}

void frmStepSize::reject() {
    cmdCancel_Click();
}

void frmStepSize::Unload(int result) {
    unloaded_ = true;
    done(result);
}
