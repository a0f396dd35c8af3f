#pragma once

#include <QFileInfo>
#include <QStringList>

#include "output/OutsidePrograms.h"

// Records what the writers ask of the outside programs, one line each:
// "start <program> in <folder>[ for <typed file>, ...]", "keys <keys>[ wait]",
// "pause <ms>". A program that is not there fails to start, as it would on the
// desktop. The started program names files as a program of `kind` does, so that
// tests see the paths typed into a Windows or a DOS program, and a DOS program
// that can't be given a file is refused as on the desktop.
struct FakePrograms : OutsidePrograms {
    QStringList log;
    bool startFails = false;
    int keysFailAt = -1;  // the number of the send that fails (0 = the first)
    int sends = 0;
    ProgramKind kind = ProgramKind::Native;
    ProgramPaths paths;
    bool Shell(const QString& program, const QString& folder, const QStringList& typed) override {
        log << "start " + program + " in " + folder +
                   (typed.isEmpty() ? QString() : " for " + typed.join(", "));
        paths = ProgramPaths(kind, program, folder, typed);
        return QFileInfo(program).isFile() && !startFails && paths.Refusal().isEmpty();
    }
    QString TypedPath(const QString& path) const override { return paths.Typed(path); }
    QString Refusal() const override { return paths.Refusal(); }
    bool SendKeys(const KeySequence& keys, bool wait) override {
        log << "keys " + ShownKeys(keys) + (wait ? " wait" : "");
        return sends++ != keysFailAt;
    }
    void Pause(float ms) override { log << "pause " + QString::number(ms); }
};
