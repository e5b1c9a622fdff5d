// The writer's steps in their order (data, sync, rename) and a failure at each, targets the user
// may not write (by their mode, and as an unprivileged user), the longest names, owner and group.
#include "files/AtomicWrite.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string journal;  // one letter a step: w(rite), s(ync), r(ename)
char failingStep = 0; // the step that fails, with EIO

long writeStep(int fd, const void* data, std::size_t size) {
    journal += 'w';
    return failingStep == 'w' ? (errno = EIO, -1) : ::write(fd, data, size);
}
int syncStep(int fd) {
    journal += 's';
    return failingStep == 's' ? (errno = EIO, -1) : ::fdatasync(fd);
}
int renameStep(const char* from, const char* to) {
    journal += 'r';
    return failingStep == 'r' ? (errno = EIO, -1) : ::rename(from, to);
}

struct RecordedSteps {
    RecordedSteps() { setWriteStepsForTesting({writeStep, syncStep, renameStep}); }
    ~RecordedSteps() { setWriteStepsForTesting(systemWriteSteps()); }
};

AtomicWrite write(const QString& path, const QByteArray& bytes) {
    return writeBytesAtomically(QFile::encodeName(path).toStdString(), bytes.constData(),
                                static_cast<std::size_t>(bytes.size()));
}

int filesIn(const QTemporaryDir& dir) {
    return static_cast<int>(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size());
}

} // namespace

TEST(WriterSteps, DataThenSyncThenRenameAndAFailedStepLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pic.hgr");
    const RecordedSteps recorded;
    const struct {
        char failing;
        const char* steps;
    } cases[] = {{0, "wsr"}, {'w', "w"}, {'s', "ws"}, {'r', "wsr"}};
    for (const auto& row : cases) {
        ASSERT_TRUE(WriteFile(path, "old"));
        journal.clear();
        failingStep = row.failing;
        const AtomicWrite result = write(path, "new");
        EXPECT_EQ(journal, row.steps) << row.failing;
        EXPECT_EQ(result.status == WriteStatus::Ok, row.failing == 0) << row.failing;
        EXPECT_EQ(ReadFile(path), row.failing == 0 ? "new" : "old") << row.failing;
        EXPECT_EQ(filesIn(dir), 1) << "a temporary file stayed after " << row.failing;
    }
}

TEST(WriterSteps, ReadOnlyTargetsAreRefusedAndKept) {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.png");
    for (const mode_t mode : {0444, 0400, 0}) {
        ASSERT_TRUE(WriteFile(path, "keep") && ::chmod(QFile::encodeName(path), mode) == 0);
        const AtomicWrite result = write(path, "new");
        EXPECT_EQ(result.status, WriteStatus::Failed) << std::oct << mode;
        EXPECT_EQ(result.error, EACCES) << std::oct << mode;
        ::chmod(QFile::encodeName(path), 0600);
        EXPECT_EQ(ReadFile(path), "keep") << std::oct << mode;
        EXPECT_EQ(filesIn(dir), 1);
    }
}

// As an ordinary user (nobody) in a folder anyone may write: a file of root's it may read but
// not write is refused, and its own file is replaced. (Its own protected files are refused by
// their mode, as the test above shows.)
TEST(WriterSteps, AnUnprivilegedUserCannotReplaceWhatItMayNotWrite) {
    if (::geteuid() != 0) GTEST_SKIP() << "switching users needs root";
    QTemporaryDir dir;
    ::chmod(QFile::encodeName(dir.path()), 0777);
    const QString roots = dir.filePath("roots"), own = dir.filePath("own");
    ASSERT_TRUE(WriteFile(roots, "keep") && WriteFile(own, "keep"));
    const uid_t nobody = 65534;
    ::chown(QFile::encodeName(own), nobody, nobody);
    ::chmod(QFile::encodeName(roots), 0644);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(9);
        ::_exit((write(roots, "new").error == EACCES) |
                (write(own, "new").status == WriteStatus::Ok) << 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3) << "bits: root's refused, its own written";
    EXPECT_EQ(ReadFile(roots) + ReadFile(own), "keepnew");
}

TEST(WriterSteps, TheLongestNamesSaveAndTheOwnerAndGroupStay) {
    QTemporaryDir dir;
    for (const int length : {220, 250, 255}) {
        const QString path = dir.filePath(QString(length - 4, 'p') + ".hgr");
        EXPECT_EQ(write(path, "new").status, WriteStatus::Ok) << length;
        EXPECT_EQ(write(path, "newer").status, WriteStatus::Ok) << length;
        EXPECT_EQ(ReadFile(path), "newer") << length;
    }
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file away needs root";
    const QString path = dir.filePath("theirs.dgr");
    ASSERT_TRUE(WriteFile(path, "old"));
    ASSERT_EQ(::chown(QFile::encodeName(path), 1234, 5678), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path), 0640), 0);
    ASSERT_EQ(write(path, "new").status, WriteStatus::Ok);
    struct stat facts;
    ASSERT_EQ(::stat(QFile::encodeName(path), &facts), 0);
    EXPECT_EQ(facts.st_uid, 1234u);
    EXPECT_EQ(facts.st_gid, 5678u);
    EXPECT_EQ(facts.st_mode & 07777, 0640u);
}
