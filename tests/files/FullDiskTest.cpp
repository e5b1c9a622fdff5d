// The atomic writer on a real file system that fills: a tiny tmpfs, mounted when the tests run
// as root (skipped elsewhere, and where the system refuses the mount).
#include "files/AtomicWrite.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// A 64 KiB tmpfs on a fresh folder, unmounted however the test ends.
struct TinyDisk {
    TinyDisk() { mounted = ::mount("tmpfs", path(), "tmpfs", 0, "size=64k") == 0; }
    ~TinyDisk() {
        if (mounted) ::umount(path());
    }
    const char* path() const { return where.constData(); }
    QTemporaryDir folder;
    QByteArray where = QFile::encodeName(folder.path());
    bool mounted = false;
};

bool writeWhole(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

TEST(FullDisk, AFailedReplaceLeavesTheOldFileAndNoTemporary) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a tmpfs needs root";
    TinyDisk disk;
    if (!disk.mounted) GTEST_SKIP() << "the system refused the tmpfs: " << std::strerror(errno);
    const QString root = QFile::decodeName(disk.path());
    const QByteArray old(8192, '\x2A'), picture(16384, '\x55');
    ASSERT_TRUE(writeWhole(root + "/old.hgr", old));
    // Fill what is left, leaving less room than the new picture needs.
    for (int i = 0; writeWhole(root + QStringLiteral("/fill%1").arg(i), QByteArray(4096, 0)); ++i) {
    }
    QFile::remove(root + "/fill0");

    const AtomicWrite result =
        writeBytesAtomically(disk.where.toStdString() + "/old.hgr", picture.data(), picture.size());
    EXPECT_EQ(result.status, WriteStatus::Failed);
    EXPECT_EQ(result.error, ENOSPC) << std::strerror(result.error);
    QFile kept(root + "/old.hgr");
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), old);
    int leftovers = 0;
    for (const QString& name : QDir(root).entryList(QDir::Files | QDir::Hidden))
        leftovers += name.startsWith('.');
    EXPECT_EQ(leftovers, 0) << "the temporary file stayed behind";
}
