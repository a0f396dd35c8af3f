#include "setup/ui/Dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/Centre.h"
#include "platform/ui/Named.h"
#include "platform/ui/ProgramLogo.h"

Dialog::Dialog(TestState& state, QWidget* owner) : QDialog(owner), state_(state) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("Repetition Options"));
    setProperty("HelpContextID", 280);
    // Design size 6000 x 3600 twips.
    setFixedSize(400, 240);

    Frame1 = Named(new QGroupBox(QStringLiteral("Runs Per Test"), this), "Frame1");
    Frame1->setGeometry(8, 8, 180, 140);
    const char* runs[] = {"1 Set of Readings", "2 Sets of Readings", "3 Sets of Readings",
                          "4 Sets of Readings"};
    // One group per array, so the two arrays choose apart, and a Reps with no
    // button leaves every button of the first clear.
    auto* group1 = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        Option1[i] = Named(new QRadioButton(QLatin1String(runs[i]), Frame1), "Option1");
        Option1[i]->setProperty("Index", i);
        Option1[i]->setGeometry(12, 24 + i * 28, 160, 24);
        group1->addButton(Option1[i], i);
    }

    Frame2 = Named(new QGroupBox(QStringLiteral("Run Test:"), this), "Frame2");
    Frame2->setGeometry(196, 8, 196, 168);
    const char* when[] = {"Once Only", "Every 15 Minutes", "Every 30 Minutes", "Every Hour",
                          "Every 2 Hours"};
    auto* group2 = new QButtonGroup(this);
    for (int i = 0; i < 5; ++i) {
        Option2[i] = Named(new QRadioButton(QLatin1String(when[i]), Frame2), "Option2");
        Option2[i]->setProperty("Index", i);
        Option2[i]->setGeometry(12, 24 + i * 28, 176, 24);
        group2->addButton(Option2[i], i);
    }
    Option2[0]->setChecked(true);

    Picture1 = Named(new QLabel(this), "Picture1");
    Picture1->setGeometry(52, 160, 93, 70);
    Picture1->setPixmap(ProgramLogo());

    OKButton = Named(new QPushButton(QStringLiteral("OK"), this), "OKButton");
    OKButton->setGeometry(212, 200, 84, 28);
    CancelButton = Named(new QPushButton(QStringLiteral("Cancel"), this), "CancelButton");
    CancelButton->setGeometry(304, 200, 84, 28);
    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &Dialog::CancelButton_Click);
}

void Dialog::Form_Load() {
    CentreOnScreen(this);
    if (state_.Reps >= 0 && state_.Reps < static_cast<int32_t>(Option1.size()))
        Option1[state_.Reps]->setChecked(true);
}

void Dialog::OKButton_Click() {
    for (int i = 0; i < static_cast<int>(Option1.size()); ++i)
        if (Option1[i]->isChecked()) state_.Reps = i;
    done(QDialog::Accepted);
}

void Dialog::CancelButton_Click() {
    done(QDialog::Rejected);
}

void Dialog::reject() {
    CancelButton_Click();
}
