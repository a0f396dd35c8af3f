// Coil output on the parallel port's data register.

#include <QAction>

#include "app/ui/frmMain.h"
#include "platform/Port.h"

WiringMarks frmMain::CurrentWiring() const {
    WiringMarks marks;
    marks.invert = mnuinvert->isChecked();
    marks.reverseLR = mnuLRswap->isChecked();
    marks.reverseTF = mnuTFswap->isChecked();
    marks.swapMotors = mnuSwapMotors->isChecked();
    return marks;
}

void frmMain::OutputMotorPhases() {
    Out32(kDataPort, MotorByte(CoilTable, LRPhase, TFPhase, CurrentWiring()));
}

void frmMain::OutputAllOff() {
    Out32(kDataPort, AllOffByte(mnuinvert->isChecked()));
}
