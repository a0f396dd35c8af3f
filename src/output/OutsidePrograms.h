#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/KeyStrokes.h"
#include "platform/ProgramStart.h"

// What the writers need to hand their files to the outside reduction programs:
// start a program, send keystrokes to the program started last, and pause while
// this program's windows keep running. Tests put a recording fake in its place.
class OutsidePrograms {
  public:
    virtual ~OutsidePrograms() = default;
    // Starts the program (full path) detached, without arguments, with the given
    // working folder, so that it can open the typed files, whose paths will be
    // typed into it; false when it can't be started.
    virtual bool Shell(const QString& program, const QString& workingFolder,
                       const QStringList& typedFiles) = 0;
    // A path as the program started last names it: the text to type into it.
    virtual QString TypedPath(const QString& path) const = 0;
    // When the last start failed because the program could not be given one of
    // the typed files (a DOS program and a name DOS can't hold): why, naming
    // the file, for the user. Empty otherwise.
    virtual QString Refusal() const = 0;
    // Sends the keys to a window of the program started last; with wait, returns
    // once the window has taken them. False when they can't be delivered there.
    virtual bool SendKeys(const KeySequence& keys, bool wait) = 0;
    // Waits the milliseconds while letting pending window events run (MySleep).
    virtual void Pause(float ms) = 0;
};

// The real programs on this machine: ProgramStart, KeyStrokes and MySleep.
class DesktopPrograms final : public OutsidePrograms {
  public:
    bool Shell(const QString& program, const QString& workingFolder,
               const QStringList& typedFiles) override;
    QString TypedPath(const QString& path) const override;
    QString Refusal() const override;
    bool SendKeys(const KeySequence& keys, bool wait) override;
    void Pause(float ms) override;

    // How long a started program has to show a window, and to be ready for
    // keys, before keys to it fail. A Windows program gets at least
    // kWineWindowWait: wine's first start makes its prefix first.
    void SetWindowWait(std::chrono::milliseconds wait) { windowWait_ = wait; }
    static constexpr std::chrono::milliseconds kWineWindowWait{120000};
    // The program started last.
    const StartedProgram& Started() const { return started_; }
    // Why the last start or send failed.
    const QString& LastError() const { return error_; }

  private:
    StartedProgram started_;
    // Made just before the program is started, so every grab the program makes
    // is known to be its own.
    std::unique_ptr<KeyboardWatch> watch_;
    bool ready_ = false;
    std::chrono::milliseconds windowWait_{20000};
    QString error_;
};
