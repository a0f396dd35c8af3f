#pragma once

// Helpers shared by the fuzz targets.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

// Stops the run with a message when a property fails: libFuzzer saves the input.
#define FUZZ_CHECK(condition, what)                                                            \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, __FILE__, __LINE__); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

// One program folder for the whole run, in a fresh temporary folder.
inline const QString& FuzzProgramFolder() {
    static QTemporaryDir dir;
    static const QString path = [] {
        SetAppPath(dir.path());
        return dir.path();
    }();
    return path;
}

// The first byte steers a target (which decoding, which operations); the rest
// is the data.
struct FuzzInput {
    uint8_t control = 0;
    QByteArray data;
};

inline FuzzInput SplitInput(const uint8_t* bytes, size_t size) {
    FuzzInput in;
    if (size == 0) return in;
    in.control = bytes[0];
    in.data = QByteArray(reinterpret_cast<const char*>(bytes + 1), qsizetype(size - 1));
    return in;
}

// Bytes read as the program reads a text file: written to a file in the
// program folder and read back line by line.
inline bool ReadAsTextFile(const QByteArray& bytes, const QString& name, QStringList& lines) {
    const QString path = FuzzProgramFolder() + QLatin1Char('/') + name;
    if (!WriteFileWhole(path, bytes)) return false;
    return ReadTextLines(path, lines);
}

// Lines as the program writes them (CR LF, UTF-8) and reads them back.
inline QStringList WrittenAndReadBack(const QStringList& lines, const QString& name) {
    const QString path = FuzzProgramFolder() + QLatin1Char('/') + name;
    QStringList back;
    FUZZ_CHECK(WriteTextLines(path, lines), "the lines are written");
    FUZZ_CHECK(ReadTextLines(path, back), "the written lines read back");
    return back;
}
