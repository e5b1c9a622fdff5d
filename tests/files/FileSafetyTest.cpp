// Every writer under a disk that fills after N bytes (the write seam), targets that are not
// regular files, names that are not UTF-8, the system's reasons on reading, and PNG pixels.
#include "convert/ConvertOptions.h"
#include "convert/PictureConverter.h"
#include "files/AtomicWrite.h"
#include "files/PngWriter.h"
#include "support/TestFiles.h"
#include "support/TestSeeds.h"
#include "text/TextScreenFile.h"
#include "view/PictureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// The disk takes `room` more bytes, then every write fails as a full disk does.
long room = 0;
long fillingWrite(int fd, const void* data, std::size_t size) {
    if (room <= 0) return errno = ENOSPC, -1;
    const long count = ::write(fd, data, std::min(size, static_cast<std::size_t>(room)));
    room -= count;
    return count;
}

// Puts the system's write back however the test ends.
struct WriteSeam {
    explicit WriteSeam(long (*call)(int, const void*, std::size_t)) {
        WriteSteps steps = systemWriteSteps();
        steps.write = call;
        setWriteStepsForTesting(steps);
    }
    ~WriteSeam() { setWriteStepsForTesting(systemWriteSteps()); }
};

} // namespace

TEST(FileSafety, AFullDiskOrAnOddTargetLeavesWhatWasThere) {
    QTemporaryDir dir;
    const QString old = dir.filePath("old.dgr");
    const QByteArray original = SeededBytes(1, 2 * kBankSize);
    ConvertOptions options;
    options.output = old.toStdString();
    options.format = OutputFormat::Dhgr;
    ASSERT_TRUE(WriteFile(dir.filePath("in.dgr"), SeededBytes(2, 2 * kBankSize)));
    const std::function<QString()> writers[] = {
        [&] { return writeFileAtomically(old, QByteArray(2 * kBankSize, 'x')).error; },
        [&] { return writeTextScreenFile(old, QString(3000, 'A')).error; },
        [&] {
            PictureConverter converter(options, [](std::string&) { return nullptr; });
            return QString::fromStdString(
                converter.convert(dir.filePath("in.dgr").toStdString()).error);
        },
    };
    for (const long bytes : {0L, 1L, 2047L, 2999L})
        for (const auto& write : writers) {
            ASSERT_TRUE(WriteFile(old, original));
            room = bytes;
            const QString error = (WriteSeam(fillingWrite), write());
            EXPECT_TRUE(error.contains(old) && error.endsWith("No space left on device"))
                << bytes << ": " << error.toStdString();
            EXPECT_EQ(ReadFile(old), original) << bytes;
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        }

    // Only regular files are replaced (pipes: the application and converter tests), links
    // followed, their mode kept.
    const QString folder = dir.filePath("folder");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_EQ(::symlink("nothing", dir.filePath("dangling").toLocal8Bit()), 0);
    // A device of our own where allowed: root could replace /dev/null itself were the check broken.
    const bool made =
        ::mknod(dir.filePath("null").toLocal8Bit(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    const QString device = made ? dir.filePath("null") : "/dev/null";
    for (const QString& path : {folder, dir.filePath("dangling"), device})
        EXPECT_EQ(writeFileAtomically(path, "x").reason,
                  "Not a regular file, so it is not replaced")
            << path.toStdString();
    EXPECT_FALSE(QFileInfo(device).isFile());
    EXPECT_TRUE(QFileInfo(folder).isDir());

    const QString link = dir.filePath("link");
    ASSERT_TRUE(QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::link(old, link));
    ASSERT_TRUE(writeFileAtomically(link, "new").ok);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFile(old), "new");
    EXPECT_EQ(QFile::permissions(old),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);

    // A write that makes no progress at all is a full disk too, not a hang.
    const WriteSeam stalled([](int, const void*, std::size_t) { return 0L; });
    EXPECT_EQ(writeFileAtomically(old, "x").reason, "No space left on device");
}

TEST(FileSafety, EveryByteNameSurvivesAndReadersGiveTheSystemsReason) {
    for (const quint32 seed : testSeeds(20240612u)) {
        std::mt19937 rng(seed);
        for (int i = 0; i < 2000; ++i) {
            const QByteArray name = RandomBytes(rng, 1 + static_cast<int>(rng() % 12));
            ASSERT_EQ(fileNameBytes(fileNameFromBytes(name)), name) << "seed " << seed;
        }
    }
    // What random names rarely hold: an encoded surrogate, over-long and past U+10FFFF forms.
    for (const char* name : {"\xed\xa0\x80", "\xf0\x80\x80\x80", "\xf4\x90\x80\x80"})
        EXPECT_EQ(fileNameBytes(fileNameFromBytes(name)), name);
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
    ::unlink(raw.constData()); // QDir cannot remove what it cannot name
    ::unlink((raw + ".txt").constData());

    ASSERT_EQ(::symlink("loop", dir.filePath("loop").toLocal8Bit()), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("closed"));
    ASSERT_TRUE(WriteFile(dir.filePath("closed/pic.hgr"), QByteArray(kBankSize, 'x')));
    ::chmod(dir.filePath("closed").toLocal8Bit(), 0);
    auto picture = [&](const char* file) {
        return loadPictureInto(&rec, dir.filePath(file)).reason;
    };
    auto text = [&](const char* file) { return readTextScreenFile(dir.filePath(file)).reason; };
    EXPECT_EQ(QStringList({picture("loop"), picture("none"), text("loop"), text("none")}),
              QStringList({"Cannot open (Too many levels of symbolic links)", "File not found",
                           "Cannot open text screen (Too many levels of symbolic links)",
                           "File not found"}));
    EXPECT_EQ(picture("closed/pic.hgr"), // root searches any folder
              ::geteuid() != 0 ? "Cannot open (Permission denied)" : "");
    ::chmod(dir.filePath("closed").toLocal8Bit(), 0700);
    ReleaseGlobalsRec(&rec);
}

TEST(FileSafety, PngsDecodeToTheSamePixelsAtEveryDepth) {
    for (const quint32 seed : testSeeds(20240612u)) {
        std::mt19937 rng(seed);
        // Colour counts on both sides of each bit depth, of the palette, and with translucency.
        for (const int colours : {1, 2, 3, 4, 5, 16, 17, 256, 257, -300}) {
            const int width = 1 + static_cast<int>(rng() % 70), height = 1 + rng() % 9;
            std::vector<std::uint32_t> palette, pixels(static_cast<std::size_t>(width) * height);
            for (int i = 0; i < std::abs(colours); ++i)
                palette.push_back(colours < 0 ? rng() : (rng() | 0xFF000000u));
            for (std::size_t i = 0; i < pixels.size(); ++i)
                pixels[i] = palette[i < palette.size() ? i : rng() % palette.size()];
            std::vector<const std::uint8_t*> rows;
            for (int y = 0; y < height; ++y) // each row twice, as the export does
                rows.insert(rows.end(), 2,
                            reinterpret_cast<const std::uint8_t*>(&pixels[y * width]));
            const QImage decoded =
                QImage::fromData(QByteArray::fromStdString(encodePngRows(width, rows)), "PNG")
                    .convertToFormat(QImage::Format_RGBA8888);
            ASSERT_EQ(decoded.size(), QSize(width, 2 * height)) << colours << " seed " << seed;
            for (int y = 0; y < 2 * height; ++y)
                ASSERT_EQ(std::memcmp(decoded.constScanLine(y), rows[y], 4 * width), 0)
                    << colours << " colours, row " << y << ", seed " << seed;
        }
    }
}
