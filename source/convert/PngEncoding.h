// A picture encoded as PNG bytes in memory, so the file itself is written atomically in one go.
// Batch speed lives here: PNG compression is most of the time of a conversion.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

struct PngEncoding {
    bool ok = false;
    QByteArray bytes;
    QString error;
};

PngEncoding encodePng(const QImage& picture);

// The same pixels in the smallest form a PNG holds: an 8-bit palette when the picture has at
// most 256 colours (every unsmoothed render), else 32-bit RGB, which a PNG stores as 24-bit.
QImage compactPicture(const QImage& picture);
