// The main window's live loop: one loop object over the window, which Timer1's
// ticks reach through the loop's own queued tick.

#include <QTimer>

#include "app/ui/MainLiveHost.h"
#include "app/ui/frmMain.h"

LiveLoop& frmMain::Loop() {
    if (!liveHost_) {
        liveHost_ = new MainLiveHost(*this);
        // A timer's tick is not delivered again while its own handler runs, and
        // the loop runs inside a tick: the loop's queued tick takes the place of
        // the direct one, so ticks that come while the loop runs still reach
        // Timer1_Timer through the loop's event pumping.
        disconnect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
        liveHost_->Loop().AttachTimer1(*Timer1);
    }
    return liveHost_->Loop();
}

void frmMain::RunLiveLoop() {
    Loop().RunLiveLoop();
}

std::chrono::nanoseconds frmMain::BusyCountStep() {
    return Loop().BusyCountStep();
}

void frmMain::SetBusyCountStep(std::chrono::nanoseconds step) {
    Loop().SetBusyCountStep(step);
}
