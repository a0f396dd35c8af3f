#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>

bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error) *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

bool WriteTextLines(const QString& path, const QStringList& lines, QString* error) {
    QString text = lines.join(QLatin1String(kCrLf));
    text += QLatin1String(kCrLf);
    return WriteFileWhole(path, text.toUtf8(), error);
}

bool AppendText(const QString& path, const QString& text, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error) *error = file.errorString();
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

bool ReadTextLines(const QString& path, QStringList& lines, qint64 maxBytes) {
    lines.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (file.size() > maxBytes) return false;
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes) return false;
    QString text = QString::fromUtf8(bytes);
    if (text.isEmpty()) return true;
    lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    return true;
}
