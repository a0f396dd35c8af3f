#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/TextFile.h"

TEST(TextFile, LinesReadBackAsWrittenAndOtherBytesAsLatin1) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lines.txt");
    const QStringList written = {QString::fromUtf8("Résultats"),
                                 QString("t") + QChar::ReplacementCharacter,
                                 QString::fromUtf8("Ã©"),  // Latin-1 text that looks like UTF-8
                                 QString::fromUtf8("日本の鏡 🔭"), QString("tab\tand\x01")};
    QStringList read;
    ASSERT_TRUE(WriteTextLines(path, written));
    ASSERT_TRUE(ReadTextLines(path, read));
    EXPECT_EQ(read, written);

    // A lone surrogate has no encoding: written, and read back, as U+FFFD.
    ASSERT_TRUE(WriteTextLines(path, {QString("a") + QChar(0xD800)}));
    ASSERT_TRUE(ReadTextLines(path, read));
    EXPECT_EQ(read, QStringList({QString("a") + QChar::ReplacementCharacter}));

    // Each line that is not UTF-8 (Latin-1, a lone continuation byte, an encoded
    // surrogate) is read as Latin-1, beside lines that are.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("caf\xE9\r\n\xE6\x97\xA5\n\x80x\r\n\xED\xA0\x80");
    file.close();
    ASSERT_TRUE(ReadTextLines(path, read));
    EXPECT_EQ(read,
              QStringList({QString::fromUtf8("café"), QString::fromUtf8("日"),
                           QString::fromLatin1("\x80x"), QString::fromLatin1("\xED\xA0\x80")}));
}

TEST(TextFile, OnlyRegularFilesAreReadAndOnlyTheLinesAsked) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QStringList lines;
    EXPECT_FALSE(ReadTextLines(pipe, lines));  // without a writer: must not wait for one
    EXPECT_FALSE(ReadTextLines(dir.path(), lines));
    EXPECT_FALSE(CopyFileWhole(pipe, dir.filePath("copy.ini")));

    // The lines asked for must fit the byte limit; what follows them is not read.
    const QString path = dir.filePath("long.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(5000, 'x') + "\nshort\n" + QByteArray(1 << 20, 'y'));
    file.close();
    EXPECT_FALSE(ReadTextLines(path, lines));
    EXPECT_FALSE(ReadTextLines(path, lines, 4096, 2));
    ASSERT_TRUE(ReadTextLines(path, lines, 8192, 2));
    EXPECT_EQ(lines.value(1), "short");
}
