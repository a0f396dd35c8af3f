#include "platform/ProgramStart.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <csignal>

#include "platform/DosboxSettings.h"
#include "platform/Fd.h"
#include "platform/Processes.h"
#include "platform/TextFile.h"

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
    // The new-style header's offset sits at 0x3c; a Windows program has "PE\0\0"
    // there, a 16-bit one "NE" (which DOS can't run either: wine runs both).
    const qint64 offset = Dword(head, 0x3c);
    if (offset < 0x40 || offset > file.size() - 4) return ProgramKind::Dos;
    if (!file.seek(offset)) return ProgramKind::Dos;
    const QByteArray signature = file.read(4);
    return signature == QByteArray("PE\0\0", 4) || signature.startsWith("NE") ? ProgramKind::Windows
                                                                              : ProgramKind::Dos;
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
//
// Every folder of links lies in one folder of the user's own that no one else
// may enter, checked at each start; nothing outside it is looked at or removed.
// Within it every step goes through the folder's open descriptor, never a path
// that could be swapped between a check and its use.
constexpr char kLinkPrefix[] = "dos-";
constexpr char kPidFile[] = "pid";

// A path dosbox's parser reads as it is.
bool Plain(const QString& path) {
    static const QRegularExpression plain(QStringLiteral("^/[A-Za-z0-9/._-]*$"));
    return plain.match(path).hasMatch();
}

bool OwnPrivate(const struct stat& info) {
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

// The folder holding the folders of links: in the user's runtime folder when
// that is the user's own, else in the temporary folder.
QString LinkParent() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    struct stat info = {};
    if (Plain(runtime) && ::lstat(QFile::encodeName(runtime).constData(), &info) == 0 &&
        OwnPrivate(info))
        return runtime + QStringLiteral("/drelmont");
    const QString temp = QDir::tempPath();
    return (Plain(temp) ? temp : QStringLiteral("/tmp")) +
           QStringLiteral("/drelmont-%1").arg(::getuid());
}

