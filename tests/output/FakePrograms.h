#pragma once

#include <QFileInfo>
#include <QStringList>

#include "output/OutsidePrograms.h"

// Records what the writers ask of the outside programs, one line each:
// "start <program> in <folder>", "keys <keys>[ wait]", "pause <ms>". A program
// that is not there fails to start, as it would on the desktop.
struct FakePrograms : OutsidePrograms {
    QStringList log;
    bool startFails = false;
    int keysFailAt = -1;  // the number of the send that fails (0 = the first)
    int sends = 0;
    bool Shell(const QString& program, const QString& folder) override {
        log << "start " + program + " in " + folder;
        return QFileInfo(program).isFile() && !startFails;
    }
    bool SendKeys(const KeySequence& keys, bool wait) override {
        log << "keys " + ShownKeys(keys) + (wait ? " wait" : "");
        return sends++ != keysFailAt;
    }
    void Pause(float ms) override { log << "pause " + QString::number(ms); }
};
