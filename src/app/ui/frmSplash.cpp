#include "app/ui/frmSplash.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

#include "platform/ui/ProgramLogo.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 300;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& design,
                  int pointSize = 0, bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(design);
    if (pointSize > 0 || bold) {
        QFont font = label->font();
        if (pointSize > 0) font.setPointSize(pointSize);
        font.setBold(bold);
        label->setFont(font);
    }
    return label;
}

}  // namespace

frmSplash::frmSplash(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::SplashScreen), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(kWidth, kHeight);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setGeometry(8, 8, kWidth - 16, kHeight - 16);
    Frame1->installEventFilter(this);

    imgLogo = MakeLabel(Frame1, "imgLogo", QString(), QRect(16, 24, 93, 70));
    imgLogo->setPixmap(ProgramLogo());
    imgLogo->installEventFilter(this);

    lblProductName =
        MakeLabel(Frame1, "lblProductName", QString(), QRect(128, 20, 320, 40), 22, true);
    Label1 = MakeLabel(Frame1, "Label1", QStringLiteral("(Drelmont)"), QRect(128, 60, 320, 20));
    lblVersion = MakeLabel(Frame1, "lblVersion", QString(), QRect(128, 84, 320, 20), 0, true);
    lblPlatform =
        MakeLabel(Frame1, "lblPlatform", QStringLiteral("Win9x - WinXP"), QRect(128, 104, 320, 20));
    lblCredit1 =
        MakeLabel(Frame1, "lblCredit1", QStringLiteral("Automated Foucault knife-edge test"),
                  QRect(16, 140, 432, 18));
    lblCredit2 =
        MakeLabel(Frame1, "lblCredit2", QStringLiteral("Zone brightness measured from live video"),
                  QRect(16, 158, 432, 18));
    lblCredit3 = MakeLabel(Frame1, "lblCredit3",
                           QStringLiteral("Knife and platform driven by stepper motors"),
                           QRect(16, 176, 432, 18));
    lblCredit4 =
        MakeLabel(Frame1, "lblCredit4", QStringLiteral("Results for Figure45 and SixTests"),
                  QRect(16, 194, 432, 18));
    lblCredit5 = MakeLabel(Frame1, "lblCredit5", QStringLiteral("For amateur telescope makers"),
                           QRect(16, 212, 432, 18));
    lblWarning = MakeLabel(Frame1, "lblWarning", QString(), QRect(16, 244, 432, 24), 11, true);
}

QString frmSplash::VersionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(DRELMONT_VERSION_MAJOR)
        .arg(DRELMONT_VERSION_MINOR)
        .arg(DRELMONT_VERSION_PATCH);
}

void frmSplash::Form_Load() {
    if (mainWindow_) mainWindow_->hide();
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    show();
    lblVersion->setText(VersionText());
    lblProductName->setText(QStringLiteral("Drelmont"));
    repaint();
}

void frmSplash::Form_KeyPress() {
    ShowMainAndUnload();
}

void frmSplash::Form_Click() {
    ShowMainAndUnload();
}

void frmSplash::Frame1_Click() {
    ShowMainAndUnload();
}

void frmSplash::imgLogo_Click() {
    ShowMainAndUnload();
}

void frmSplash::ShowMainAndUnload() {
    if (mainWindow_) mainWindow_->show();
    Unload();
}

void frmSplash::Unload() {
    unloaded_ = true;
    hide();
    deleteLater();
}

void frmSplash::keyPressEvent(QKeyEvent*) {
    Form_KeyPress();
}

void frmSplash::mousePressEvent(QMouseEvent*) {
    Form_Click();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == imgLogo) {
            imgLogo_Click();
            return true;
        }
        if (watched == Frame1) {
            Frame1_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
