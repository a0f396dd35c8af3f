#include "platform/ui/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

namespace {

constexpr int kBorder = 2;

// Mouse buttons as the program numbers them: 1 left, 2 right, 4 middle.
int ButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), canvas_(320, 240) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(canvas_.ScaleWidth() + 2 * kBorder, canvas_.ScaleHeight() + 2 * kBorder);
    // Whatever is drawn on the canvas shows at the next repaint, without a Refresh.
    canvas_.SetChangedHandler([this] { update(); });
}

void PictureBox::Refresh() {
    repaint();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    // Sunken two-pixel frame: dark above and left, light below and right.
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, w - 1, 0);
    painter.drawLine(0, 0, 0, h - 1);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawLine(1, 1, w - 2, 1);
    painter.drawLine(1, 1, 1, h - 2);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(1, h - 1, w - 1, h - 1);
    painter.drawLine(w - 1, 1, w - 1, h - 1);
    painter.setPen(palette().color(QPalette::Midlight));
    painter.drawLine(2, h - 2, w - 2, h - 2);
    painter.drawLine(w - 2, 2, w - 2, h - 2);
    painter.drawImage(kBorder, kBorder, canvas_.Image());
    canvas_.MarkShown();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    canvas_.Resize(width() - 2 * kBorder, height() - 2 * kBorder);
    emit resized();
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position() - QPointF(kBorder, kBorder);
    emit clicked(ButtonCode(event->button()), at.x(), at.y());
}
