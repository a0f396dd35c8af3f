#include "app/ui/frmText.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "platform/ui/Named.h"

namespace {

QRect Pixels(const TwipsRect& r) {
    return QRect(TwipsToPixels(r.Left), TwipsToPixels(r.Top), TwipsToPixels(r.Width),
                 TwipsToPixels(r.Height));
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, const QString& text) {
    auto* box = Named(new QPlainTextEdit(text, parent), name);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
}

}  // namespace

frmText::frmText(frmMain& main, QWidget* owner) : QWidget(owner, Qt::Window), main_(main) {
    setObjectName(QStringLiteral("frmText"));
    setWindowTitle(QStringLiteral("QUENZ Text Output"));
    setProperty("HelpContextID", 350);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(TwipsToPixels(kTextWindowClientWidth), TwipsToPixels(kTextWindowClientHeight));

    Frame1 = Named(new QGroupBox(QStringLiteral("Debug Output"), this), "Frame1");
    Text1 = MakeTextBox(Frame1, "Text1", QStringLiteral("Text1"));
    Frame2 = Named(new QGroupBox(QStringLiteral("Foucault Test Data"), this), "Frame2");
    Text2 = MakeTextBox(Frame2, "Text2", QStringLiteral("Text2"));
    Apply();

    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &frmText::Timer1_Timer);
    Timer1->start();
}

void frmText::Form_Load() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize outer = frameGeometry().size();
        move(area.left() + (area.width() - outer.width()) / 2,
             area.top() + (area.height() - outer.height()) / 2);
    }
}

void frmText::Form_Resize() {
    const QSize outer = frameGeometry().size();
    controls_ = ResizeTextWindow(controls_, outer.width() * kTwipsPerPixel,
                                 outer.height() * kTwipsPerPixel);
    Apply();
}

void frmText::Apply() {
    Frame1->setGeometry(Pixels(controls_.Frame1));
    Text1->setGeometry(Pixels(controls_.Text1));
    Frame2->setGeometry(Pixels(controls_.Frame2));
    Text2->setGeometry(Pixels(controls_.Text2));
}

void frmText::Timer1_Timer() {
    Text1->setPlainText(main_.Text1->toPlainText());
    Text2->setPlainText(main_.Text2->toPlainText());
}

void frmText::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}
