// Small renders of pictures for choosing among them (the pictures of a disk image), drawn with
// the engine and palette in force, so a thumbnail looks as the picture will when opened.
#pragma once

#include "core/GlobalsRec.h"
#include "formats/PictureKinds.h"

#include <QImage>
#include <QSize>

class PictureThumbnails {
public:
    // Renders with a copy of `settingsFrom`'s settings block; that record is not touched.
    explicit PictureThumbnails(const ORVEL_GlobalsRec* settingsFrom);
    ~PictureThumbnails();
    PictureThumbnails(const PictureThumbnails&) = delete;
    PictureThumbnails& operator=(const PictureThumbnails&) = delete;

    // The picture rendered and made to fit `box` in the proportions of the PNG export (562 x
    // 384), smoothed.
    QImage render(const Picture& picture, QSize box);

private:
    ORVEL_GlobalsRec rec_;
    QImage full_;
};
