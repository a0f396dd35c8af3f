// Timer1 starts the live loop; the acceleration slider sets Accel.

#include <QSlider>
#include <QTimer>

#include "app/ui/frmMain.h"

void frmMain::Timer1_Timer() {
    if (Manual && !LiveLoopBusy && !ClosingDown) {
        LiveLoopBusy = true;
        Manual = true;
        // A timer's ticks are not delivered again while its own handler runs, so
        // the loop runs from a queued call: the ticks that arrive during the loop
        // then still reach this handler through the loop's event pumping. The
        // rest of this tick follows when the loop returns.
        QTimer::singleShot(0, this, [this] {
            RunLiveLoop();
            Timer1_AfterLoop();
        });
        return;
    }
    Timer1_AfterLoop();
}

void frmMain::Timer1_AfterLoop() {
    if (!Manual || ClosingDown) LiveLoopBusy = false;
    if (ClosingDown) Unload();
}

void frmMain::sldAcell_OnValue() {
    Accel = 10 - sldAcell->value();
}
