#include "setup/ui/PictureOption.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

constexpr int kBorder = 4;
constexpr int kCaptionHeight = 24;

}  // namespace

PictureOption::PictureOption(const QString& caption, const QPixmap& picture,
                             const QPixmap& downPicture, QWidget* parent)
    : QRadioButton(caption, parent), picture_(picture), downPicture_(downPicture) {}

QRect PictureOption::PictureRect() const {
    return QRect(QPoint((width() - picture_.width()) / 2, kBorder), picture_.size());
}

QRect PictureOption::CaptionRect() const {
    const int top = kBorder + picture_.height() + 2;
    return QRect(kBorder, top, width() - 2 * kBorder, height() - top - kBorder);
}

QSize PictureOption::sizeHint() const {
    return QSize(picture_.width() + 2 * kBorder,
                 picture_.height() + 2 * kBorder + 2 + kCaptionHeight);
}

QSize PictureOption::minimumSizeHint() const {
    return sizeHint();
}

bool PictureOption::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void PictureOption::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool down = isChecked() || isDown();
    p.fillRect(rect(), palette().brush(down ? QPalette::Midlight : QPalette::Button));
    qDrawShadePanel(&p, rect(), palette(), down, 2);
    p.drawPixmap(PictureRect().topLeft(), down ? downPicture_ : picture_);

    QFont font = p.font();
    font.setBold(down);
    p.setFont(font);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    const QRect caption = CaptionRect();
    p.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = p.boundingRect(caption, Qt::AlignCenter, text()).adjusted(-3, -1, 3, 1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}
