#include "platform/ui/ProgramLogo.h"

#include <QPainter>

QPixmap ProgramLogo() {
    QPixmap logo(93, 70);
    logo.fill(Qt::black);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF mirror(16.5, 5, 60, 60);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 90, 90));
    painter.drawEllipse(mirror);
    painter.setBrush(QColor(235, 235, 220));
    painter.drawPie(mirror, 90 * 16, 180 * 16);
    painter.setPen(QPen(QColor(255, 0, 255), 1));
    painter.drawLine(QPointF(46.5, 0), QPointF(46.5, 70));
    return logo;
}
