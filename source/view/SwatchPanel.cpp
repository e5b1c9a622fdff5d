// The colour swatch panel: paints the sixteen full colours of the palette in force (also while a
// one-bit palette shows the picture), or under the composite engine the colours its 4-dot
// patterns show, and sets the pencil colour from a click.
#include "view/SwatchPanel.h"

#include "core/CompositeColor.h"
#include "core/Palettes.h"
#include "edit/HiresColors.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

namespace {

constexpr int kCells = 16, kPitch = 26, kMargin = 4, kCellSize = 24;

} // namespace

SwatchPanel::SwatchPanel(ORVEL_GlobalsRec* rec, QWidget* parent)
    : QWidget(parent), globalsRec(rec) {
    fitToColumns();
}

SwatchPanel::~SwatchPanel() = default;

QRect SwatchPanel::cellRect(int index) const {
    const int column = index % columns, row = index / columns;
    const QPoint topLeft(kPitch * column + kMargin, kPitch * row + kMargin);
    return QRect(topLeft, topLeft + QPoint(kCellSize - 1, kCellSize - 1));
}

void SwatchPanel::setFloating(bool floating) {
    columns = floating ? 8 : 1;
    fitToColumns();
}

void SwatchPanel::setHiresColors(bool on) {
    hiresColorsB = on;
    fitToColumns();
}

ORVEL_ColorType SwatchPanel::colorOfCell(int index) const {
    return hiresColorsB ? kHiresColors[index % kHiresColorCount]
                        : static_cast<ORVEL_ColorType>(index);
}

void SwatchPanel::fitToColumns() {
    const int cells = hiresColorsB ? kHiresColorCount : kCells;
    const int rows = (cells + columns - 1) / columns;
    setFixedSize(kPitch * columns + 2 * kMargin, kPitch * rows + 2 * kMargin);
    update();
}

void SwatchPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const bool composite = CompositeEngineB(globalsRec); // colour comes from the signal there
    const int cells = hiresColorsB ? kHiresColorCount : kCells;
    for (int i = 0; i < cells; ++i) {
        const int color = colorOfCell(i);
        const std::uint32_t rgba =
            composite ? CompositeSolidRGBA(color) : PaletteRGBA(globalsRec, color);
        painter.fillRect(cellRect(i), QColor(rgba & 255, rgba >> 8 & 255, rgba >> 16 & 255));
    }
    QPen frame(Qt::white, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < cells; ++i)
        if (colorOfCell(i) == selectedColor) painter.drawRect(cellRect(i).adjusted(-1, -1, 1, 1));
}

void SwatchPanel::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int cells = hiresColorsB ? kHiresColorCount : kCells;
    for (int i = 0; i < cells; ++i) {
        if (!cellRect(i).contains(at)) continue;
        selectedColor = colorOfCell(i);
        g_curColor = selectedColor;
        update();
        emit colorSelected(selectedColor);
        return;
    }
}
