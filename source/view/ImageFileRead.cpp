// Qt's readers decode what they can and say little about what they could not: a JPEG cut short
// decodes with grey in place of the missing rows and only a warning. The warning is caught while
// the reader runs, so a truncated file is refused like any other bad file.
#include "view/ImageFileRead.h"

#include <QColorSpace>
#include <QFileInfo>
#include <QImageReader>

namespace {

QtMessageHandler previousHandler = nullptr;
QString* caughtWarning = nullptr;

void catchReaderWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (caughtWarning != nullptr && type == QtWarningMsg &&
        text.contains(QLatin1String("premature end"), Qt::CaseInsensitive)) {
        *caughtWarning = text.trimmed();
        return;
    }
    if (previousHandler != nullptr) previousHandler(type, context, text);
}

ImageRead failure(const QString& reason) {
    ImageRead read;
    read.reason = reason;
    return read;
}

QString tooLarge(qint64 width, qint64 height) {
    return QStringLiteral("Image too large (%1 x %2 pixels; the limit is %3 megapixels and %4 "
                          "pixels a side)")
        .arg(width)
        .arg(height)
        .arg(kMaxImportPixels / 1'000'000)
        .arg(kMaxImportSide);
}

// Decoded images of the largest allowed size, 16 bits a channel, must not be refused by Qt's
// own allocation limit: the size check before decoding is the limit.
constexpr int kAllocationLimitMegabytes = static_cast<int>(kMaxImportPixels * 8 / (1 << 20)) + 64;

} // namespace

ImageRead imageForImport(const QImage& decoded) {
    if (decoded.isNull()) return failure(QStringLiteral("No image"));
    if (!ImportSizeAllowed(decoded.width(), decoded.height()))
        return failure(tooLarge(decoded.width(), decoded.height()));
    QImage image = decoded;
    if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb))
        image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
    ImageRead read;
    read.ok = true;
    read.image = image.convertToFormat(QImage::Format_RGBA8888);
    return read;
}

ImageRead readImageForImport(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return failure(QStringLiteral("File not found"));
    if (!info.isFile()) return failure(QStringLiteral("Not an image file"));
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        if (reader.error() == QImageReader::FileNotFoundError) // could not be opened
            return failure(QStringLiteral("Cannot open (%1)")
                               .arg(reader.device() != nullptr ? reader.device()->errorString()
                                                               : reader.errorString()));
        return failure(QStringLiteral("Not an image (no reader knows its format)"));
    }
    const QSize size = reader.size();
    if (size.isValid() && !ImportSizeAllowed(size.width(), size.height()))
        return failure(tooLarge(size.width(), size.height()));

    QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
    QString warning;
    caughtWarning = &warning;
    previousHandler = qInstallMessageHandler(catchReaderWarnings);
    QImage decoded;
    const bool read = reader.read(&decoded);
    qInstallMessageHandler(previousHandler);
    caughtWarning = nullptr;
    if (!read)
        return failure(QStringLiteral("Cannot read the image (%1)").arg(reader.errorString()));
    if (!warning.isEmpty())
        return failure(QStringLiteral("Cannot read the image (%1)").arg(warning));
    return imageForImport(decoded);
}

SourceImage sourceOf(const QImage& image) {
    return SourceImage{image.constBits(), image.width(), image.height(), image.bytesPerLine()};
}

bool isImageFileForImport(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) return false;
    if (QImageReader::supportedImageFormats().contains(info.suffix().toLower().toLatin1()))
        return true;
    if (info.size() >= kBankSize) return false; // a picture file, whatever its first bytes
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.canRead();
}
