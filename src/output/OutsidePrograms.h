#pragma once

#include <QString>

#include "platform/KeyStrokes.h"

// What the writers need to hand their files to the outside reduction programs:
// start a program, send keystrokes to the program started last, and pause while
// this program's windows keep running. Tests put a recording fake in its place.
class OutsidePrograms {
  public:
    virtual ~OutsidePrograms() = default;
    // Starts the program (full path) detached, without arguments, with the given
    // working folder; false when it can't be started.
    virtual bool Shell(const QString& program, const QString& workingFolder) = 0;
    // Sends the keys to a window of the program started last; with wait, returns
    // once the window has taken them. False when they can't be delivered there.
    virtual bool SendKeys(const KeySequence& keys, bool wait) = 0;
    // Waits the milliseconds while letting pending window events run (MySleep).
    virtual void Pause(float ms) = 0;
};

// The real programs on this machine: ProgramStart, KeyStrokes and MySleep.
class DesktopPrograms final : public OutsidePrograms {
  public:
    bool Shell(const QString& program, const QString& workingFolder) override;
    bool SendKeys(const KeySequence& keys, bool wait) override;
    void Pause(float ms) override;

    // How long a started program has to show a window before keys to it fail.
    void SetWindowWait(std::chrono::milliseconds wait) { windowWait_ = wait; }
    // Why the last start or send failed.
    const QString& LastError() const { return error_; }

  private:
    qint64 pid_ = 0;
    std::chrono::milliseconds windowWait_{20000};
    QString error_;
};
