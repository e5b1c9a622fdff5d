// The "Tools" dock's icons, drawn here rather than shipped: a small picture of what each tool
// draws, in the button text's colour so they follow the platform's theme.
#include "app/ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kSize = 20;

void DrawTool(QPainter& p, Tool tool, const QColor& ink) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (tool) {
    case Tool::Pencil: {
        QPainterPath pencil;
        pencil.moveTo(4, 16), pencil.lineTo(5, 12), pencil.lineTo(14, 3), pencil.lineTo(17, 6);
        pencil.lineTo(8, 15), pencil.closeSubpath();
        p.drawPath(pencil);
        break;
    }
    case Tool::Line:
        p.drawLine(QPointF(3, 17), QPointF(17, 3));
        break;
    case Tool::FilledRectangle:
        p.setBrush(ink);
        [[fallthrough]];
    case Tool::Rectangle:
        p.drawRect(QRectF(3, 5, 14, 10));
        break;
    case Tool::FilledEllipse:
        p.setBrush(ink);
        [[fallthrough]];
    case Tool::Ellipse:
        p.drawEllipse(QRectF(2.5, 4.5, 15, 11));
        break;
    case Tool::Fill: { // a tipped bucket and a drop
        QPainterPath bucket;
        bucket.moveTo(3, 9), bucket.lineTo(9, 3), bucket.lineTo(15, 9), bucket.lineTo(9, 15);
        bucket.closeSubpath();
        p.drawPath(bucket);
        p.setBrush(ink);
        p.drawEllipse(QRectF(14.5, 12, 3.5, 5));
        break;
    }
    case Tool::Eyedropper:
        p.drawLine(QPointF(3, 17), QPointF(12, 8));
        p.setBrush(ink);
        p.drawEllipse(QRectF(11, 3, 6, 6));
        break;
    case Tool::Select:
        p.setPen(QPen(ink, 1.4, Qt::DashLine));
        p.drawRect(QRectF(3, 4, 14, 12));
        break;
    }
}

} // namespace

QIcon toolIcon(Tool tool, const QColor& ink) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    DrawTool(painter, tool, ink);
    painter.end();
    return QIcon(pixmap);
}