// Opens the entry as a folder only when it is a real folder (never a link) of
// the user's own that no one else may enter; none otherwise.
Fd OpenOwnFolder(int parent, const QByteArray& name, struct stat* info) {
    Fd fd(::openat(parent, name.constData(),
                   O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.valid() && ::fstat(fd.get(), info) == 0 && OwnPrivate(*info)) return fd;
    return Fd();
}

// The names in the folder, but "." and "..".
QList<QByteArray> Entries(int folder) {
    QList<QByteArray> names;
    Fd own(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!own.valid()) return names;
    DIR* dir = ::fdopendir(own.get());
    if (!dir) return names;
    own.release();  // closed with the stream
    while (const dirent* entry = ::readdir(dir))
        if (qstrcmp(entry->d_name, ".") != 0 && qstrcmp(entry->d_name, "..") != 0)
            names << entry->d_name;
    ::closedir(dir);
    return names;
}

// The process the folder's pid file names; 0 when there is no pid file or it
// names none; -1 when it is anything but a regular file, which is never read.
qint64 ReadPid(int folder) {
    const Fd file(::openat(folder, kPidFile, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0) return errno == ENOENT ? 0 : -1;
    struct stat info = {};
    char bytes[32];
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    const ssize_t size = ::read(file.get(), bytes, sizeof bytes);
    if (size < 0) return -1;
    bool number = false;
    const qint64 pid = QByteArray(bytes, size).trimmed().toLongLong(&number);
    return number && pid > 0 ? pid : 0;
}

// The pid file, or a temporary file the whole-file writer left of it when the
// program ended half way ("pid.XXXXXX").
bool IsPidFile(const QByteArray& name) {
    return name == kPidFile || name.startsWith(QByteArray(kPidFile) + '.');
}

// The folder of links named in parent, open as folder: only the links and the
// pid file go, never anything a link points to; then the folder, when that left
// it empty.
void RemoveLinkFolder(int parent, const QByteArray& name, int folder) {
    struct stat info = {};
    for (const QByteArray& entry : Entries(folder))
        if (::fstatat(folder, entry.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            (S_ISLNK(info.st_mode) || (IsPidFile(entry) && S_ISREG(info.st_mode))))
            ::unlinkat(folder, entry.constData(), 0);
    ::unlinkat(parent, name.constData(), AT_REMOVEDIR);
}

// The same, the folder opened here when it is the user's own.
void RemoveLinkFolder(int parent, const QByteArray& name) {
    struct stat info = {};
    const Fd folder(OpenOwnFolder(parent, name, &info));
    if (folder.valid()) RemoveLinkFolder(parent, name, folder.get());
}

// A folder whose pid file names an ended process goes, as does one older than a
// minute without a pid (a failed start); one whose pid file can't be read
// safely stays.
void RemoveEndedLinkFolders(int parent) {
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (const QByteArray& name : Entries(parent)) {
        if (!name.startsWith(kLinkPrefix)) continue;
        struct stat info = {};
        const Fd folder(OpenOwnFolder(parent, name, &info));
        if (folder.get() < 0) continue;
        const qint64 pid = ReadPid(folder.get());
        if (pid > 0 ? !ProcessRuns(pid) : pid == 0 && now - info.st_mtime > 60)
            RemoveLinkFolder(parent, name, folder.get());
    }
}

// Opens the folder holding the folders of links, made when missing; none, with
// *error naming it, when it is not the user's own.
Fd OpenLinkParent(const QString& parent, QString* error) {
    const QByteArray path = QFile::encodeName(parent);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        SetError(error, QStringLiteral("no folder for dosbox's drives could be made at %1: %2")
                            .arg(parent, qt_error_string(errno)));
        return Fd();
    }
    struct stat info = {};
    Fd fd = OpenOwnFolder(AT_FDCWD, path, &info);
    if (!fd.valid())
        SetError(error, QStringLiteral("%1 is not a folder of this user's own with no access for "
                                       "others; dosbox's drives are not made there")
                            .arg(parent));
    return fd;
}

// An entry of a new random name beginning with the prefix, made by make (true
// when it made one); its name, or empty with errno saying why none was made.
template <typename Make>
QByteArray MakeNewEntry(const char* prefix, Make make) {
    for (int tries = 0; tries < 100; ++tries) {
        const QByteArray name =
            prefix + QByteArray::number(QRandomGenerator::system()->generate(), 36);
        if (make(name)) return name;
        if (errno != EEXIST) break;
    }
    return QByteArray();
}

// ---- What wine and dosbox say ----------------------------------------------

// Their error output goes to a file of its own in the same folder of the
// user's own, so that what wine says when it can't run a program (that wine32
// is missing, say) can be shown when the program ends without a window. The
// file is named only until the program is started: then its name goes, and the
// file lives on in the program's error output and the descriptor kept here.
constexpr char kErrorPrefix[] = "err-";
constexpr qint64 kErrorTailBytes = 4096;
constexpr int kErrorTailLines = 8;

// A new empty file for a program's error output in the folder at parentPath,
// open as parent; opened, and its path; none when it can't be made (the output
// is then dropped).
Fd MakeErrorFile(int parent, const QString& parentPath, QString* path) {
    Fd file;
    const QByteArray name = MakeNewEntry(kErrorPrefix, [&](const QByteArray& candidate) {
        file.reset(::openat(parent, candidate.constData(),
                            O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        return file.valid();
    });
    if (file.valid()) *path = parentPath + '/' + QString::fromLatin1(name);
    return file;
}

// Makes a folder of links in the folder at parentPath, open as parent, one
// link per drive, named by the drive's letter; its name, or empty with *error.
QByteArray MakeDriveLinks(int parent, const QString& parentPath, const QStringList& drives,
                          QString* error) {
    RemoveEndedLinkFolders(parent);
    const QByteArray name = MakeNewEntry(kLinkPrefix, [&](const QByteArray& candidate) {
        return ::mkdirat(parent, candidate.constData(), 0700) == 0;
    });
    if (name.isEmpty()) {
        SetError(error, QStringLiteral("no folder for dosbox's drives could be made in %1: %2")
                            .arg(parentPath, qt_error_string(errno)));
        return QByteArray();
    }
    for (qsizetype i = 0; i < drives.size(); ++i) {
        const QByteArray target = QFile::encodeName(drives[i]);
        const QByteArray link = name + '/' + DriveLetter(i).toLower().toLatin1();
        if (::symlinkat(target.constData(), parent, link.constData()) != 0) {
            SetError(error, QStringLiteral("%1 could not be given to dosbox: %2")
                                .arg(drives[i], qt_error_string(errno)));
            RemoveLinkFolder(parent, name);
            return QByteArray();
        }
    }
    return name;
}

// Runs the program under dosbox: its drives mounted, the working folder's drive
// current, the program run, then dosbox ends (started with the program as its
// argument, dosbox stays open after it).
QStringList DosboxArguments(const QString& program, const ProgramPaths& paths,
                            const QString& links) {
    QStringList arguments = DosboxSettingsArguments(QFileInfo(links).path());
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
        if (started) *started = std::move(result);
        return false;
    }
    const QString runner = Runner(kind, program, error);
    if (runner.isEmpty()) return false;
    QStringList arguments;
    if (kind == ProgramKind::Windows) arguments << program;
    // dosbox's links and wine's or dosbox's error output lie in the folder of
    // the user's own, opened once for the start.
    QString ownPath;
    Fd own;
    if (kind != ProgramKind::Native) {
        ownPath = LinkParent();
        own = OpenLinkParent(ownPath, kind == ProgramKind::Dos ? error : nullptr);
    }
    QByteArray linksName;  // of the folder of dosbox's links, in own
    QString links;
    if (kind == ProgramKind::Dos) {
        if (own.valid())
            linksName = MakeDriveLinks(own.get(), ownPath, result.paths.Drives(), error);
        if (linksName.isEmpty()) return false;
        links = ownPath + '/' + QString::fromLatin1(linksName);
        arguments = DosboxArguments(program, result.paths, links);
        result.readyTitle = DosboxTitle(program);
        result.settle = kDosboxSettle;
    }
    // Arguments go to the program as a list, never through a shell, so no
    // character of a path is interpreted.
    QProcess process;
    QString errorPath;
    process.setProgram(runner);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    if (kind != ProgramKind::Native) {
        // Of wine's and dosbox's own reports only the last words of their error
        // output are kept: why a program they were given could not run.
        process.setStandardOutputFile(QProcess::nullDevice());
        if (own.valid()) result.errorOutput = MakeErrorFile(own.get(), ownPath, &errorPath);
        process.setStandardErrorFile(result.errorOutput.valid() ? errorPath
                                                                : QProcess::nullDevice());
    }
    const bool running = process.startDetached(&result.pid);
    // The program holds its error output open from here on.
    if (result.errorOutput.valid()) ::unlink(QFile::encodeName(errorPath).constData());
    if (!running) {
        SetError(error, QStringLiteral("%1 could not be started").arg(program));
        if (!links.isEmpty()) RemoveLinkFolder(own.get(), linksName);
        return false;
    }
    // A later start keeps the links while the process the pid file names runs:
    // a dosbox whose pid could not be written is ended, not left without them.
    if (!links.isEmpty()) {
        const QString pidFile = links + '/' + QLatin1String(kPidFile);
        QString why;
        if (!WriteFileWhole(pidFile, QByteArray::number(result.pid), &why)) {
            if (result.pid > 0) ::kill(static_cast<pid_t>(result.pid), SIGKILL);
            RemoveLinkFolder(own.get(), linksName);
            SetError(error, QStringLiteral("%1 was not started: %2 could not be written: %3")
                                .arg(program, pidFile, why));
            return false;
        }
    }
    if (started) *started = std::move(result);
    return true;
}

QString EndedProgramErrorOutput(const StartedProgram& started) {
    if (!started.errorOutput.valid() || ProcessRuns(started.pid)) return QString();
    const int fd = started.errorOutput.get();
    struct stat info = {};
    if (::fstat(fd, &info) != 0) return QString();
    const qint64 from = std::max<qint64>(0, info.st_size - kErrorTailBytes);
    QByteArray tail(info.st_size - from, '\0');
    const ssize_t size = ::pread(fd, tail.data(), tail.size(), from);
    if (size < 0) return QString();
    tail.truncate(size);
    QStringList lines;
    for (const QByteArray& line : tail.split('\n'))
        if (!line.trimmed().isEmpty()) lines << DecodeTextLine(line.trimmed());
    return lines.mid(std::max<qsizetype>(0, lines.size() - kErrorTailLines)).join('\n');
}

bool StartProgram(const QString& path, const QString& workingFolder, qint64* pid, QString* error) {
    StartedProgram started;
    if (!StartProgram(path, workingFolder, {}, &started, error)) return false;
    if (pid) *pid = started.pid;
    return true;
}
