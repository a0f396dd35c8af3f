// Timer1 starts the live loop; the acceleration slider sets Accel.

#include <QSlider>

#include "app/ui/frmMain.h"
#include "live/LiveLoop.h"

void frmMain::Timer1_Timer() {
    Loop().Timer1_Timer();
}

void frmMain::sldAcell_OnValue() {
    ::sldAcell_OnValue(*this, sldAcell->value());
}
