#include "output/OutsidePrograms.h"

#include "platform/MySleep.h"
#include "platform/ProgramStart.h"

bool DesktopPrograms::Shell(const QString& program, const QString& workingFolder) {
    pid_ = 0;
    return StartProgram(program, workingFolder, &pid_, &error_);
}

bool DesktopPrograms::SendKeys(const KeySequence& keys, bool wait) {
    return SendKeysToProcess(pid_, keys, wait, windowWait_, &error_);
}

void DesktopPrograms::Pause(float ms) {
    MySleep(ms);
}
