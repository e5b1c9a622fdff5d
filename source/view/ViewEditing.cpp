// The picture view's tools and zoom: pointer events become dots for the tool state machine of
// the editing library, the view zooms around the pointer, and zoomed pictures are painted part
// by part with a dot grid, the byte boundaries, hi-res high bits and the selection.
#include "view/OrvelWidget.h"

#include "core/Core.h"
#include "edit/PointerReadout.h"
#include "view/ZoomedPicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

std::int16_t ToShort(double value) {
    return static_cast<std::int16_t>(std::clamp(std::floor(value), -32768.0, 32767.0));
}

} // namespace

void OrvelWidget::setZoom(int factor) {
    zoomFactor = std::clamp(factor, 1, kMaxZoom);
    renderImage();
}

void OrvelWidget::setTool(Tool tool) {
    stroke.cancel();
    drawingB = false;
    currentTool = tool;
    renderImage();
}

// At 1x the designed mapping, where a double hi-res dot shows one column right of the pointer.
// Zoomed, a dot is many pixels wide, so the pointer edits the dot it is on.
Point OrvelWidget::pointerDot(const QPointF& position) const {
    if (zoomFactor == 1) {
        const QPoint p = screenToOffs(position.toPoint());
        return Point{ToShort(p.y()), ToShort(p.x())};
    }
    const double column = position.x() * kOffscreenDots / width();
    const double line = position.y() * kLines / height();
    return Point{ToShort(line), ToShort(globalsRec->isDHGR ? column - 1 : column)};
}

QString OrvelWidget::readoutAt(const QPointF& position) const {
    const Point at = pointerDot(position);
    const PointerReadout readout = ReadoutAt(globalsRec, at.v, at.h);
    if (!readout.insideB) return QString();
    // The colour shown where the dot is: double hi-res dot d shows at column d + 1.
    const int column = std::min(kOffscreenDots - 1, at.h + (globalsRec->isDHGR ? 1 : 0));
    const QColor shown = offscreenImage.pixelColor(column, at.v);
    return QString::fromStdString(FormatReadout(readout, globalsRec->isDHGR)) +
           QStringLiteral("  colour %1").arg(shown.name().toUpper());
}

void OrvelWidget::pressTool(QMouseEvent* event) {
    const Point at = pointerDot(event->position());
    const bool right = event->button() == Qt::RightButton;
    if (drawingB) return; // one action at a time
    const Tool tool = right ? Tool::Eyedropper : currentTool;
    stroke.press(tool, at, ToolOptions{g_curColor, keepHiResB});
    if (stroke.pickedColor() >= 0) emit colorPicked(stroke.pickedColor());
    drawingB = stroke.activeB();
    if (drawingB)
        renderImage();
    else
        finishAction(); // a one-click action (fill, eyedropper): it renders once itself
}

void OrvelWidget::finishAction() {
    renderImage();
    if (CaptureScreen(globalsRec) == stroke.before()) return;
    editBefore = stroke.before();
    const Tool tool = stroke.tool();
    emit pictureEdited(tool == Tool::Select ? tr("Move Selection") : tr(ToolName(tool)));
}

void OrvelWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && drawingB) {
        stroke.cancel();
        drawingB = false;
        renderImage();
        return;
    }
    QWidget::keyPressEvent(event);
}

void OrvelWidget::leaveEvent(QEvent* event) {
    emit pointerReadout(QString());
    QWidget::leaveEvent(event);
}

void OrvelWidget::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    const int factor = event->angleDelta().y() > 0 ? zoomFactor * 2 : zoomFactor / 2;
    zoomAround(factor, event->position());
    event->accept();
}

// The picture point under `anchor` stays under it: the scroll area around the view is moved by
// what the point moved.
void OrvelWidget::zoomAround(int factor, const QPointF& anchor) {
    const int before = zoomFactor;
    setZoom(factor);
    if (zoomFactor == before) return;
    auto* area =
        parentWidget() ? qobject_cast<QScrollArea*>(parentWidget()->parentWidget()) : nullptr;
    if (area == nullptr) return;
    const QPointF moved = anchor * (double(zoomFactor) / before) - anchor;
    area->horizontalScrollBar()->setValue(area->horizontalScrollBar()->value() +
                                          static_cast<int>(std::lround(moved.x())));
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->value() +
                                        static_cast<int>(std::lround(moved.y())));
}

void OrvelWidget::paintEditing(QPainter& painter, const QRect& exposed) {
    const double columnWidth = double(width()) / kOffscreenDots;
    const double lineHeight = double(height()) / kLines;
    const bool dhgr = globalsRec->isDHGR;
    if (zoomFactor > 1) {
        // Only the exposed part is composed: a 16x picture is far larger than the screen.
        const ZoomedView zoomed{columnWidth, lineHeight, zoomFactor >= 4, dhgr};
        painter.drawImage(exposed.topLeft(),
                          composeZoomed(offscreenImage, exposed, zoomed, globalsRec->mainMem));
    }
    // The column where memory dot d starts: d + 1 on double hi-res, d on hi-res.
    const int shift = dhgr ? 1 : 0;
    const DotRect& selection = stroke.selection;
    if (!selection.empty()) {
        const QRectF box((selection.left + shift) * columnWidth, selection.top * lineHeight,
                         selection.width() * columnWidth, selection.height() * lineHeight);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    }
}
