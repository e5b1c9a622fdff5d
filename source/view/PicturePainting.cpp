// Painting a rendered picture at the shown size, and the exported PNG image.
// The view paints with paintPicture on itself; headless callers paint into an image.
#include "view/PicturePainting.h"

#include <QColor>
#include <QPainter>

void paintPicture(QPainter& painter, const QRect& target, const QImage& picture, bool smooth) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    painter.drawImage(target, picture);
}

QImage shownPicture(const QImage& picture, int width, int height, bool smooth) {
    QImage shown(width, height, QImage::Format_RGB32);
    shown.fill(ViewBackground());
    QPainter painter(&shown);
    paintPicture(painter, shown.rect(), picture, smooth);
    painter.end();
    return shown;
}

QImage exportedPicture(const QImage& picture) {
    return picture.scaled(picture.width(), 2 * picture.height(), Qt::IgnoreAspectRatio,
                          Qt::FastTransformation);
}
