// The picture view. Everything that changes the picture ends in renderImage(), which runs the
// core's render pipeline; this class adds only what is about Qt: the image, the size, events.
#include "view/OrvelWidget.h"

#include "core/Core.h"
#include "view/PictureFile.h"
#include "view/PicturePainting.h"
#include "view/TextPicture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMetaMethod>
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

} // namespace

OrvelWidget::OrvelWidget(QWidget* parent) : QWidget(parent), globalsRec(&globals) {
    setAcceptDrops(true);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::ClickFocus); // Esc reaches the tool in progress
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
    setFixedSize(zoomFactor * (shown.right - shown.left), zoomFactor * (shown.bottom - shown.top));
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
    stroke.dropSelection();
    renderImage();
    emit pictureLoaded();
    emit statusMessage(tr("Loaded: %1").arg(path));
    return true;
}

void OrvelWidget::loadTextScreen(const QString& screenText) {
    DrawTextScreenPicture(globalsRec, screenText);
    renderImage();
}

void OrvelWidget::loadTextScreen(const QString& rows, bool eighty) {
    DrawTextScreenPicture(globalsRec, rows, eighty);
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
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressTool(event);
}

void OrvelWidget::mouseMoveEvent(QMouseEvent* event) {
    emit pointerReadout(readoutAt(event->position()));
    if (!drawingB) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    stroke.move(pointerDot(event->position()), event->modifiers() & Qt::ShiftModifier);
    renderImage();
}

void OrvelWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && drawingB) {
        stroke.release(pointerDot(event->position()), event->modifiers() & Qt::ShiftModifier);
        drawingB = false;
        finishAction();
    }
    QWidget::mouseReleaseEvent(event);
}

void OrvelWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (zoomFactor == 1 || offscreenImage.isNull() || overlayShownB)
        painter.fillRect(rect(), ViewBackground()); // zoomed, the picture covers the view
    if (overlayShownB && !overlayImage.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(rect(), overlayImage);
        return;
    }
    if (offscreenImage.isNull()) return;
    if (zoomFactor == 1)
        paintPicture(painter, rect(), offscreenImage, globalsRec->aspectCorrect != 0);
    paintEditing(painter, event->rect());
}

void OrvelWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void OrvelWidget::dropEvent(QDropEvent* event) {
    // The first local file of the drop; folders and other URLs are passed over.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile() || QFileInfo(url.toLocalFile()).isDir()) continue;
        event->acceptProposedAction();
        // A window that hosts the view opens the file as its document; a bare view loads it.
        if (isSignalConnected(QMetaMethod::fromSignal(&OrvelWidget::fileDropped)))
            emit fileDropped(url.toLocalFile());
        else
            loadFile(url.toLocalFile());
        return;
    }
}
