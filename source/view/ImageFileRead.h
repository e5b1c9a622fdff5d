// Images for the importer through Qt's readers (PNG, JPEG, BMP, GIF's first frame, and whatever
// else they know): the size is checked from the header before anything is decoded, and the
// result is straight-alpha RGBA in sRGB, ready to be mapped.
#pragma once

#include "import/SourceImage.h"

#include <QImage>
#include <QString>

struct ImageRead {
    bool ok = false;
    QImage image;   // RGBA8888, sRGB, straight alpha
    QString reason; // why there is no image, in English, without the path
};

// Reads the image file at `path`.
ImageRead readImageForImport(const QString& path);

// An image already decoded (the clipboard's), checked against the same limit and converted.
ImageRead imageForImport(const QImage& image);

// The pixels of an image that readImageForImport or imageForImport gave.
SourceImage sourceOf(const QImage& image);

// True when a dropped file is an image to import rather than a picture file to open: its
// extension is one Qt's readers know, or it is too short to be a picture and they can read it.
bool isImageFileForImport(const QString& path);
