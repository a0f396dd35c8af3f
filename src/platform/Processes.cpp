#include "platform/Processes.h"

#include <QDir>
#include <QFile>
#include <QHash>
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

QSet<qint64> ProcessTree(qint64 root) {
    QHash<qint64, QList<qint64>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        ProcessStat stat;
        if (number && ReadProcessStat(pid, &stat)) children[stat.parent] << pid;
    }
    QSet<qint64> tree{root};
    QList<qint64> open{root};
    while (!open.isEmpty()) {
        for (qint64 child : children.value(open.takeLast()))
            if (!tree.contains(child)) tree.insert(child), open << child;
    }
    return tree;
}
