#include "platform/Events.h"

#include <QCoreApplication>
#include <QEventLoop>

void DoEvents() {
    // Everything that is waiting: input, paints, timers and posted calls.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
