// orvel-convert --import through the real executable: images of every shape Qt reads import
// (transparent, tiny, extremely wide, 16-bit, grey, GIF, BMP), bad files fail with one line and
// write nothing, an image too large is refused from its header, -v says the measured error.
#include "ConvertTestSupport.h"

#include <QBuffer>
#include <QFileInfo>

namespace {

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage Noise(int width, int height, QImage::Format format) {
    QImage image(width, height, QImage::Format_RGBA8888);
    std::mt19937 rng(3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, rng());
    return image.convertToFormat(format);
}

// A PNG chunk: length, type and data, and the CRC-32 of type and data.
QByteArray Chunk(const QByteArray& typeAndData) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : typeAndData) {
        crc ^= static_cast<quint8>(byte);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    auto bigEndian = [](quint32 v) {
        const char bytes[] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        return QByteArray(bytes, 4);
    };
    return bigEndian(typeAndData.size() - 4) + typeAndData + bigEndian(~crc);
}

// A PNG whose header says 40000 x 40000 pixels, with a few bytes of pixel data after it.
QByteArray HugePng() {
    return QByteArray("\x89PNG\r\n\x1a\n", 8) +
           Chunk(QByteArray("IHDR\0\0\x9c\x40\0\0\x9c\x40\x08\x02\0\0\0", 17)) +
           Chunk(QByteArray("IDAT\x78\x9c\x63\0\0\0\x01\0\x01", 13));
}

// Two frames of one dot each: Qt writes no GIF, so the bytes are laid out here.
QByteArray AnimatedGif() {
    const char header[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00";
    const char frame[] = "\x21\xf9\x04\x00\x0a\x00\x00\x00\x2c\x00\x00\x00\x00\x01\x00\x01"
                         "\x00\x00\x02\x02\x44\x01\x00";
    const QByteArray one(frame, sizeof frame - 1);
    return QByteArray(header, sizeof header - 1) + one + one + ";";
}

} // namespace

TEST(ImportCommand, ImagesOfEveryShapeImportAndBadOnesFailWithOneLine) {
    QTemporaryDir dir;
    const QByteArray png = Encoded(Noise(200, 120, QImage::Format_RGB32), "PNG");
    const QByteArray jpeg = Encoded(Noise(200, 120, QImage::Format_RGB32), "JPG");
    const std::pair<const char*, QByteArray> good[] = {
        {"clear.png", Encoded(Noise(64, 48, QImage::Format_ARGB32)
                                  .convertToFormat(QImage::Format_Alpha8)
                                  .convertToFormat(QImage::Format_ARGB32),
                              "PNG")},
        {"dot.png", Encoded(QImage(1, 1, QImage::Format_RGB32), "PNG")},
        {"line.png", Encoded(Noise(10000, 1, QImage::Format_RGB32), "PNG")},
        {"deep.png", Encoded(Noise(80, 60, QImage::Format_RGBA64), "PNG")},
        {"grey.png", Encoded(Noise(80, 60, QImage::Format_Grayscale8), "PNG")},
        {"first.gif", AnimatedGif()},
        {"photo.bmp", Encoded(Noise(80, 60, QImage::Format_RGB32), "BMP")},
    };
    for (const auto& [name, bytes] : good) {
        ASSERT_TRUE(WriteFile(dir.filePath(name), bytes)) << name;
        const ProcessRun run =
            RunExecutable({"--import", "dhgr", name, "-o", "out.dgr"}, dir.path());
        EXPECT_EQ(run.status, 0) << name << ": " << run.errorLines.join('\n').toStdString();
        EXPECT_EQ(QFileInfo(dir.filePath("out.dgr")).size(), 2 * kBankSize) << name;
        QFile::remove(dir.filePath("out.dgr"));
    }
    const std::pair<const char*, QByteArray> bad[] = {
        {"text.png", "not an image at all"},
        {"cut.png", png.left(png.size() / 2)},
        {"cut.jpg", jpeg.left(jpeg.size() / 2)},
        {"huge.png", HugePng()},
    };
    QStringList arguments = {"--import", "hgr", "missing.png"};
    for (const auto& [name, bytes] : bad) {
        ASSERT_TRUE(WriteFile(dir.filePath(name), bytes)) << name;
        arguments << name;
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    const ProcessRun run = RunExecutable(arguments, dir.path());
    EXPECT_EQ(run.status, 1);
    const QStringList expected = {
        "orvel-convert: missing.png: File not found",
        "orvel-convert: text.png: Not an image (no reader knows its format)",
        "orvel-convert: cut.png: Cannot read the image (Unable to read image data)",
        "orvel-convert: cut.jpg: Cannot read the image (Corrupt JPEG data: premature end of data "
        "segment)",
        "orvel-convert: huge.png: Image too large (40000 x 40000 pixels; the limit is 100 "
        "megapixels and 30000 pixels a side)"};
    EXPECT_EQ(run.errorLines.join('\n').toStdString(), expected.join('\n').toStdString());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
}

TEST(ImportCommand, WritesScreenMemoryBesideTheImageAndSaysItsErrorWhenAsked) {
    QTemporaryDir dir;
    ASSERT_TRUE(WriteFile(dir.filePath("photo.png"),
                          Encoded(Noise(560, 192, QImage::Format_RGB32), "PNG")));
    const ProcessRun run =
        RunExecutable({"-v", "--import", "hgr", "--engine", "book", "photo.png"}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith("photo.png: mean CIEDE2000 ")) << run.out.toStdString();
    EXPECT_EQ(QFileInfo(dir.filePath("photo.hgr")).size(), kBankSize);
}
