#include "setup/ui/frmOptions.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/Centre.h"
#include "platform/ui/Named.h"

frmOptions::frmOptions(TestState& state, QWidget* owner) : QDialog(owner), state_(state) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Which Side is the Knife edge on, Click Picture to Choose"));
    setProperty("HelpContextID", 320);
    setFixedSize(560, 200);

    const char* captions[] = {"Click here if Knife is on the Left!",
                              "Click Here if Knife is on the Right!"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        Option1[i] = Named(new QRadioButton(QLatin1String(captions[i]), this), "Option1");
        Option1[i]->setProperty("Index", i);
        Option1[i]->setGeometry(16 + i * 272, 16, 256, 80);
        group->addButton(Option1[i], i);
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) Option1_Click(i);
        });
    }
    Label1 = Named(new QLabel(QStringLiteral("Please Click Image that shows your setup!"), this),
                   "Label1");
    Label1->setGeometry(16, 112, 528, 24);
    Label1->setAlignment(Qt::AlignCenter);

    cmdOK = Named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK->setGeometry(368, 160, 84, 28);
    cmdCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    cmdCancel->setGeometry(460, 160, 84, 28);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
}

void frmOptions::Form_Load() {
    CentreOnScreen(this);
    Option1[1]->setChecked(state_.KnifeRight);
    Option1[0]->setChecked(!state_.KnifeRight);
}

void frmOptions::Option1_Click(int index) {
    Label1->setText(index != 0 ? QStringLiteral("Current Selection Places Knife on Right!")
                               : QStringLiteral("Current Selection Places Knife on Left!"));
}

void frmOptions::cmdOK_Click() {
    state_.KnifeRight = Option1[1]->isChecked();
    done(QDialog::Accepted);
}

void frmOptions::cmdCancel_Click() {
    done(QDialog::Rejected);
}

void frmOptions::reject() {
    cmdCancel_Click();
}
