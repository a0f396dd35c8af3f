#include "platform/Processes.h"

#include <QFile>
#include <QList>

bool ReadProcessStat(qint64 pid, ProcessStat* stat) {
    if (pid <= 0) return false;
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = file.readAll();
    // "pid (name) S ppid ...": the name may hold blanks and parentheses.
    const qsizetype close = line.lastIndexOf(')');
    if (close < 0) return false;
    const QList<QByteArray> fields = line.mid(close + 2).split(' ');
    if (fields.size() < 20 || fields[0].isEmpty()) return false;
    if (stat) {
        stat->state = fields[0][0];
        stat->parent = fields[1].toLongLong();
        stat->started = fields[19].toLongLong();
    }
    return true;
}

bool ProcessRuns(qint64 pid) {
    ProcessStat stat;
    return ReadProcessStat(pid, &stat) && stat.state != 'Z' && stat.state != 'X';
}
