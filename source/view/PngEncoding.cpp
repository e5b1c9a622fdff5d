// The QImage face of the PNG writer: any image format goes in as RGBA bytes, row by row.
// The writer is the one orvel-convert uses, so an export and a conversion are the same file.
#include "view/PngEncoding.h"

#include "files/PngWriter.h"

#include <QCoreApplication>

#include <vector>

PngEncoding encodePng(const QImage& picture) {
    PngEncoding result;
    const QImage rgba = picture.format() == QImage::Format_RGBA8888
                            ? picture
                            : picture.convertToFormat(QImage::Format_RGBA8888);
    std::vector<const std::uint8_t*> rows;
    for (int y = 0; y < rgba.height(); ++y)
        rows.push_back(rgba.constScanLine(y));
    const std::string png = rgba.isNull() ? std::string() : encodePngRows(rgba.width(), rows);
    if (png.empty()) {
        result.error = QCoreApplication::translate("PngEncoding", "Cannot encode PNG");
        return result;
    }
    result.bytes = QByteArray(png.data(), static_cast<qsizetype>(png.size()));
    result.ok = true;
    return result;
}
