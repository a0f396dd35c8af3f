#pragma once

#include <QString>
#include <QStringList>

// Every file the program writes is built whole and replaces the old file only
// when complete: the text goes to a temporary file in the same folder, every
// write checked and the file synced to the disk, which is then renamed over the
// old one, and the folder synced so that the rename outlasts a power cut. A
// failing folder sync fails the write although the new file is in place. On
// other failures (a full disk included) the old file is untouched, no
// temporary file is left and *error (when given) says why.
bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The lines joined with CR LF, followed by one CR LF, written whole in UTF-8.
// Every line reads back as the same text through ReadTextLines (a lone UTF-16
// surrogate, which no encoding can hold, is written as U+FFFD).
bool WriteTextLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// True when a writer's error says the disk or the user's share of it is full
// (no space left, a disk quota, or a file-size limit), the failures that more
// room mends.
bool IsOutOfSpaceError(const QString& error);

// Appends text to a file (the debug log is the only file the program appends to).
bool AppendText(const QString& path, const QString& text, QString* error = nullptr);

// Copies a regular file to another path, written whole like every other file,
// with the source's permissions (a copied program stays executable). A copy that
// fails half way (a full disk) leaves no partial file behind.
bool CopyFileWhole(const QString& from, const QString& to, QString* error = nullptr);

// Reads a text file line by line; lines may end in CR LF or LF, and a final line
// end does not make an extra empty line. Each line is UTF-8 when its bytes are
// valid UTF-8 and Latin-1 otherwise, so no byte is ever lost to a replacement
// character. Only regular files are read: anything else (a folder, a named pipe,
// a device) fails at once, without waiting for a writer.
//
// With maxLines below 0 the whole file is read, and files larger than maxBytes
// are refused (a settings or profile file is a few hundred bytes; anything huge
// is not ours). With maxLines 0 or more only the first maxLines lines are read
// and the rest of the file is never looked at; they must fit in maxBytes.
bool ReadTextLines(const QString& path, QStringList& lines, qint64 maxBytes = 1 << 20,
                   int maxLines = -1);

// One line's bytes as text: UTF-8 when valid, else Latin-1.
QString DecodeTextLine(const QByteArray& bytes);

// Windows-style line end of every file the program writes.
inline constexpr const char* kCrLf = "\r\n";
