#pragma once

#include <QString>
#include <QStringList>

// Every file the program writes is built whole and replaces the old file only
// when complete: the text goes to a temporary file in the same folder, which is
// then renamed over the old one. On failure the old file is untouched and
// *error (when given) says why.
bool WriteFileWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// The lines joined with CR LF, followed by one CR LF, written whole (UTF-8).
bool WriteTextLines(const QString& path, const QStringList& lines, QString* error = nullptr);

// Appends text to a file (the debug log is the only file the program appends to).
bool AppendText(const QString& path, const QString& text, QString* error = nullptr);

// Reads a text file line by line; lines may end in CR LF or LF, and a final line
// end does not make an extra empty line. Files larger than maxBytes are refused
// (a settings or profile file is a few hundred bytes; anything huge is not ours).
bool ReadTextLines(const QString& path, QStringList& lines, qint64 maxBytes = 1 << 20);

// Windows-style line end of every file the program writes.
inline constexpr const char* kCrLf = "\r\n";
