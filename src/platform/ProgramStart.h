#pragma once

#include <QString>

// Starting an outside program: detached, without arguments, in a given working
// folder, without waiting for it.
//
// How a program is run is decided by the file's own header, not by its name:
//   Native   an ELF executable or a script ("#!"), run as it is;
//   Windows  an "MZ" executable with a "PE" header, run through wine;
//   Dos      an "MZ" executable without one, run through dosbox.
// wine and dosbox are used only when installed (found on PATH); a program of a
// kind that can't be run here is not started.
enum class ProgramKind { Missing, Native, Windows, Dos, Unknown };

ProgramKind KindOfProgram(const QString& path);

// Starts the program; true with *pid set (the process that was started: the
// program itself, or wine or dosbox running it) when it runs. On failure *error
// says why and nothing is started.
bool StartProgram(const QString& path, const QString& workingFolder, qint64* pid,
                  QString* error = nullptr);
