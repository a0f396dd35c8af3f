#include "app/ui/MainRigHost.h"

#include <QSlider>

#include "app/ui/frmMain.h"
#include "platform/Counter.h"
#include "platform/Events.h"
#include "platform/Port.h"

WiringMarks MainRigHost::Wiring() {
    return w_.CurrentWiring();
}

void MainRigHost::WriteDataPort(uint8_t value) {
    Out32(kDataPort, value);
}

int32_t MainRigHost::MindelayValue() {
    return w_.Mindelay->value();
}

void MainRigHost::GrabFrame() {
    w_.GrabFrame();
}

void MainRigHost::MeasureZones() {
    w_.MeasureZones();
}

void MainRigHost::DoEvents() {
    ::DoEvents();
}

void MainRigHost::UnloadMainWindow() {
    w_.Unload();
}

int64_t MainRigHost::QueryPerformanceCounter() {
    return ::QueryPerformanceCounter();
}
