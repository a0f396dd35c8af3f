#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "platform/TextFile.h"

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(TextFile, EachLineIsUtf8WhenValidAndLatin1Otherwise) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lines.txt");
    // Latin-1, U+FFFD in UTF-8, a CJK character, control bytes, a lone UTF-8
    // continuation byte and an encoded surrogate (not UTF-8).
    WriteBytes(
        path,
        "caf\xE9\r\nMiroir t\xEF\xBF\xBD\r\n\xE6\x97\xA5\nA\x01\x1B\r\n\x80x\r\n\xED\xA0\x80");
    QStringList lines;
    ASSERT_TRUE(ReadTextLines(path, lines));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QString::fromUtf8("café"));
    EXPECT_EQ(lines[1], QString("Miroir t") + QChar::ReplacementCharacter);
    EXPECT_EQ(lines[2], QString::fromUtf8("日"));
    EXPECT_EQ(lines[3], QString("A\x01\x1B"));
    EXPECT_EQ(lines[4], QString::fromLatin1("\x80x"));
    EXPECT_EQ(lines[5], QString::fromLatin1("\xED\xA0\x80"));
}

TEST(TextFile, EveryWrittenLineReadsBackTheSame) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lines.txt");
    const QStringList written = {
        QString::fromUtf8("Résultats"),
        QString("t") + QChar::ReplacementCharacter,
        QString::fromUtf8("Ã©"),  // Latin-1 text that looks like UTF-8 bytes
        QString::fromUtf8("日本の鏡 🔭"),
        QString("tab\tand\x01control"),
        "",
        "plain",
    };
    ASSERT_TRUE(WriteTextLines(path, written));
    QStringList read;
    ASSERT_TRUE(ReadTextLines(path, read));
    EXPECT_EQ(read, written);

    // A lone surrogate has no encoding: it is written, and read back, as U+FFFD.
    ASSERT_TRUE(WriteTextLines(path, {QString("a") + QChar(0xD800) + "b"}));
    ASSERT_TRUE(ReadTextLines(path, read));
    EXPECT_EQ(read, QStringList({QString("a") + QChar::ReplacementCharacter + "b"}));
}

TEST(TextFile, OnlyRegularFilesAreRead) {
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QStringList lines;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(ReadTextLines(pipe, lines));  // no writer: must not wait for one
    EXPECT_FALSE(ReadTextLines(pipe, lines, 1 << 20, 51));
    EXPECT_FALSE(ReadTextLines(dir.path(), lines));
    EXPECT_FALSE(ReadTextLines(dir.filePath("missing.ini"), lines));
    EXPECT_FALSE(CopyFileWhole(pipe, dir.filePath("copy.ini")));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(QFile::exists(dir.filePath("copy.ini")));
}

TEST(TextFile, ReadsOnlyTheLinesItNeeds) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.ini");
    WriteBytes(path, "one\r\ntwo\r\nthree\r\n");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(50 << 20));  // 50 MB of NUL bytes after the lines
    }
    QStringList lines;
    EXPECT_FALSE(ReadTextLines(path, lines));  // the whole file is far too large
    ASSERT_TRUE(ReadTextLines(path, lines, 1 << 20, 3));
    EXPECT_EQ(lines, QStringList({"one", "two", "three"}));
    ASSERT_TRUE(ReadTextLines(path, lines, 1 << 20, 2));
    EXPECT_EQ(lines, QStringList({"one", "two"}));

    // A short file gives the lines it has; lines that don't fit the limit fail.
    WriteBytes(path, "one\ntwo");
    ASSERT_TRUE(ReadTextLines(path, lines, 1 << 20, 51));
    EXPECT_EQ(lines, QStringList({"one", "two"}));
    WriteBytes(path, QByteArray(5000, 'x') + "\nshort\n");
    EXPECT_FALSE(ReadTextLines(path, lines, 4096, 2));
    EXPECT_TRUE(ReadTextLines(path, lines, 8192, 2));
}

TEST(TextFile, CopyReplacesTheTargetWhole) {
    QTemporaryDir dir;
    const QString from = dir.filePath("quenz.ini");
    const QString to = dir.filePath("quenz.ini.bak");
    QByteArray bytes(3 << 20, '\0');
    for (int i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 4096);
    WriteBytes(from, bytes);
    WriteBytes(to, "an older copy that is longer than nothing\r\n");
    ASSERT_TRUE(CopyFileWhole(from, to));
    EXPECT_EQ(ReadBytes(to), bytes);
    EXPECT_EQ(ReadBytes(from), bytes);
}
