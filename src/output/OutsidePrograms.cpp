#include "output/OutsidePrograms.h"

#include <algorithm>

#include "platform/MySleep.h"

bool DesktopPrograms::Shell(const QString& program, const QString& workingFolder,
                            const QStringList& typedFiles) {
    started_ = StartedProgram();
    ready_ = false;
    watch_ = std::make_unique<KeyboardWatch>();
    return StartProgram(program, workingFolder, typedFiles, &started_, &error_);
}

QString DesktopPrograms::TypedPath(const QString& path) const {
    return started_.paths.Typed(path);
}

QString DesktopPrograms::Refusal() const {
    return started_.paths.Refusal();
}

bool DesktopPrograms::SendKeys(const KeySequence& keys, bool wait) {
    if (!watch_) {  // made with every start
        error_ = QStringLiteral("no program was started to take the keys");
        return false;
    }
    const std::chrono::milliseconds windowWait = started_.paths.Kind() == ProgramKind::Windows
                                                     ? std::max(windowWait_, kWineWindowWait)
                                                     : windowWait_;
    // The first keys wait until the program takes keys, not only until it
    // shows a window: keys sent to dosbox's window before it runs the program
    // are lost.
    if (!ready_ && !started_.readyTitle.isEmpty()) {
        ready_ = WaitForWindowTitle(started_.pid, started_.readyTitle, windowWait, &error_);
        if (ready_) MySleep(static_cast<float>(started_.settle.count()));
    } else {
        ready_ = true;
    }
    if (ready_ && SendKeysToProcess(started_.pid, keys, wait, windowWait, *watch_, &error_))
        return true;
    // A program that ended instead of taking the keys may have said why (wine
    // without its 32-bit part does).
    const QString words = EndedProgramErrorOutput(started_);
    if (!words.isEmpty()) error_ += QStringLiteral("; its error output ended with:\n") + words;
    return false;
}

void DesktopPrograms::Pause(float ms) {
    MySleep(ms);
}
