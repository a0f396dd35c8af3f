// The whole-file writer syncs the folder after the rename. This test program's
// own fsync stands before the C library's for every call made in it: it notes
// what each folder sync found in place and can make a folder sync fail as a
// disk would (EIO).

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <utility>

#include "platform/TextFile.h"

namespace {

struct FolderSyncs {
    bool watch = false, fail = false;
    QString target;          // the file whose content each folder sync notes
    QList<QByteArray> seen;  // the target's content at each folder sync
    QList<ino_t> folders;    // the folder synced
};
FolderSyncs syncs;

}  // namespace

extern "C" int fsync(int fd) {
    static const auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    struct stat info = {};
    if (syncs.watch && ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        QFile file(syncs.target);
        syncs.seen << (file.open(QIODevice::ReadOnly) ? file.readAll() : "missing");
        syncs.folders << info.st_ino;
        if (syncs.fail) return errno = EIO, -1;
    }
    return real(fd);
}

// The folder is synced once, after the new file took the old one's place; a
// folder sync that fails fails the write with the system's reason.
TEST(TextFile, TheFolderIsSyncedAfterTheRenameAndItsFailureIsReported) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    syncs.target = dir.filePath("Ten Inch.ini");
    ASSERT_TRUE(WriteFileWhole(syncs.target, "test 4"));
    struct stat folder = {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.path()).constData(), &folder), 0);
    QString error;

    syncs.watch = true;
    const bool saved = WriteFileWhole(syncs.target, "test 5", &error);
    syncs.fail = true;
    const bool failed = WriteTextLines(syncs.target, {"test 6"}, &error);
    const FolderSyncs seen = std::exchange(syncs, FolderSyncs());

    EXPECT_TRUE(saved);
    EXPECT_FALSE(failed);
    EXPECT_EQ(error, "Input/output error");
    EXPECT_EQ(seen.seen, (QList<QByteArray>{"test 5", "test 6\r\n"}));
    EXPECT_EQ(seen.folders, (QList<ino_t>{folder.st_ino, folder.st_ino}));
}
