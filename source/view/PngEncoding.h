// A picture encoded as PNG bytes in memory, so the file itself is written atomically in one go
// ("Save as PNG" and the window's test mode, then writeFileAtomically).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

struct PngEncoding {
    bool ok = false;
    QByteArray bytes;
    QString error;
};

// The same pixels, in the smallest form the PNG writer picks (a palette for a render).
PngEncoding encodePng(const QImage& picture);
