// Places the main window's controls from the live picture's size and the two
// display flags; the figures come from LayoutMainWindow.

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>

#include "app/ui/frmMain.h"
#include "core/NumberText.h"
#include "platform/ui/PictureBox.h"

namespace {

Geometry GeometryOf(const QWidget* widget) {
    const QRect r = widget->geometry();
    return {static_cast<float>(r.x()), static_cast<float>(r.y()), static_cast<float>(r.width()),
            static_cast<float>(r.height())};
}

void Place(QWidget* widget, const Geometry& g) {
    const QRect target(RoundToLong(g.Left), RoundToLong(g.Top), RoundToLong(g.Width),
                       RoundToLong(g.Height));
    if (widget->geometry() != target) widget->setGeometry(target);
}

}  // namespace

MainControls frmMain::CurrentControls() const {
    MainControls c;
    c.Picture1 = GeometryOf(Picture1);
    c.Picture2 = GeometryOf(Picture2);
    c.Picture3 = GeometryOf(Picture3);
    c.Text1 = GeometryOf(Text1);
    c.Text2 = GeometryOf(Text2);
    c.MirX = GeometryOf(MirX);
    c.MirY = GeometryOf(MirY);
    c.MirRad = GeometryOf(MirRad);
    c.Save_picture = GeometryOf(Save_picture);
    c.Chk_trak = GeometryOf(Chk_trak);
    c.Command3 = GeometryOf(Command3);
    c.abort = GeometryOf(abort);
    c.Command5 = GeometryOf(Command5);
    c.Command1 = GeometryOf(Command1);
    c.cmdpause = GeometryOf(cmdpause);
    c.Frame3 = GeometryOf(Frame3);
    c.DebugControlsVisible = !Text1->isHidden();
    c.MirXMax = MirX->maximum();
    c.MirYMax = MirY->maximum();
    c.MirRadMax = MirRad->maximum();
    return c;
}

void frmMain::ApplyLayout(const MainControls& c) {
    for (QWidget* w :
         {static_cast<QWidget*>(Text1), static_cast<QWidget*>(MirX), static_cast<QWidget*>(MirY),
          static_cast<QWidget*>(MirRad), static_cast<QWidget*>(Save_picture)})
        w->setVisible(c.DebugControlsVisible);
    Place(Text1, c.Text1);
    Place(Text2, c.Text2);
    Place(MirX, c.MirX);
    Place(MirY, c.MirY);
    Place(MirRad, c.MirRad);
    Place(Save_picture, c.Save_picture);
    Place(Picture2, c.Picture2);
    Place(Picture3, c.Picture3);
    Place(Chk_trak, c.Chk_trak);
    Place(Command3, c.Command3);
    Place(abort, c.abort);
    Place(Command5, c.Command5);
    Place(Command1, c.Command1);
    Place(cmdpause, c.cmdpause);
    Place(Frame3, c.Frame3);
    MirX->setMaximum(c.MirXMax);
    MirY->setMaximum(c.MirYMax);
    MirRad->setMaximum(c.MirRadMax);

    // The label of the speed strip.
    PictureCanvas& strip = Picture3->canvas();
    strip.Cls();
    strip.CurrentX = c.SpdLabelX;
    strip.CurrentY = 0;
    strip.Print(QStringLiteral("% Spd"));
}

void frmMain::Form_Resize() {
    if (!controlsReady_) return;
    LayoutFlags flags;
    flags.ClientWidth = static_cast<float>(client_->width());
    flags.ClientHeight = static_cast<float>(client_->height());
    flags.ShowDebug = ShowDebug;
    flags.ShowMoreText = ShowMoreText;
    flags.Picture3Visible = !Picture3->isHidden();
    ApplyLayout(LayoutMainWindow(CurrentControls(), flags));
}

void frmMain::Picture1_Resize() {
    Form_Resize();
}
