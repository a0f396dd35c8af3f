#include "mirror/ui/frmEdit.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "mirror/MirrorProfile.h"
#include "mirror/RecentMirrors.h"
#include "mirror/ResultPaths.h"
#include "mirror/ZoneGeometry.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MsgBox.h"

namespace {

constexpr int kWidth = 392;
constexpr int kHeight = 300;
constexpr int kRowTop = 16;
constexpr int kRowStep = 32;
constexpr int kLabelLeft = 16;
constexpr int kLabelWidth = 190;
constexpr int kFieldLeft = 216;
constexpr int kFieldWidth = 160;
constexpr int kRowHeight = 24;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, int row) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(kLabelLeft, kRowTop + row * kRowStep, kLabelWidth, kRowHeight);
    return label;
}

QLineEdit* MakeField(QWidget* parent, const char* name, int row) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(kFieldLeft, kRowTop + row * kRowStep, kFieldWidth, kRowHeight);
    return field;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& design) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(design);
    // Enter in a field presses no button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

MsgResult Ask(const MsgBoxRequest& request) {
    return MsgBox(request.text, request.buttons, request.icon, request.title,
                  request.defaultButton);
}

}  // namespace

frmEdit::frmEdit(MirrorEditorHost& main, QWidget* parent) : QDialog(parent), main_(main) {
    setObjectName(QStringLiteral("frmEdit"));
    setWindowTitle(QString());
    setProperty("HelpContextID", 290);
    setModal(true);
    setFixedSize(kWidth, kHeight);

    Label1 = MakeLabel(this, "Label1", QStringLiteral("Mirror Name"), 0);
    Label2 = MakeLabel(this, "Label2", QStringLiteral("Mirror Diameter"), 1);
    Label3 = MakeLabel(this, "Label3", QStringLiteral("Radius of Curvature"), 2);
    Label4 = MakeLabel(this, "Label4", QStringLiteral("Deformation Constant (cc)"), 3);
    Label5 = MakeLabel(this, "Label5", QStringLiteral("Diameter of Secondary Obst."), 4);
    Label6 = MakeLabel(this, "Label6", QStringLiteral("Number of Zones to test"), 5);
    Label7 = MakeLabel(this, "Label7", QStringLiteral("Tests Ran to Date"), 6);
    NName = MakeField(this, "NName", 0);
    Ndiam = MakeField(this, "Ndiam", 1);
    NRoc = MakeField(this, "NRoc", 2);
    NCC = MakeField(this, "NCC", 3);
    NCC->setText(QStringLiteral("-1"));
    Nobst = MakeField(this, "Nobst", 4);
    NNZ = MakeField(this, "NNZ", 5);
    NSeries = MakeField(this, "NSeries", 6);

    const int buttonTop = kRowTop + 7 * kRowStep + 16;
    Command1 = MakeButton(this, "Command1", QStringLiteral("Open Existing File"),
                          QRect(16, buttonTop, 120, 32));
    Apply = MakeButton(this, "Apply", QStringLiteral("Apply"), QRect(144, buttonTop, 64, 32));
    Command2 = MakeButton(this, "Command2", QStringLiteral("OK"), QRect(216, buttonTop, 64, 32));
    CancelButton = MakeButton(this, "CancelButton", QStringLiteral("Exit or Cancel"),
                              QRect(288, buttonTop, 88, 32));

    connect(Command1, &QPushButton::clicked, this, &frmEdit::Command1_Click);
    connect(Apply, &QPushButton::clicked, this, &frmEdit::Apply_Click);
    connect(Command2, &QPushButton::clicked, this, &frmEdit::Command2_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmEdit::CancelButton_Click);
}

void frmEdit::Form_Load() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void frmEdit::Command1_Click() {
    OpenMirrorFile();
}

void frmEdit::Apply_Click() {
    ApplyMirrorSpecs();
}

void frmEdit::Command2_Click() {
    ApplyMirrorSpecs();
    Unload();
}

void frmEdit::CancelButton_Click() {
    Cancelling = true;
    if (ProfileOpened) ApplyMirrorSpecs();
    Unload();
}

void frmEdit::Unload() {
    unloaded_ = true;
    done(QDialog::Accepted);
}

MirrorEditorFields frmEdit::Fields() const {
    MirrorEditorFields fields;
    fields.NName = NName->text();
    fields.Ndiam = Ndiam->text();
    fields.NRoc = NRoc->text();
    fields.NCC = NCC->text();
    fields.Nobst = Nobst->text();
    fields.NNZ = NNZ->text();
    fields.NSeries = NSeries->text();
    return fields;
}

void frmEdit::SetFields(const MirrorEditorFields& fields) {
    NName->setText(fields.NName);
    Ndiam->setText(fields.Ndiam);
    NRoc->setText(fields.NRoc);
    NCC->setText(fields.NCC);
    Nobst->setText(fields.Nobst);
    NNZ->setText(fields.NNZ);
    NSeries->setText(fields.NSeries);
}

void frmEdit::OpenMirrorFile() {
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::OpenFile;
    request.initialDir = MirrorsFolder();
    const QString path = ShowFileDialog(request);
    if (path.isEmpty()) return;
    // An unreadable file leaves the fields as they are.
    const std::optional<MirrorEditorFields> opened = OpenProfileForEditor(path, Fields());
    if (!opened) return;
    SetFields(*opened);
    ProfileOpened = true;
    openedName_ = opened->NName;
}

void frmEdit::ApplyMirrorSpecs() {
    // The profile opened is saved again without a question; a name changed to
    // that of another existing profile asks before replacing it.
    const bool sameProfile =
        ProfileOpened && NName->text().compare(openedName_, Qt::CaseInsensitive) == 0;
    const MirrorSpecsCheck check = CheckMirrorSpecs(Fields(), sameProfile, Cancelling, Ask);
    if (check.outcome != MirrorSpecsOutcome::Accepted) return;
    const MirrorProfile& profile = check.profile;

    // Values that pass every check but are too large to compute with are
    // refused here, before anything is stored or written.
    const ZoneTableResult zones =
        BuildZoneTable(profile.MirDiam, profile.Obst, profile.Roc, profile.NZ, main_.FixedSource());
    if (!zones.ok) {
        MsgBox(zones.reason, MsgButtons::OK, MsgIcon::None, QStringLiteral("Zone Error!"));
        return;
    }

    StoreProfile(main_.State(), profile);
    QString error;
    if (!WriteMirrorProfile(profile.WorkFile, check.lines, &error))
        MsgBox(ProfileNotSavedText(profile.WorkFile, error), MsgButtons::OK, MsgIcon::Exclamation,
               QStringLiteral("File Warning!"));

    if (main_.Zone_Calc()) main_.State().ZoneOn = true;

    RecentMirrors list = main_.RecentList();
    PushRecentMirror(list, profile.WorkFile);
    main_.SetRecentList(list);

    ProfileOpened = false;
}
