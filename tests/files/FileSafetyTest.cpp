// Every writer under a disk that fills after N bytes (the write seam), targets that are not
// regular files, names that are not UTF-8, the system's reasons on reading, and PNG pixels.
#include "convert/ConvertOptions.h"
#include "convert/PictureConverter.h"
#include "files/AtomicWrite.h"
#include "files/PngWriter.h"
#include "support/TestFiles.h"
#include "text/TextScreenFile.h"
#include "view/PictureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The disk takes `room` more bytes, then every write fails as a full disk does.
long room = 0;
long fillingWrite(int fd, const void* data, std::size_t size) {
    if (room <= 0) return errno = ENOSPC, -1;
    const long count =
        ::write(fd, data, std::min<std::size_t>(size, static_cast<std::size_t>(room)));
    room -= count;
    return count;
}

struct FillingDisk {
    explicit FillingDisk(long bytes) {
        room = bytes;
        setWriteCallForTesting(fillingWrite);
    }
    ~FillingDisk() { setWriteCallForTesting(nullptr); }
};

unsigned Seed() {
    const QByteArray given = qgetenv("ORVEL_TEST_SEED");
    return given.isEmpty() ? 20240612u : given.toUInt();
}

} // namespace

TEST(FileSafety, AFullDiskFailsEveryWriterWithItsReasonAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString old = dir.filePath("old.dgr");
    const QByteArray original = SeededBytes(1, 2 * kBankSize);
    ConvertOptions options;
    options.output = old.toStdString();
    options.format = OutputFormat::Dhgr;
    ASSERT_TRUE(WriteFile(dir.filePath("in.dgr"), SeededBytes(2, 2 * kBankSize)));
    using Writer = std::function<QString()>;
    const Writer writers[] = {
        [&] { return writeFileAtomically(old, QByteArray(2 * kBankSize, 'x')).error; },
        [&] { return writeTextScreenFile(old, QString(3000, 'A')).error; },
        [&] {
            PictureConverter converter(options, [](std::string&) { return nullptr; });
            return QString::fromStdString(
                converter.convert(dir.filePath("in.dgr").toStdString()).error);
        },
    };
    for (const long bytes : {0L, 1L, 2047L, 2999L}) {
        for (const Writer& write : writers) {
            ASSERT_TRUE(WriteFile(old, original));
            QString error;
            {
                const FillingDisk disk(bytes);
                error = write();
            }
            EXPECT_TRUE(error.contains(old) && error.endsWith("No space left on device"))
                << bytes << ": " << error.toStdString();
            EXPECT_EQ(ReadFile(old), original) << bytes;
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        }
    }
    // A write that makes no progress at all is a full disk too, not a hang.
    setWriteCallForTesting([](int, const void*, std::size_t) { return 0L; });
    EXPECT_TRUE(writeFileAtomically(old, "x").reason.contains("No space left"));
    setWriteCallForTesting(nullptr);
}

