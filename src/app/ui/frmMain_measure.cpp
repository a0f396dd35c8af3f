// The zone measurement of the main window: the frame in Picture1 gives the left
// and right value of every zone, shown as bar pairs in Picture2; Slider1 sets
// how many frames are averaged.

#include <QGroupBox>
#include <QPushButton>
#include <QSlider>

#include "app/ui/frmMain.h"
#include "live/ZoneMeasure.h"
#include "platform/Events.h"
#include "platform/ui/PictureBox.h"

void frmMain::MeasureZones() {
    ZoneMeasureIO io;
    io.Picture1 = &Picture1->canvas();
    io.Picture2 = &Picture2->canvas();
    io.Picture2Width = Picture2->width();
    io.Blue = &pBlue->canvas().Image();
    io.Red = &pRed->canvas().Image();
    io.Track = Chk_trak->isChecked();
    // Tracking prints the status lines itself.
    io.TrackMirror = [this] { TrackMirror(); };
    io.ReadMirror = [this] { return MirrorCircle{MirX->value(), MirY->value(), MirRad->value()}; };
    io.SetSlider1 = [this](int32_t frames) { Slider1->setValue(frames); };
    io.SetFrame3Caption = [this](const QString& caption) { Frame3->setTitle(caption); };
    MeasureAndDrawZones(*this, io);

    DoEvents();
    Picture1->Refresh();
    Picture2->Refresh();
}

void frmMain::Slider1_Change() {
    Frame3->setTitle(QStringLiteral("Averaging %1 Frames").arg(Slider1->value()));
    AvgFrames = Slider1->value();
}

void frmMain::Slider1_MouseUp() {
    Slider1_Change();
}

void frmMain::ConnectSlider1() {
    connect(Slider1, &QSlider::valueChanged, this, &frmMain::Slider1_Change);
    connect(Slider1, &QSlider::sliderReleased, this, &frmMain::Slider1_MouseUp);
}
