#include "platform/ProgramStart.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/Processes.h"

namespace {

using std::chrono::milliseconds;

// Keys sent to dosbox's window before its title names the program are lost
// (the first ones of the script, sent 0.1 to 0.5 s after the window showed);
// sent once the title names it, they arrived in every one of 49 runs even
// without a pause. A short pause after the title is kept as a margin.
constexpr milliseconds kDosboxSettle{200};

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

QString Clean(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QChar DriveLetter(qsizetype index) {
    return QChar('C' + static_cast<char16_t>(index));
}

bool Holds(const QString& folder, const QString& path) {
    return path == folder || path.startsWith(folder.endsWith('/') ? folder : folder + '/');
}

// ---- The drives of dosbox --------------------------------------------------

// dosbox mounts each drive from a link to the folder, in a folder of links of
// this program's own, so that no character of the folder's own path goes
// through dosbox's command parser (blanks, quotes, "%" and letters beyond ASCII
// all would be misread there). The links live as long as dosbox: a later start
// removes those whose dosbox has ended.
const QString kLinkPrefix = QStringLiteral("drelmont-dos-");
const QString kPidFile = QStringLiteral("pid");

QString LinkParent() {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._-]+$"));
    const QString temp = QDir::tempPath();
    return plain.match(temp).hasMatch() ? temp : QStringLiteral("/tmp");
}

// Only the links and the pid file go: never anything a link points to.
void RemoveLinkFolder(const QString& folder) {
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::AllEntries | QDir::System |
                                                             QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries)
        if (entry.isSymLink() || entry.fileName() == kPidFile) QFile::remove(entry.filePath());
    QDir().rmdir(folder);
}

void RemoveEndedLinkFolders(const QString& parent) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QFileInfo& folder :
         QDir(parent).entryInfoList({kLinkPrefix + '*'}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (folder.isSymLink() || !folder.isWritable()) continue;
        QFile pidFile(folder.filePath() + '/' + kPidFile);
        const bool ended = pidFile.open(QIODevice::ReadOnly)
                               ? !ProcessRuns(pidFile.readAll().trimmed().toLongLong())
                               : folder.lastModified().secsTo(now) > 60;  // a failed start
        if (ended) RemoveLinkFolder(folder.filePath());
    }
}

// Makes the folder of links, one per drive, named by the drive's letter.
QString MakeDriveLinks(const QStringList& drives, QString* error) {
    const QString parent = LinkParent();
    RemoveEndedLinkFolders(parent);
    QTemporaryDir links(parent + '/' + kLinkPrefix + QStringLiteral("XXXXXX"));
    if (!links.isValid()) {
        SetError(error, QStringLiteral("no folder for dosbox's drives could be made in %1: %2")
                            .arg(parent, links.errorString()));
        return QString();
    }
    for (qsizetype i = 0; i < drives.size(); ++i) {
        if (!QFile::link(drives[i], links.filePath(DriveLetter(i).toLower()))) {
            SetError(error, QStringLiteral("%1 could not be given to dosbox").arg(drives[i]));
            return QString();
        }
    }
    links.setAutoRemove(false);
    return links.path();
}

// Runs the program under dosbox: its drives mounted, the working folder's drive
// current, the program run, then dosbox ends (started with the program as its
// argument, dosbox stays open after it).
QStringList DosboxArguments(const QString& program, const ProgramPaths& paths,
                            const QString& links) {
    QStringList arguments;
    for (qsizetype i = 0; i < paths.Drives().size(); ++i)
        arguments << QStringLiteral("-c")
                  << QStringLiteral("mount %1 %2/%3")
                         .arg(DriveLetter(i), links, DriveLetter(i).toLower());
    arguments << QStringLiteral("-c") << QStringLiteral("C:");
    arguments << QStringLiteral("-c") << paths.Typed(program);
    arguments << QStringLiteral("-c") << QStringLiteral("exit");
    return arguments;
}

// What dosbox's window title ends in once the program runs: DOS's name of the
// running program, the file's name without its extension in capitals.
QString DosboxTitle(const QString& program) {
    return QStringLiteral("Program: ") +
           QFileInfo(program).fileName().section('.', 0, 0).left(8).toUpper();
}

