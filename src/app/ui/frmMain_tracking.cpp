// Mirror tracking on every frame while "Track" is checked, and the centre-and-size
// that a click into the live picture starts.

#include <QPushButton>
#include <QSlider>

#include "app/ui/frmMain.h"
#include "core/NumberText.h"
#include "live/Tracking.h"
#include "platform/ui/PictureBox.h"

namespace {

SliderRange RangeOf(const QSlider* slider) {
    return {slider->minimum(), slider->maximum()};
}

}  // namespace

void frmMain::TrackMirror() {
    TrackIO io;
    io.Picture1 = &Picture1->canvas();
    io.ReadMirror = [this] { return MirrorCircle{MirX->value(), MirY->value(), MirRad->value()}; };
    io.SetMirX = [this](int32_t x) { MirX->setValue(x); };
    io.SetMirY = [this](int32_t y) { MirY->setValue(y); };
    ::TrackMirror(*this, io);
}

void frmMain::Picture1_MouseDown(int /*button*/, int /*shift*/, double x, double y) {
    PictureCanvas& canvas = Picture1->canvas();
    canvas.Cls();
    // The still frame goes straight into Picture1; the search reads it.
    GrabStill();
    const CentreSize found = FindCentreSize(canvas, RoundToLong(x), RoundToLong(y));
    // A search that found no edge gives a centre or radius the sliders cannot
    // hold: the click then changes nothing.
    if (!CentreSizeFits(found, RangeOf(MirX), RangeOf(MirY), RangeOf(MirRad))) return;
    MirX->setValue(found.mirX);
    MirY->setValue(found.mirY);
    MirRad->setValue(found.mirRad);
    DrawCentreSize(canvas, found);
}
