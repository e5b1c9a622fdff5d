// One scratch record renders every thumbnail: its settings are the view's, its banks each
// picture's in turn. The record in use (globalsP) is put back after each render.
#include "view/PictureThumbnails.h"

#include "core/RenderPipeline.h"
#include "view/PictureFileRead.h"

#include <cstring>

PictureThumbnails::PictureThumbnails(const ORVEL_GlobalsRec* settingsFrom)
    : full_(kOffscreenDots, kLines, QImage::Format_RGBA8888) {
    InitGlobalsRec(&rec_);
    std::memcpy(static_cast<void*>(&rec_), settingsFrom, kSettingsBlockSize);
}

PictureThumbnails::~PictureThumbnails() {
    ReleaseGlobalsRec(&rec_);
}

QImage PictureThumbnails::render(const Picture& picture, QSize box) {
    ORVEL_GlobalsRec* inUse = globalsP;
    setRecordPicture(&rec_, picture);
    RenderPicture(&rec_, RGBAStore{full_.bits(), full_.bytesPerLine()});
    globalsP = inUse;
    const QSize exported(kOffscreenDots, 2 * kLines);
    return full_.scaled(exported.scaled(box, Qt::KeepAspectRatio), Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
}