// What runs a program of the kind: the program itself, wine or dosbox; empty,
// with *error, when that is not installed.
QString Runner(ProgramKind kind, const QString& program, QString* error) {
    if (kind == ProgramKind::Native) return program;
    const bool windows = kind == ProgramKind::Windows;
    const QString runner = windows ? QStringLiteral("wine") : QStringLiteral("dosbox");
    const QString found = QStandardPaths::findExecutable(runner);
    if (found.isEmpty())
        SetError(
            error,
            QStringLiteral("%1 is a %2 program and %3 is not installed")
                .arg(program, windows ? QStringLiteral("Windows") : QStringLiteral("DOS"), runner));
    return found;
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

bool IsDosName(const QString& name) {
    static const QRegularExpression dos(
        QStringLiteral("^[A-Za-z0-9!#$%&'()@^_`{}~-]{1,8}(\\.[A-Za-z0-9!#$%&'()@^_`{}~-]{1,3})?$"));
    return dos.match(name).hasMatch();
}

ProgramPaths::ProgramPaths(ProgramKind kind, const QString& program, const QString& workingFolder,
                           const QStringList& typedFiles)
    : kind_(kind) {
    if (kind_ != ProgramKind::Dos) return;
    auto mount = [this](const QString& folder) {
        if (!drives_.contains(folder)) drives_ << folder;
    };
    mount(Clean(workingFolder));
    mount(QFileInfo(Clean(program)).path());
    for (const QString& file : typedFiles) mount(QFileInfo(Clean(file)).path());
    for (const QString& path : QStringList{program} + typedFiles)
        if (Typed(path, &refusal_).isEmpty()) break;
}

QString ProgramPaths::Typed(const QString& path, QString* error) const {
    const QString clean = Clean(path);
    switch (kind_) {
        case ProgramKind::Windows:
            return QStringLiteral("Z:") + QString(clean).replace('/', '\\');
        case ProgramKind::Dos:
            break;
        default:
            return path;
    }
    qsizetype drive = -1;
    for (qsizetype i = 0; i < drives_.size(); ++i)
        if (Holds(drives_[i], clean) && (drive < 0 || drives_[i].size() > drives_[drive].size()))
            drive = i;
    if (drive < 0) {
        SetError(error, QStringLiteral("The DOS program can't open %1: it lies outside the "
                                       "folders given to it.")
                            .arg(clean));
        return QString();
    }
    QString typed = QString(DriveLetter(drive)) + QStringLiteral(":\\");
    const QStringList names = clean.mid(drives_[drive].size()).split('/', Qt::SkipEmptyParts);
    for (const QString& name : names) {
        if (!IsDosName(name)) {
            SetError(error, QStringLiteral("The DOS program can't open %1: \"%2\" is longer than "
                                           "a DOS name (8 characters, a dot and 3) or holds "
                                           "characters DOS can't take.")
                                .arg(clean, name));
            return QString();
        }
    }
    return typed + names.join('\\');
}

bool StartProgram(const QString& path, const QString& workingFolder, const QStringList& typedFiles,
                  StartedProgram* started, QString* error) {
    const QString program = QFileInfo(path).absoluteFilePath();
    const ProgramKind kind = KindOfProgram(program);
    if (kind == ProgramKind::Missing) {
        SetError(error, QStringLiteral("%1 does not exist").arg(program));
        return false;
    }
    if (kind == ProgramKind::Unknown) {
        SetError(error, QStringLiteral("%1 is no program this system can run").arg(program));
        return false;
    }
    StartedProgram result;
    result.paths = ProgramPaths(kind, program, workingFolder, typedFiles);
    // A file the program can't be given is refused before anything is looked
    // for or started.
    if (!result.paths.Refusal().isEmpty()) {
        SetError(error, result.paths.Refusal());
        if (started) *started = result;
        return false;
    }
    const QString runner = Runner(kind, program, error);
    if (runner.isEmpty()) return false;
    QStringList arguments;
    if (kind == ProgramKind::Windows) arguments << program;
    QString links;
    if (kind == ProgramKind::Dos) {
        links = MakeDriveLinks(result.paths.Drives(), error);
        if (links.isEmpty()) return false;
        arguments = DosboxArguments(program, result.paths, links);
        result.readyTitle = DosboxTitle(program);
        result.settle = kDosboxSettle;
    }
    // Arguments go to the program as a list, never through a shell, so no
    // character of a path is interpreted.
    QProcess process;
    process.setProgram(runner);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    if (kind != ProgramKind::Native) {
        // wine's and dosbox's own reports are of no use to the user here.
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    }
    if (!process.startDetached(&result.pid)) {
        SetError(error, QStringLiteral("%1 could not be started").arg(program));
        if (!links.isEmpty()) RemoveLinkFolder(links);
        return false;
    }
    if (!links.isEmpty()) {
        QFile pidFile(links + '/' + kPidFile);
        if (pidFile.open(QIODevice::WriteOnly)) pidFile.write(QByteArray::number(result.pid));
    }
    if (started) *started = result;
    return true;
}

bool StartProgram(const QString& path, const QString& workingFolder, qint64* pid, QString* error) {
    StartedProgram started;
    if (!StartProgram(path, workingFolder, {}, &started, error)) return false;
    if (pid) *pid = started.pid;
    return true;
}
