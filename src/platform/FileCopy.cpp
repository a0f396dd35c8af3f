#include "platform/FileCopy.h"

#include <QFile>
#include <QSaveFile>

bool CopyFileWhole(const QString& from, const QString& to, qint64 maxBytes) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly) || source.size() > maxBytes) return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly)) return false;
    char buffer[1 << 16];
    for (;;) {
        const qint64 got = source.read(buffer, sizeof buffer);
        if (got < 0) return target.cancelWriting(), false;
        if (got == 0) break;
        if (target.write(buffer, got) != got) return target.cancelWriting(), false;
    }
    if (!target.setPermissions(source.permissions())) return target.cancelWriting(), false;
    return target.commit();
}
