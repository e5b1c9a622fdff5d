// Text screen files on disk: round trips, refused paths, the size guard and atomic replacement.
// Every case works in its own temporary directory; huge files are sparse, so nothing big is read.
#include "text/TextScreenFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A file of the given size whose blocks are never written: sparse, so creating it costs nothing.
void makeSparseFile(const QString& path, qint64 size) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(size));
}

} // namespace

TEST(TextScreenFile, WritesMacRomanWhenPossibleAndReadsBackTheSameText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("screen.txt"));
    const QString screen = QStringLiteral("80HELLO\n") + QChar(0x00C4) + QChar(0xE000);

    const TextScreenWriteResult written = writeTextScreenFile(path, screen);
    ASSERT_TRUE(written.ok) << written.error.toStdString();
    EXPECT_TRUE(written.macRoman);
    EXPECT_EQ(fileBytes(path), QByteArray("80HELLO\n\x80\x11"));

    const TextScreenReadResult read = readTextScreenFile(path);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_EQ(read.text, screen);
}

TEST(TextScreenFile, WritesUtf8ForInverseTextAndReadsItBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("inverse.txt"));
    const QString screen = QStringLiteral("PLAIN\n") + QChar(0xF021) + QChar(0x2126);

    const TextScreenWriteResult written = writeTextScreenFile(path, screen);
    ASSERT_TRUE(written.ok);
    EXPECT_FALSE(written.macRoman);
    EXPECT_EQ(fileBytes(path), screen.toUtf8());
    EXPECT_EQ(readTextScreenFile(path).text, screen);
}

// Directories and missing files are refused with the path; the size guard is one mebibyte,
// tried on both sides, and a 4 GiB file is refused before anything is read.
TEST(TextScreenFile, RefusesWhatIsNotAReadableScreenFile) {
    QTemporaryDir dir;
    const QString atLimit = dir.filePath(QStringLiteral("at-limit.txt"));
    makeSparseFile(atLimit, kMaxTextScreenFileBytes);
    EXPECT_TRUE(readTextScreenFile(atLimit).ok);
    const QString paths[] = {dir.path(), dir.filePath(QStringLiteral("missing.txt")),
                             dir.filePath(QStringLiteral("over.txt")),
                             dir.filePath(QStringLiteral("huge.txt"))};
    makeSparseFile(paths[2], kMaxTextScreenFileBytes + 1);
    makeSparseFile(paths[3], qint64(4) * 1024 * 1024 * 1024);
    for (const QString& path : paths) {
        const TextScreenReadResult read = readTextScreenFile(path);
        EXPECT_FALSE(read.ok);
        EXPECT_TRUE(read.text.isEmpty());
        EXPECT_TRUE(read.error.contains(path)) << read.error.toStdString();
    }
    EXPECT_TRUE(readTextScreenFile(paths[3]).error.contains(QStringLiteral("too large")));
}

TEST(TextScreenFile, WritingIntoAMissingDirectoryFailsAndCreatesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no-such-dir/screen.txt"));
    const TextScreenWriteResult written = writeTextScreenFile(path, QStringLiteral("HELLO"));
    EXPECT_FALSE(written.ok);
    EXPECT_TRUE(written.error.contains(path)) << written.error.toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST(TextScreenFile, WritingOverAFileReplacesItWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("screen.txt"));
    writeBytes(path, QByteArray(5000, 'X'));
    ASSERT_TRUE(writeTextScreenFile(path, QStringLiteral("SHORT")).ok);
    EXPECT_EQ(fileBytes(path), QByteArray("SHORT"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left behind
}
