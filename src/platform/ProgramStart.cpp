#include "platform/ProgramStart.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Little-endian 32-bit value at offset in the header bytes; -1 when beyond them.
qint64 Dword(const QByteArray& bytes, qint64 offset) {
    if (offset < 0 || offset + 4 > bytes.size()) return -1;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData() + offset);
    return static_cast<qint64>(p[0]) | static_cast<qint64>(p[1]) << 8 |
           static_cast<qint64>(p[2]) << 16 | static_cast<qint64>(p[3]) << 24;
}

ProgramKind KindOfMz(QFile& file, const QByteArray& head) {
    // The new-style header's offset sits at 0x3c; a Windows program has "PE\0\0" there.
    const qint64 offset = Dword(head, 0x3c);
    if (offset < 0x40 || offset > file.size() - 4) return ProgramKind::Dos;
    if (!file.seek(offset)) return ProgramKind::Dos;
    return file.read(4) == QByteArray("PE\0\0", 4) ? ProgramKind::Windows : ProgramKind::Dos;
}

void SetError(QString* error, const QString& text) {
    if (error) *error = text;
}

}  // namespace

ProgramKind KindOfProgram(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return ProgramKind::Missing;
    const QByteArray head = file.read(64);
    if (head.startsWith("\x7f"
                        "ELF") ||
        head.startsWith("#!"))
        return ProgramKind::Native;
    if (head.startsWith("MZ")) return KindOfMz(file, head);
    return ProgramKind::Unknown;
}

bool StartProgram(const QString& path, const QString& workingFolder, qint64* pid, QString* error) {
    const QString program = QFileInfo(path).absoluteFilePath();
    QString runner;
    QStringList arguments;
    switch (KindOfProgram(program)) {
        case ProgramKind::Missing:
            SetError(error, QStringLiteral("%1 does not exist").arg(program));
            return false;
        case ProgramKind::Unknown:
            SetError(error, QStringLiteral("%1 is no program this system can run").arg(program));
            return false;
        case ProgramKind::Native:
            runner = program;
            break;
        case ProgramKind::Windows:
            runner = QStandardPaths::findExecutable(QStringLiteral("wine"));
            arguments << program;
            if (runner.isEmpty()) {
                SetError(error, QStringLiteral("%1 is a Windows program and wine is not "
                                               "installed")
                                    .arg(program));
                return false;
            }
            break;
        case ProgramKind::Dos:
            runner = QStandardPaths::findExecutable(QStringLiteral("dosbox"));
            arguments << program;
            if (runner.isEmpty()) {
                SetError(error, QStringLiteral("%1 is a DOS program and dosbox is not "
                                               "installed")
                                    .arg(program));
                return false;
            }
            break;
    }
    // Arguments go to the program as a list, never through a shell, so no
    // character of a path is interpreted.
    QProcess process;
    process.setProgram(runner);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    qint64 started = 0;
    if (!process.startDetached(&started)) {
        SetError(error, QStringLiteral("%1 could not be started").arg(program));
        return false;
    }
    if (pid) *pid = started;
    return true;
}
