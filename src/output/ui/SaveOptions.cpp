#include "output/ui/SaveOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ProgramFolder.h"
#include "platform/ui/Centre.h"
#include "platform/ui/DesignButton.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Named.h"

namespace {

constexpr int kWidth = 440;
constexpr int kHeight = 420;

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* box = Named(new QCheckBox(caption, parent), name);
    box->setGeometry(12, top, 400, 22);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = Named(new QLabel(caption, parent), name);
    label->setGeometry(12, 22, 400, 20);
    return label;
}

QLineEdit* MakeField(QWidget* parent, const char* name) {
    auto* field = Named(new QLineEdit(parent), name);
    field->setGeometry(12, 44, 320, 24);
    return field;
}

// A check box value: 1 for a true flag, 0 for a false one.
void SetFlag(QCheckBox* box, bool flag) {
    box->setCheckState(flag ? Qt::Checked : Qt::Unchecked);
}
bool Flag(const QCheckBox* box) {
    return box->checkState() != Qt::Unchecked;
}

}  // namespace

SaveOptions::SaveOptions(SaveOptionsHost& main, QWidget* owner) : QDialog(owner), main_(main) {
    setObjectName(QStringLiteral("SaveOptions"));
    setWindowTitle(QStringLiteral("Save Data Options"));
    setProperty("HelpContextID", 310);
    setFixedSize(kWidth, kHeight);

    Frame1 = Named(new QGroupBox(QStringLiteral("Figure45 Options"), this), "Frame1");
    Frame1->setGeometry(8, 8, kWidth - 16, 124);
    Label3 = MakeLabel(Frame1, "Label3", QStringLiteral("Path to the Figure45 program:"));
    Figure = MakeField(Frame1, "Figure");
    Command1 = MakeButton(Frame1, "Command1", QStringLiteral("Browse"), QRect(340, 44, 76, 24));
    chkSaveFigure45 = MakeCheck(Frame1, "chkSaveFigure45",
                                QStringLiteral("Auto Save data in Figure45 format?"), 72);
    chkLaunchFigure45 = MakeCheck(Frame1, "chkLaunchFigure45",
                                  QStringLiteral("Auo Launch Figure45 after saving data?"), 96);

    Frame2 = Named(new QGroupBox(QStringLiteral("Sixtests Options"), this), "Frame2");
    Frame2->setGeometry(8, 136, kWidth - 16, 148);
    Label1 = MakeLabel(Frame2, "Label1", QStringLiteral("Path to the SixTests program:"));
    SixTests = MakeField(Frame2, "SixTests");
    Command2 = MakeButton(Frame2, "Command2", QStringLiteral("Browse"), QRect(340, 44, 76, 24));
    chkSaveSixtests = MakeCheck(Frame2, "chkSaveSixtests",
                                QStringLiteral("Auto Save data in SixTests format?"), 72);
    chkLaunchSixtests = MakeCheck(Frame2, "chkLaunchSixtests",
                                  QStringLiteral("Auto Launch Sixtests after saving data?"), 96);
    ChkLaunch3d =
        MakeCheck(Frame2, "ChkLaunch3d", QStringLiteral("Launch 3d Mirror after Sixtests?"), 120);

    Frame3 = Named(new QGroupBox(QStringLiteral("Save data location"), this), "Frame3");
    Frame3->setGeometry(8, 288, kWidth - 16, 100);
    Label2 = MakeLabel(Frame3, "Label2",
                       QStringLiteral("Where would you like the test data to be saved?"));
    textpath = MakeField(Frame3, "textpath");
    Command3 = MakeButton(Frame3, "Command3", QStringLiteral("Browse"), QRect(340, 44, 76, 24));
    chktext = MakeCheck(Frame3, "chktext",
                        QStringLiteral("Auto Save data as plain text file as well? "), 72);

    OKButton = MakeButton(this, "OKButton", QStringLiteral("OK"), QRect(256, 392, 84, 24));
    CancelButton =
        MakeButton(this, "CancelButton", QStringLiteral("Cancel"), QRect(348, 392, 84, 24));

    connect(Command1, &QPushButton::clicked, this, &SaveOptions::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SaveOptions::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &SaveOptions::Command3_Click);
    connect(OKButton, &QPushButton::clicked, this, &SaveOptions::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &SaveOptions::CancelButton_Click);
}

void SaveOptions::Form_Load() {
    CentreOnScreen(this);
    const TestState& s = main_.State();
    Figure->setText(s.FigurePath);
    SixTests->setText(s.Sixtestspath);
    textpath->setText(s.textpath);
    SetFlag(chkSaveFigure45, s.Savefigure);
    SetFlag(chkLaunchFigure45, s.LaunchFigure);
    SetFlag(chkSaveSixtests, s.SaveSixtests);
    SetFlag(chkLaunchSixtests, s.LaunchSixtests);
    SetFlag(ChkLaunch3d, s.Launch3d);
    SetFlag(chktext, s.Savetext);
}

void SaveOptions::Command1_Click() {
    BrowseProgram(OutsideProgram::Figure45, Figure);
}

void SaveOptions::Command2_Click() {
    BrowseProgram(OutsideProgram::SixTests, SixTests);
}

void SaveOptions::BrowseProgram(OutsideProgram program, QLineEdit* field) {
    for (;;) {
        FileDialogRequest request;
        request.kind = FileDialogRequest::Kind::OpenFile;
        request.title = ProgramBrowseTitle(program);
        request.filter = ProgramBrowseFilter();
        const QString chosen = ShowFileDialog(request);
        if (chosen.isEmpty()) return;  // cancelled
        if (!ProgramSelectionValid(chosen)) {
            const MsgBoxRequest message = InvalidProgramMessage(program, chosen);
            if (MsgBox(message.text, message.buttons, message.icon, message.title) == MsgResult::OK)
                continue;
            return;
        }
        if (const std::optional<QString> folder = ProgramFolderOf(chosen)) field->setText(*folder);
        return;
    }
}

void SaveOptions::Command3_Click() {
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::PickFolder;
    request.title = QStringLiteral("Select a Directory to Save Text Data");
    request.initialDir = AppPath();
    const QString chosen = ShowFileDialog(request);
    if (!chosen.isEmpty()) textpath->setText(chosen);
}

void SaveOptions::OKButton_Click() {
    for (QLineEdit* field : {Figure, SixTests, textpath})
        field->setText(WithoutTrailingSeparator(field->text()));
    TestState& s = main_.State();
    s.FigurePath = Figure->text();
    s.Sixtestspath = SixTests->text();
    s.textpath = textpath->text();
    s.LaunchFigure = Flag(chkLaunchFigure45);
    s.LaunchSixtests = Flag(chkLaunchSixtests);
    s.Savefigure = Flag(chkSaveFigure45);
    s.SaveSixtests = Flag(chkSaveSixtests);
    s.Savetext = Flag(chktext);
    s.Launch3d = Flag(ChkLaunch3d);
    Unload(QDialog::Accepted);
}

void SaveOptions::CancelButton_Click() {
    Unload(QDialog::Rejected);
}

void SaveOptions::reject() {
    CancelButton_Click();
}

void SaveOptions::Unload(int result) {
    unloaded_ = true;
    done(result);
}
