#include "setup/ui/TesterPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>

namespace TesterPictures {

namespace {

constexpr qreal kW = kSize.width();
constexpr qreal kCentre = kW / 2;  // the slit stands on the middle line

// Mirror beyond the tester.
constexpr QPointF kMirror(kCentre, 98);
constexpr qreal kMirrorRadius = 58;

// The light source's slit and the knife edge, where the light leaves and where
// it comes back to a focus.
constexpr QPointF kSlit(kCentre, 262);
constexpr qreal kKnifeGap = 22;  // from the slit to the knife edge
constexpr qreal kKnifeTop = 238;
constexpr qreal kKnifeBottom = 286;
constexpr qreal kBladeWidth = 40;

const QColor kLabel(225, 230, 238);
const QColor kLeader(150, 158, 170);

// A part's name at `at` with a thin line from it to the part at `to`.
void Label(QPainter& p, const QPointF& at, const QString& text, const QPointF& to) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const qreal w = metrics.horizontalAdvance(text);
    const QRectF box(at.x() - w / 2 - 3, at.y() - metrics.ascent(), w + 6, metrics.height());
    p.setPen(QPen(kLeader, 1));
    const QPointF from(at.x(), to.y() < at.y() ? box.top() : box.bottom());
    p.drawLine(from, to);
    p.setPen(kLabel);
    p.drawText(box, Qt::AlignCenter, text);
}

void Background(QPainter& p, bool chosen) {
    QLinearGradient sky(0, 0, 0, kSize.height());
    sky.setColorAt(0, chosen ? QColor(34, 52, 82) : QColor(24, 27, 34));
    sky.setColorAt(1, chosen ? QColor(52, 78, 112) : QColor(44, 48, 58));
    p.fillRect(QRectF(QPointF(0, 0), kSize), sky);
}

// The light cone from the slit to the mirror and the one coming back from the
// mirror to a focus at the knife edge.
void Light(QPainter& p, const QPointF& focus) {
    p.setPen(Qt::NoPen);
    const QPointF rimLeft(kMirror.x() - kMirrorRadius, kMirror.y());
    const QPointF rimRight(kMirror.x() + kMirrorRadius, kMirror.y());
    p.setBrush(QColor(255, 232, 120, 55));
    p.drawPolygon(QPolygonF({kSlit, rimLeft, rimRight}));
    p.setBrush(QColor(255, 232, 120, 70));
    p.drawPolygon(QPolygonF({focus, rimLeft, rimRight}));
}

// The mirror's stand, behind the light going to the mirror.
void MirrorStand(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 74, 82));
    p.drawRect(QRectF(kMirror.x() - 5, kMirror.y() + kMirrorRadius, 10, 34));
    p.drawRoundedRect(QRectF(kMirror.x() - 34, kMirror.y() + kMirrorRadius + 30, 68, 8), 3, 3);
}

// The mirror in its cell, its aluminised face towards the tester.
void Mirror(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(88, 92, 102));
    p.drawEllipse(kMirror, kMirrorRadius + 7, kMirrorRadius + 7);
    QRadialGradient face(kMirror, kMirrorRadius);
    face.setColorAt(0, QColor(246, 248, 252));
    face.setColorAt(1, QColor(176, 190, 208));
    p.setBrush(face);
    p.setPen(QPen(QColor(60, 64, 72), 1));
    p.drawEllipse(kMirror, kMirrorRadius, kMirrorRadius);
}

