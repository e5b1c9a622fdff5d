// The picture view. Everything that changes the picture ends in renderImage(), which runs the
// core's render pipeline; this class adds only what is about Qt: the image, the size, events.
#include "view/OrvelWidget.h"

#include "core/Core.h"
#include "view/ImageFileRead.h"
#include "view/PictureFile.h"
#include "view/PicturePainting.h"
#include "view/TextPicture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

RGBAStore StoreOf(QImage& image) {
    return RGBAStore{image.bits(), image.bytesPerLine()};
}

std::int16_t ToShort(int value) {
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

} // namespace

OrvelWidget::OrvelWidget(QWidget* parent) : QWidget(parent), globalsRec(&globals) {
    setAcceptDrops(true);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    InitGlobalsRec(globalsRec);
    globalsP = globalsRec;
    renderImage();
}

OrvelWidget::~OrvelWidget() {
    ReleaseGlobalsRec(globalsRec);
    if (globalsP == globalsRec) globalsP = nullptr;
}

// The one offscreen buffer: kept while its size fits, replaced only when it does not. Writing
// goes through bits(), so a copy held elsewhere (an overlay) keeps the old picture.
RGBAStore OrvelWidget::offscreenStore(int width, int height) {
    if (offscreenImage.width() != width || offscreenImage.height() != height ||
        offscreenImage.format() != QImage::Format_RGBA8888)
        offscreenImage = QImage(width, height, QImage::Format_RGBA8888);
    return StoreOf(offscreenImage);
}

void OrvelWidget::renderImage() {
    RenderPicture(globalsRec, offscreenStore(kOffscreenDots, kLines));
    const Rect shown = GetScreenSize();
    setFixedSize(shown.right - shown.left, shown.bottom - shown.top);
    update();
}

void OrvelWidget::prepareOffscreen() {
    if (globalsRec->pixelDepth == 1) {
        PrepareMonoStore(globalsRec);
        return;
    }
    PrepareRGBAStore(globalsRec, offscreenStore(kOffscreenDots, kLines));
}

void OrvelWidget::monoToRGBA(int width, int height) {
    MonoToRGBA(globalsRec, offscreenStore(width, height), width, height);
}

void OrvelWidget::clearPicture() {
    std::fill(std::begin(globalsRec->auxMem), std::end(globalsRec->auxMem), 0);
    std::fill(std::begin(globalsRec->mainMem), std::end(globalsRec->mainMem), 0);
    globalsRec->isDHGR = true;
    renderImage();
}

void OrvelWidget::showOverlayImage(const QImage& image) {
    overlayImage = image;
    overlayShownB = true;
    update();
}

void OrvelWidget::dismissOverlay() {
    overlayShownB = false;
    overlayImage = QImage();
    update();
}

bool OrvelWidget::loadFile(const QString& path) {
    const PictureLoad load = loadPictureInto(globalsRec, path);
    if (!load.ok) {
        emit statusMessage(load.error);
        return false;
    }
    renderImage();
    emit statusMessage(tr("Loaded: %1").arg(path));
    return true;
}

void OrvelWidget::loadTextScreen(const QString& screenText) {
    DrawTextScreenPicture(globalsRec, screenText);
    renderImage();
}

void OrvelWidget::convertToDHGR() {
    if (globalsRec->isDHGR) return;
    ConvertRecordToDHGR(globalsRec);
    renderImage();
}

void OrvelWidget::shiftImage(bool left) {
    ShiftRecord(globalsRec, left);
    renderImage();
}

QPoint OrvelWidget::screenToOffs(QPoint position) const {
    int x = position.x(), y = position.y();
    switch (globalsRec->screenSize) {
    case 2:
        x /= 2;
        y /= 4;
        break;
    case 0:
        x *= 2;
        break;
    default:
        y /= 2;
        break;
    }
    if (globalsRec->aspectCorrect == 1) x = static_cast<int>(std::trunc(x / 0.9));
    if (globalsRec->aspectCorrect == 2) x = static_cast<int>(std::trunc(x / 0.84));
    return QPoint(x, y);
}

QPoint OrvelWidget::eventToOffs(const QPointF& position) const {
    return screenToOffs(position.toPoint()); // rounds halves away from zero
}

void OrvelWidget::mousePressEvent(QMouseEvent* event) {
    if (overlayShownB) {
        emit overlayClicked();
        return;
    }
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (!globalsRec->isDHGR) convertToDHGR(); // the pencil draws double hi-res memory only
    drawingB = true;
    lastPoint = eventToOffs(event->position());
    setCursor(Qt::CrossCursor);
}

void OrvelWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!drawingB) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint p = eventToOffs(event->position());
    globalsP = globalsRec;
    SetFullBand();
    DrawLine(Point{ToShort(lastPoint.y()), ToShort(lastPoint.x())},
             Point{ToShort(p.y()), ToShort(p.x())});
    lastPoint = p;
    renderImage();
}

void OrvelWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        drawingB = false;
        renderImage();
    }
    QWidget::mouseReleaseEvent(event);
}

void OrvelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ViewBackground());
    if (overlayShownB && !overlayImage.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(rect(), overlayImage);
        return;
    }
    if (!offscreenImage.isNull())
        paintPicture(painter, rect(), offscreenImage, globalsRec->aspectCorrect != 0);
}

void OrvelWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void OrvelWidget::dropEvent(QDropEvent* event) {
    // The first local file of the drop; folders and other URLs are passed over.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile() || QFileInfo(url.toLocalFile()).isDir()) continue;
        event->acceptProposedAction();
        if (isImageFileForImport(url.toLocalFile()))
            emit imageDropped(url.toLocalFile());
        else
            loadFile(url.toLocalFile());
        return;
    }
}