TEST(FileSafety, OnlyRegularFilesAreReplacedThroughLinksAndKeepingTheirMode) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo"), folder = dir.filePath("folder");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_EQ(::symlink("nothing", dir.filePath("dangling").toLocal8Bit()), 0);
    for (const QString& path : {fifo, folder, dir.filePath("dangling"), QString("/dev/null")}) {
        const FileWrite write = writeFileAtomically(path, "x");
        EXPECT_FALSE(write.ok) << path.toStdString();
        EXPECT_EQ(write.reason, "Not a regular file, so it is not replaced");
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile() || QFileInfo("/dev/null").isFile());
    EXPECT_TRUE(QFileInfo(folder).isDir());

    const QString target = dir.filePath("target"), link = dir.filePath("link");
    ASSERT_TRUE(WriteFile(target, "old"));
    ASSERT_TRUE(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link(target, link));
    ASSERT_TRUE(writeFileAtomically(link, "new").ok);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFile(target), "new");
    struct stat facts;
    ASSERT_EQ(::stat(target.toLocal8Bit(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0600u);
}

TEST(FileSafety, EveryByteNameSurvivesAndIsOpenedByItsBytes) {
    const unsigned seed = Seed();
    std::mt19937 rng(seed);
    for (int i = 0; i < 2000; ++i) {
        const QByteArray name = RandomBytes(rng, 1 + static_cast<int>(rng() % 12));
        ASSERT_EQ(fileNameBytes(fileNameFromBytes(name)), name) << "seed " << seed;
    }
    EXPECT_EQ(fileNameFromBytes("caf\xc3\xa9"), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(fileNameFromBytes("bad\xff").size(), 4);

    QTemporaryDir dir;
    const QByteArray raw = QFile::encodeName(dir.path()) + "/pic\xff\xfe";
    const QString name = fileNameFromBytes(raw);
    ASSERT_TRUE(writeFileAtomically(name + ".txt", "HELLO").ok);
    EXPECT_EQ(readTextScreenFile(name + ".txt").text, "HELLO");
    ASSERT_TRUE(writeFileAtomically(name, SeededBytes(3, kBankSize)).ok);
    ASSERT_EQ(::access(raw.constData(), F_OK), 0);
    ORVEL_GlobalsRec rec;
    InitGlobalsRec(&rec);
    EXPECT_TRUE(loadPictureInto(&rec, name).ok);
    ReleaseGlobalsRec(&rec);
    ::unlink(raw.constData()); // QDir cannot remove what it cannot name
    ::unlink((raw + ".txt").constData());
}

TEST(FileSafety, ReadersGiveTheSystemsReason) {
    QTemporaryDir dir;
    ASSERT_EQ(::symlink("loop", dir.filePath("loop").toLocal8Bit()), 0);
    ORVEL_GlobalsRec rec;
    InitGlobalsRec(&rec);
    EXPECT_EQ(loadPictureInto(&rec, dir.filePath("loop")).reason,
              "Cannot open (Too many levels of symbolic links)");
    EXPECT_EQ(loadPictureInto(&rec, dir.filePath("none")).reason, "File not found");
    EXPECT_EQ(readTextScreenFile(dir.filePath("loop")).reason,
              "Cannot open text screen (Too many levels of symbolic links)");
    EXPECT_EQ(readTextScreenFile(dir.filePath("none")).reason, "File not found");
    ASSERT_TRUE(QDir(dir.path()).mkdir("closed"));
    ASSERT_TRUE(WriteFile(dir.filePath("closed/pic.hgr"), QByteArray(kBankSize, 'x')));
    ::chmod(dir.filePath("closed").toLocal8Bit(), 0);
    if (::geteuid() != 0) { // root searches any folder
        EXPECT_EQ(loadPictureInto(&rec, dir.filePath("closed/pic.hgr")).reason,
                  "Cannot open (Permission denied)");
    }
    ::chmod(dir.filePath("closed").toLocal8Bit(), 0700);
    ReleaseGlobalsRec(&rec);
}

TEST(FileSafety, PngsDecodeToTheSamePixelsAtEveryDepth) {
    const unsigned seed = Seed();
    std::mt19937 rng(seed);
    // Colour counts on both sides of each bit depth, of the palette, and with translucency.
    for (const int colours : {1, 2, 3, 4, 5, 16, 17, 256, 257, -300}) {
        const int width = 1 + static_cast<int>(rng() % 70),
                  height = 1 + static_cast<int>(rng() % 9);
        std::vector<std::uint32_t> palette;
        for (int i = 0; i < std::abs(colours); ++i)
            palette.push_back(colours < 0 ? static_cast<std::uint32_t>(rng())
                                          : (rng() | 0xFF000000u));
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = palette[i < palette.size() ? i : rng() % palette.size()];
        std::vector<const std::uint8_t*> rows;
        for (int y = 0; y < height; ++y) // each row twice, as the export does
            rows.insert(rows.end(), 2, reinterpret_cast<const std::uint8_t*>(&pixels[y * width]));
        const std::string png = encodePngRows(width, rows);
        const QImage decoded = QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                                static_cast<int>(png.size()), "PNG")
                                   .convertToFormat(QImage::Format_RGBA8888);
        ASSERT_EQ(decoded.size(), QSize(width, 2 * height)) << colours << " seed " << seed;
        for (int y = 0; y < 2 * height; ++y)
            ASSERT_EQ(std::memcmp(decoded.constScanLine(y), rows[y], 4 * width), 0)
                << colours << " colours, row " << y << ", seed " << seed;
    }
}
