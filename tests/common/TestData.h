#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Files kept with the tests (tests/data), such as inputs that once found faults.
inline QByteArray TestDataFile(const QString& relative) {
    QFile file(QStringLiteral(DRELMONT_TEST_DATA_DIR "/") + relative);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
