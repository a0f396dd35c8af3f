#pragma once

#include <QSet>
#include <QtGlobal>

// What /proc tells of a process: its parent, its state and its start time (in
// clock ticks since boot; a process id is reused only by a later process).
struct ProcessStat {
    qint64 parent = 0;
    char state = 0;
    qint64 started = 0;
};

// False when the process is gone (or its entry can't be read).
bool ReadProcessStat(qint64 pid, ProcessStat* stat);

// Whether the process still runs: a zombie has ended, though its entry stays
// until its parent reaps it.
bool ProcessRuns(qint64 pid);

// The process and every process it started, still running.
QSet<qint64> ProcessTree(qint64 root);
