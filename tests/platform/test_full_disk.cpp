#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/FullDisk.h"
#include "mirror/MirrorProfile.h"
#include "platform/PictureCanvas.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"
#include "sim/SimSettings.h"

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

}  // namespace

// A disk that fills after 16 bytes: every writer fails and says why, and the
// file it would have replaced is left byte for byte, with nothing beside it.
TEST(FullDiskTest, EveryWriterFailsAndKeepsTheOldFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SetAppPath(dir.path());
    const QString settings = dir.filePath("quenz.ini"), copy = dir.filePath("Bessel.dat");
    const QString source = dir.filePath("source.dat"), sim = dir.filePath("simulator.ini");
    const QString profile = dir.filePath("mirrors/Ten Inch.ini");
    const QString bitmap = dir.filePath("Zone1rep0.bmp");
    ASSERT_TRUE(WriteTextLines(settings, {"True", "&L/R Reverse"}));
    ASSERT_TRUE(WriteFileWhole(source, QByteArray(300, 'b')));
    ASSERT_TRUE(WriteFileWhole(copy, "an older copy"));
    ASSERT_TRUE(WriteMirrorProfile("Ten Inch", {"Ten Inch", "10", "100", "-1", "2", "4", "5"}));
    ASSERT_TRUE(WriteFileWhole(sim, "simulator\r\n"));
    ASSERT_TRUE(WriteFileWhole(bitmap, "BM an older bitmap"));
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    const QByteArray oldProfile = Bytes(profile), oldSettings = Bytes(settings);

    QString errors[5];
    bool written[6];
    {
        FullDisk full(16);
        written[0] = WriteTextLines(settings, QStringList(51, "False"), &errors[0]);
        written[1] = CopyFileWhole(source, copy, &errors[1]);
        written[2] = CopyFileWhole(source, dir.filePath("figure45.exe"), &errors[2]);
        written[3] = WriteMirrorProfile("Ten Inch", {"Ten Inch", "10", "100", "-1", "2", "4", "6"},
                                        &errors[3]);
        written[4] = SaveSimSettings(sim, SimSettings(), &errors[4]);
        PictureCanvas canvas(8, 8);
        written[5] = canvas.SaveImageBitmap(bitmap);
    }
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(written[i]) << "writer " << i;
    for (const QString& error : errors) {
        EXPECT_EQ(error, "File too large");
        EXPECT_TRUE(IsOutOfSpaceError(error));  // the user is told to free some space
    }
    EXPECT_TRUE(IsOutOfSpaceError("No space left on device"));
    EXPECT_FALSE(IsOutOfSpaceError("Not a directory"));
    EXPECT_EQ(Bytes(settings), oldSettings);
    EXPECT_EQ(Bytes(copy), "an older copy");
    EXPECT_EQ(Bytes(profile), oldProfile);
    EXPECT_EQ(Bytes(sim), "simulator\r\n");
    EXPECT_EQ(Bytes(bitmap), "BM an older bitmap");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), files);
    EXPECT_EQ(QDir(dir.filePath("mirrors")).entryList(QDir::Files), QStringList{"Ten Inch.ini"});
}
