// Text screen files on disk: round trips in both forms, refused paths and the size guard. Huge
// files are sparse, so nothing big is read; writing safely is the file safety tests' matter.
#include "text/TextScreenFile.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A file of the given size whose blocks are never written: sparse, so creating it costs nothing.
void makeSparseFile(const QString& path, qint64 size) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(size));
}

} // namespace

// Mac OS Roman when every character fits, else the whole text as UTF-8 (here for an inverse
// character); each written over the last and read back the same.
TEST(TextScreenFile, WritesMacRomanWhenPossibleAndReadsBackTheSameText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("screen.txt"));
    const std::tuple<QString, QByteArray, bool> cases[] = {
        {QStringLiteral("80HELLO\n") + QChar(0x00C4) + QChar(0xE000), "80HELLO\n\x80\x11", true},
        {QStringLiteral("PLAIN\n") + QChar(0xF021) + QChar(0x2126),
         "PLAIN\n\xEF\x80\xA1\xE2\x84\xA6", false},
    };
    for (const auto& [screen, bytes, macRoman] : cases) {
        const TextScreenWriteResult written = writeTextScreenFile(path, screen);
        ASSERT_TRUE(written.ok) << written.error.toStdString();
        EXPECT_EQ(written.macRoman, macRoman);
        EXPECT_EQ(ReadFile(path), bytes);
        const TextScreenReadResult read = readTextScreenFile(path);
        EXPECT_TRUE(read.ok) << read.error.toStdString();
        EXPECT_EQ(read.text, screen);
    }
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
