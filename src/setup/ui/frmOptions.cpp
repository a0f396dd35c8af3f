#include "setup/ui/frmOptions.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>

#include "platform/ui/Centre.h"
#include "platform/ui/Named.h"
#include "setup/ui/TesterPictures.h"

frmOptions::frmOptions(TestState& state, QWidget* owner) : QDialog(owner), state_(state) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Which Side is the Knife edge on, Click Picture to Choose"));
    setProperty("HelpContextID", 320);
    // Design size 8100 x 7740 twips: two picture buttons side by side, the
    // label and the buttons below them.
    setFixedSize(540, 516);

    const char* captions[] = {"Click here if Knife is on the Left!",
                              "Click Here if Knife is on the Right!"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        const bool right = i == 1;
        Option1[i] =
            Named(new PictureOption(QLatin1String(captions[i]), TesterPictures::Draw(right, false),
                                    TesterPictures::Draw(right, true), this),
                  "Option1");
        Option1[i]->setProperty("Index", i);
        Option1[i]->setGeometry(QRect(QPoint(8 + i * 266, 8), Option1[i]->sizeHint()));
        group->addButton(Option1[i], i);
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) Option1_Click(i);
        });
    }
    Label1 = Named(new QLabel(QStringLiteral("Please Click Image that shows your setup!"), this),
                   "Label1");
    Label1->setGeometry(8, 446, 524, 24);
    Label1->setAlignment(Qt::AlignCenter);

    cmdOK = Named(new QPushButton(QStringLiteral("OK"), this), "cmdOK");
    cmdOK->setGeometry(356, 480, 84, 28);
    cmdCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
    cmdCancel->setGeometry(448, 480, 84, 28);
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
