#include "app/Layout.h"

#include "core/NumberText.h"

namespace {

// Size assignments that the window would refuse are skipped.
void SetWidth(Geometry& g, float width) {
    if (width >= 0) g.Width = width;
}
void SetHeight(Geometry& g, float height) {
    if (height >= 0) g.Height = height;
}
void SetMax(int32_t& max, int32_t value) {
    if (value >= 1) max = value;
}

int32_t Whole(float value) {
    return RoundToLong(value);
}

// Sums of the button column are formed in double precision, stored as single.
float Below(const Geometry& above, int32_t gap) {
    return static_cast<float>(static_cast<double>(above.Top) + above.Height + gap + 1);
}

// The button column: Chk_trak, Command3, abort, Command5, the row Command1 +
// cmdpause, and Frame3, spread over the span h with equal gaps.
void PlaceButtonColumn(MainControls& c, float span) {
    const float used = c.Chk_trak.Height + c.Command3.Height + c.abort.Height + c.Command5.Height +
                       c.Command1.Height + c.Frame3.Height;
    const int32_t gap = Whole(span - used) / 5;

    c.Chk_trak.Top = 1;
    c.Command3.Top = static_cast<float>(static_cast<double>(c.Chk_trak.Height) + gap + 1);
    c.abort.Top = Below(c.Command3, gap);
    c.Command5.Top = Below(c.abort, gap);
    c.Command1.Top = Below(c.Command5, gap);
    c.Frame3.Top = Below(c.Command1, gap);

    SetWidth(c.Command3, c.Chk_trak.Width);
    SetWidth(c.abort, c.Chk_trak.Width);
    SetWidth(c.Command5, c.Chk_trak.Width);
    SetWidth(c.Command1, static_cast<float>(Whole(c.Chk_trak.Width) / 2));
    c.cmdpause.Left = c.Command1.Left + c.Command1.Width;
    SetWidth(c.cmdpause, c.Command1.Width);
    c.cmdpause.Top = c.Command1.Top;
    SetHeight(c.cmdpause, c.Command1.Height);
    SetWidth(c.Frame3, c.Chk_trak.Width);
}

// The speed strip on the right and the bar-graph picture left of it, from top
// down to the bottom edge.
void PlaceBottomPictures(MainControls& c, const LayoutFlags& f, float top) {
    c.Picture3.Left = f.ClientWidth - 40;
    SetWidth(c.Picture3, 40);
    c.Picture3.Top = top;
    SetHeight(c.Picture3, f.ClientHeight - c.Picture3.Top);

    c.Picture2.Left = 0;
    SetWidth(c.Picture2, c.Picture3.Left);
    c.Picture2.Top = top;
    SetHeight(c.Picture2, f.ClientHeight - c.Picture2.Top);
}

void DebugLayout(MainControls& c, const LayoutFlags& f) {
    c.DebugControlsVisible = true;

    c.Text1.Top = 0;
    c.Text2.Top = c.Text1.Top + c.Text1.Height;
    SetHeight(c.Text2, c.Picture1.Height + c.MirX.Height + c.MirRad.Height - c.Text1.Height);

    c.MirX.Top = c.Picture1.Top + c.Picture1.Height;
    SetWidth(c.MirX, c.Picture1.Width);
    SetMax(c.MirXMax, Whole(c.Picture1.Width));

    c.MirRad.Top = c.MirX.Top + c.MirX.Height;
    SetWidth(c.MirRad, c.MirX.Width);
    SetMax(c.MirRadMax, c.MirXMax / 2);

    c.MirY.Left = c.Picture1.Left + c.Picture1.Width;
    SetHeight(c.MirY, c.Picture1.Height);
    SetMax(c.MirYMax, Whole(c.Picture1.Height));

    c.Text1.Left = c.MirY.Left + c.MirY.Width;
    c.Text2.Left = c.MirY.Left + c.MirY.Width;
    c.Save_picture.Left = c.MirY.Left;
    c.Save_picture.Top = c.MirX.Top;

    PlaceBottomPictures(c, f, c.MirRad.Top + c.MirRad.Height);

    SetWidth(c.Text1, f.ClientWidth - c.Text1.Left);
    SetWidth(c.Text2, f.ClientWidth - c.Text2.Left);

    PlaceButtonColumn(c, c.Picture1.Height + c.MirX.Height + c.MirRad.Height);

    if (!f.Picture3Visible) SetWidth(c.Picture2, f.ClientWidth);
    if (f.ShowMoreText) {
        c.Picture3.Left = c.Text2.Left - c.Picture3.Width;
        SetWidth(c.Picture2, c.Picture3.Left);
        SetHeight(c.Text2, f.ClientHeight - c.Text1.Height);
        if (!f.Picture3Visible) SetWidth(c.Picture2, c.Text2.Left);
    }
}

void NormalLayout(MainControls& c, const LayoutFlags& f) {
    c.DebugControlsVisible = false;

    c.Text2.Top = 0;
    SetHeight(c.Text2, c.Picture1.Height);
    c.Text2.Left = c.Picture1.Left + c.Picture1.Width;
    SetWidth(c.Text2, f.ClientWidth - c.Text2.Left);

    PlaceBottomPictures(c, f, c.Picture1.Height);

    PlaceButtonColumn(c, c.Picture1.Height);

    if (!f.Picture3Visible) SetWidth(c.Picture2, f.ClientWidth);
    if (f.ShowMoreText) {
        c.Picture3.Left = c.Text2.Left - c.Picture3.Width;
        SetWidth(c.Picture2, c.Picture3.Left);
        SetHeight(c.Text2, f.ClientHeight);
        if (!f.Picture3Visible) SetWidth(c.Picture2, c.Text2.Left);
    }
}

}  // namespace

MainControls DesignControls() {
    MainControls c;
    c.Picture1 = {120, 0, 324, 244};
    c.Picture2 = {0, 288, 649, 275};
    c.Picture3 = {728, 288, 73, 275};
    c.Text1 = {480, 0, 321, 73};
    c.Text2 = {480, 72, 321, 217};
    c.Chk_trak = {4, 0, 113, 33};
    c.Command3 = {4, 32, 113, 41};
    c.abort = {4, 72, 113, 33};
    c.Command5 = {4, 104, 113, 33};
    c.Command1 = {4, 136, 64, 33};
    c.cmdpause = {64, 136, 49, 33};
    c.Frame3 = {4, 168, 112, 73};
    c.MirX = {120, 240, 321, 25};
    c.MirY = {440, 0, 41, 241};
    c.MirRad = {120, 264, 321, 25};
    c.Save_picture = {440, 240, 41, 49};
    c.DebugControlsVisible = false;
    c.MirXMax = 320;
    c.MirYMax = 240;
    c.MirRadMax = 180;
    return c;
}

MainControls LayoutMainWindow(const MainControls& current, const LayoutFlags& flags) {
    MainControls c = current;
    if (flags.ShowDebug)
        DebugLayout(c, flags);
    else
        NormalLayout(c, flags);
    c.SpdLabelX = Whole(c.Picture3.Width) / 2 - 20;
    return c;
}
