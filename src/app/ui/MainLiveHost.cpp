#include "app/ui/MainLiveHost.h"

#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include "app/ui/frmMain.h"
#include "live/Motors.h"
#include "platform/Counter.h"
#include "platform/Events.h"
#include "platform/KeyState.h"
#include "platform/Port.h"
#include "platform/ui/PictureBox.h"

MainLiveHost::MainLiveHost(frmMain& window) : QObject(&window), MainRigHost(window) {}

TestState& MainLiveHost::State() {
    return w_;
}

int32_t MainLiveHost::MaxdelayValue() {
    return w_.Maxdelay->value();
}

int32_t MainLiveHost::MirXValue() {
    return w_.MirX->value();
}

int32_t MainLiveHost::MirYValue() {
    return w_.MirY->value();
}

int32_t MainLiveHost::MirRadValue() {
    return w_.MirRad->value();
}

bool MainLiveHost::TrackChecked() {
    return w_.Chk_trak->isChecked();
}

int32_t MainLiveHost::ReadHandpad() {
    return ::ReadHandpad(kStatusPort);
}

short MainLiveHost::GetAsyncKeyState(int virtualKey) {
    return ::GetAsyncKeyState(virtualKey);
}

void MainLiveHost::TrackMirror() {
    w_.TrackMirror();
}

PictureCanvas& MainLiveHost::Picture1() {
    return w_.Picture1->canvas();
}

PictureCanvas& MainLiveHost::Picture3() {
    return w_.Picture3->canvas();
}

void MainLiveHost::RefreshPicture1() {
    w_.Picture1->Refresh();
}

double MainLiveHost::Picture3Width() {
    return w_.Picture3->width();
}

double MainLiveHost::Picture3Height() {
    return w_.Picture3->height();
}

void MainLiveHost::EnableTimer1() {
    // A running timer keeps its phase.
    if (!w_.Timer1->isActive()) w_.Timer1->start();
}
