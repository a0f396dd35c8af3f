#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

#include "platform/Fd.h"

// Starting an outside program: detached, without arguments, in a given working
// folder, without waiting for it.
//
// How a program is run is decided by the file's own header, not by its name:
//   Native   an ELF executable or a script ("#!"), run as it is;
//   Windows  an "MZ" executable with a "PE" header (or a 16-bit "NE" one), run
//            through wine;
//   Dos      an "MZ" executable without one, run through dosbox.
// wine and dosbox are used only when installed (found on PATH); a program of a
// kind that can't be run here is not started.
enum class ProgramKind { Missing, Native, Windows, Dos, Unknown };

ProgramKind KindOfProgram(const QString& path);

// How a started program names files, for the paths typed into it:
//   Native   the path unchanged;
//   Windows  wine's drive form: the root is drive Z:, separators are
//            backslashes ("/a/b c/x.set" is "Z:\a\b c\x.set");
//   Dos      dosbox sees only the folders it mounts as drives: the working
//            folder as C:, then the program's folder and the folder holding
//            each typed file, each once, as D:, E:, ... A path is the letter of
//            the deepest drive holding it and the names below that folder,
//            each of which must be a DOS name ("C:\Test1.set").
class ProgramPaths {
  public:
    ProgramPaths() = default;  // a native program
    ProgramPaths(ProgramKind kind, const QString& program, const QString& workingFolder,
                 const QStringList& typedFiles);

    ProgramKind Kind() const { return kind_; }
    // DOS: the folders mounted as C:, D:, ... in this order.
    const QStringList& Drives() const { return drives_; }
    // The path as the program names it; empty, with *error naming the path,
    // when it can't name it.
    QString Typed(const QString& path, QString* error = nullptr) const;
    // Empty when the program and every typed file can be named by it; else why
    // not, for the user.
    const QString& Refusal() const { return refusal_; }

  private:
    ProgramKind kind_ = ProgramKind::Native;
    QStringList drives_;
    QString refusal_;
};

// A name DOS can hold: at most 8 characters, optionally a dot and at most 3
// more, of letters, digits and ! # $ % & ' ( ) - @ ^ _ ` { } ~.
bool IsDosName(const QString& name);

// A program that was started.
struct StartedProgram {
    qint64 pid = 0;  // the program itself, or wine or dosbox running it
    ProgramPaths paths;
    // When not empty: the program takes keys only once a window of the process
    // has a title ending in this text (dosbox names the program it runs there),
    // and some time after that.
    QString readyTitle;
    std::chrono::milliseconds settle{0};
    // The file wine's or dosbox's error output goes to, open for reading; its
    // name is gone, so it lasts only as long as the program and this (none:
    // the output is dropped).
    Fd errorOutput;
};

// Once the started program has ended: the last lines of its error output (up to
// eight, joined by line breaks), which say why wine could not run it; empty
// while it runs or when it said nothing.
QString EndedProgramErrorOutput(const StartedProgram& started);

// Starts the program so that it can be given the typed files (see ProgramPaths);
// true with *started filled in when it runs. On failure *error says why and
// nothing is started; when a typed file can't be named for the program,
// started->paths.Refusal() says so.
bool StartProgram(const QString& path, const QString& workingFolder, const QStringList& typedFiles,
                  StartedProgram* started, QString* error = nullptr);

// The same for a program given no paths; *pid is the started process.
bool StartProgram(const QString& path, const QString& workingFolder, qint64* pid,
                  QString* error = nullptr);
