// The whole-file writer syncs the folder after the rename. This test program's
// own fsync stands before the C library's for every call made in it: it notes
// what each folder sync found in place and can make a folder sync fail as a
// disk would (EIO).

#include <dirent.h>
#include <dlfcn.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
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

// A folder the user may write but not read (mode 0300) can't be opened to be
// synced: the file is in place and the write succeeds. Run by an unprivileged
// user in a child process (root reads every folder).
TEST(TextFile, AFolderThatCannotBeReadTakesTheFileAndTheWriteSucceeds) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const passwd* nobody = ::getuid() == 0 ? ::getpwnam("nobody") : nullptr;
    if (::getuid() == 0 && !nobody) GTEST_SKIP() << "no unprivileged user to write as";
    const QString folder = dir.filePath("drop box");
    ASSERT_TRUE(QDir().mkdir(folder));
    ::chmod(QFile::encodeName(dir.path()).constData(), 0711);
    if (nobody) {
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), nobody->pw_uid, 0), 0);
    }
    ::chmod(QFile::encodeName(folder).constData(), 0300);
    const QString path = folder + "/Ten Inch.ini";

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (nobody && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
                       ::setuid(nobody->pw_uid) != 0))
            ::_exit(3);
        if (::opendir(QFile::encodeName(folder).constData())) ::_exit(2);  // reads it after all
        QString error;
        ::_exit(WriteTextLines(path, {"test 5"}, &error) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "the user reads the folder anyway";
    if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "could not become the unprivileged user";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write was reported failed";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "test 5\r\n");
}