// The tester's platform with the lamp house standing on it; the slit is a thin
// bright line in the house's face, towards the mirror.
void Tester(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 106, 66));
    p.drawPolygon(
        QPolygonF({QPointF(38, 292), QPointF(212, 292), QPointF(228, 314), QPointF(22, 314)}));
    p.setBrush(QColor(100, 74, 44));
    p.drawRect(QRectF(22, 314, 206, 26));
    p.setBrush(QColor(60, 64, 72));
    p.drawRect(QRectF(22, 340, 14, 6));
    p.drawRect(QRectF(214, 340, 14, 6));

    p.setBrush(QColor(58, 64, 76));
    p.setPen(QPen(QColor(30, 32, 38), 1));
    p.drawRect(QRectF(kSlit.x() - 14, 232, 28, 68));
    QRadialGradient glow(kSlit, 16);
    glow.setColorAt(0, QColor(255, 240, 150, 200));
    glow.setColorAt(1, QColor(255, 240, 150, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(kSlit, 16, 16);
    p.setBrush(QColor(255, 252, 215));
    p.drawRect(QRectF(kSlit.x() - 1, kSlit.y() - 16, 2, 32));
}

// The knife: a blade held in a clamp on a post, its ground edge facing the slit.
// `side` is -1 for a knife on the left of the slit and +1 for one on the right;
// the two sides are drawn as exact mirror images.
void Knife(QPainter& p, int side) {
    const qreal edge = kSlit.x() + side * kKnifeGap;
    const auto span = [edge, side](qreal from, qreal to, qreal top, qreal bottom) {
        const qreal a = edge + side * from;
        const qreal b = edge + side * to;
        return QRectF(QPointF(std::min(a, b), top), QPointF(std::max(a, b), bottom));
    };
    p.setPen(Qt::NoPen);
    p.setBrush(KnifeBlade());
    p.drawRect(span(6, kBladeWidth, kKnifeTop, kKnifeBottom));
    // The ground bevel and the bright edge itself.
    p.setBrush(QColor(222, 230, 240));
    p.drawRect(span(1, 6, kKnifeTop, kKnifeBottom));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(span(0, 1, kKnifeTop, kKnifeBottom));
    // Clamp and post.
    p.setBrush(QColor(46, 50, 58));
    p.drawRect(span(kBladeWidth - 12, kBladeWidth + 10, kKnifeTop - 6, kKnifeBottom + 6));
    p.drawRect(span(kBladeWidth - 4, kBladeWidth + 4, kKnifeBottom + 6, 304));
    p.setBrush(QColor(130, 134, 142));
    for (const qreal y : {kKnifeTop + 4, kKnifeBottom - 4})
        p.drawEllipse(span(kBladeWidth - 4, kBladeWidth + 4, y - 4, y + 4));
}

// A tick in the top left corner and a bright frame mark the chosen picture.
void ChosenMarks(QPainter& p) {
    const QColor gold(255, 200, 40);
    p.setPen(QPen(gold, 6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3, 3, kSize.width() - 6, kSize.height() - 6));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawEllipse(QPointF(22, 22), 13, 13);
    p.setPen(QPen(QColor(24, 27, 34), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(15, 22), QPointF(20, 28), QPointF(30, 15)}));
}

}  // namespace

QColor KnifeBlade() {
    return QColor(128, 142, 160);
}

QPixmap Draw(bool knifeRight, bool chosen) {
    QPixmap picture(kSize);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const int side = knifeRight ? 1 : -1;
    const QPointF focus(kSlit.x() + side * kKnifeGap, kSlit.y() - 4);

    Background(p, chosen);
    MirrorStand(p);
    Light(p, focus);
    Mirror(p);
    Tester(p);
    Knife(p, side);

    Label(p, QPointF(kCentre, 24), QStringLiteral("mirror"),
          QPointF(kCentre, kMirror.y() - kMirrorRadius - 7));
    Label(p, QPointF(kCentre, 372), QStringLiteral("slit"), QPointF(kCentre, 346));
    const qreal knifeLabel = kCentre + side * 76;
    Label(p, QPointF(knifeLabel, 372), QStringLiteral("knife"),
          QPointF(kSlit.x() + side * (kKnifeGap + 14), kKnifeBottom - 2));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(kLeader);
    p.drawText(QRectF(0, 380, kW, 16), Qt::AlignCenter,
               QStringLiteral("seen from behind the tester"));

    if (chosen) ChosenMarks(p);
    return picture;
}

}  // namespace TesterPictures
