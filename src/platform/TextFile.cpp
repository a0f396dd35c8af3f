#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUtf8StringView>
#include <cerrno>

#include "platform/Fd.h"

namespace {

// Opens a file for reading only when it is a regular file. The open itself
// never blocks: a named pipe without a writer would otherwise wait for one.
bool OpenRegularFile(const QString& path, QFile& file) {
    Fd fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info = {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    if (!file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return false;
    fd.release();  // closed with the file
    return true;
}

// The text as UTF-8, with each lone surrogate (half of a pair without its other
// half) replaced by U+FFFD, so the bytes always decode back to the text written.
QByteArray EncodeText(const QString& text) {
    QString clean = text;
    for (qsizetype i = 0; i < clean.size(); ++i) {
        const QChar c = clean[i];
        if (c.isHighSurrogate() && i + 1 < clean.size() && clean[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            clean[i] = QChar::ReplacementCharacter;
        }
    }
    return clean.toUtf8();
}

void SplitLines(const QByteArray& bytes, QStringList& lines, int maxLines) {
    qsizetype start = 0;
    while (start < bytes.size() && (maxLines < 0 || lines.size() < maxLines)) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r')) line.chop(1);
        lines << DecodeTextLine(line);
        start = end + 1;
    }
}

// A file written whole. The bytes go straight to the temporary file beside the
// target, past Qt's write buffer, so that a write that fails (a full disk) is
// seen where it happens; the file is synced to the disk, and only then renamed
// over the target. QSaveFile::commit() alone does not notice a final flush that
// fails, and would rename an empty or cut file over the old one. Until Commit
// succeeds the target is untouched; an unfinished temporary file is removed.
class WholeFile {
  public:
    explicit WholeFile(const QString& path) : file_(path) {}

    bool Open(QString* error) {
        if (file_.open(QIODevice::WriteOnly)) return true;
        if (error) *error = file_.errorString();
        return false;
    }

    bool Write(QByteArrayView bytes, QString* error) {
        const char* data = bytes.data();
        qsizetype left = bytes.size();
        while (left > 0) {
            const ssize_t done = ::write(file_.handle(), data, size_t(left));
            if (done < 0 && errno == EINTR) continue;
            if (done <= 0) return Fail(done < 0 ? errno : ENOSPC, error);
            data += done;
            left -= done;
        }
        return true;
    }

    bool SetPermissions(QFileDevice::Permissions permissions, QString* error) {
        if (file_.setPermissions(permissions)) return true;
        if (error) *error = file_.errorString();
        return false;
    }

    // The rename lives in the folder: until the folder is synced too, a power
    // cut can bring the old file back although the save was reported done.
    bool Commit(QString* error) {
        // A file system that cannot sync (EINVAL) has nothing held back to lose.
        if (::fsync(file_.handle()) != 0 && errno != EINVAL) return Fail(errno, error);
        if (!file_.commit()) {
            if (error) *error = file_.errorString();
            return false;
        }
        // The folder of the path that was written, as written: never the working
        // folder for a file that is gone meanwhile. A folder the user may write
        // but not read can't be opened to sync it: the file is in place, and
        // there is nothing more the program can do for it.
        const QString folder = QFileInfo(file_.fileName()).absolutePath();
        const Fd fd(
            ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!fd.valid()) return true;
        if (::fsync(fd.get()) != 0 && errno != EINVAL) return Fail(errno, error);
        return true;
    }

  private:
    static bool Fail(int code, QString* error) {
        if (error) *error = qt_error_string(code);
        return false;
    }

    QSaveFile file_;
};

}  // namespace

QString DecodeTextLine(const QByteArray& bytes) {
    if (QUtf8StringView(bytes).isValidUtf8()) return QString::fromUtf8(bytes);
    return QString::fromLatin1(bytes);
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error) {
    WholeFile file(path);
    return file.Open(error) && file.Write(bytes, error) && file.Commit(error);
}

bool WriteTextLines(const QString& path, const QStringList& lines, QString* error) {
    QString text = lines.join(QLatin1String(kCrLf));
    text += QLatin1String(kCrLf);
    return WriteFileWhole(path, EncodeText(text), error);
}

bool IsOutOfSpaceError(const QString& error) {
    for (int code : {ENOSPC, EDQUOT, EFBIG})
        if (error.contains(qt_error_string(code))) return true;
    return false;
}

bool AppendText(const QString& path, const QString& text, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (error) *error = file.errorString();
        return false;
    }
    const QByteArray bytes = text.toUtf8();
    // Flushed here, where a failure can still be told, rather than at close.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

bool CopyFileWhole(const QString& from, const QString& to, QString* error) {
    QFile source(from);
    if (!OpenRegularFile(from, source)) {
        if (error) *error = QStringLiteral("%1 is not a readable file").arg(from);
        return false;
    }
    WholeFile target(to);
    if (!target.Open(error)) return false;
    // In pieces: the file may be far larger than anything the program writes.
    while (!source.atEnd()) {
        const QByteArray piece = source.read(1 << 16);
        if (piece.isEmpty() && source.error() != QFileDevice::NoError) {
            if (error) *error = source.errorString();
            return false;
        }
        if (!target.Write(piece, error)) return false;
    }
    return target.SetPermissions(source.permissions(), error) && target.Commit(error);
}

bool ReadTextLines(const QString& path, QStringList& lines, qint64 maxBytes, int maxLines) {
    lines.clear();
    QFile file;
    if (!OpenRegularFile(path, file)) return false;
    QByteArray bytes;
    if (maxLines < 0) {
        if (file.size() > maxBytes) return false;
        bytes = file.read(maxBytes + 1);
        if (bytes.size() > maxBytes) return false;
    } else {
        // Only as far as the last wanted line: whatever follows it is ignored,
        // however long it is.
        qsizetype lineEnds = 0;
        while (lineEnds < maxLines) {
            const QByteArray piece = file.read(std::min<qint64>(4096, maxBytes + 1 - bytes.size()));
            if (piece.isEmpty()) break;
            bytes += piece;
            lineEnds += piece.count('\n');
            if (bytes.size() > maxBytes && lineEnds < maxLines) return false;
        }
    }
    SplitLines(bytes, lines, maxLines);
    return true;
}
