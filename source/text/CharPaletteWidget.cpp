// The MouseText palette: which characters it offers, where its cells lie, how it paints and
// which character a click picks.
#include "text/CharPaletteWidget.h"

#include "text/AppleIIFont.h"
#include "text/TextScreenEncoding.h"

#include <QMouseEvent>
#include <QPainter>

CharPaletteWidget::CharPaletteWidget(QWidget* parent) : QWidget(parent) {
    // The font's symbols sit at Mac OS Roman bytes 0x80..0x9F; the two command-key glyphs close
    // each column.
    const quint16* high = macRomanHighTable();
    for (int i = 0; i < 16; ++i)
        chars += QChar(high[i]);
    chars += QChar(0xE000);
    for (int i = 16; i < 32; ++i)
        chars += QChar(high[i]);
    chars += QChar(0xE001);
    rowsPerColumn = (chars.size() + 1) / 2;
    relayout();
}

void CharPaletteWidget::setGridScale(int newScale) {
    if ((newScale != 2 && newScale != 4) || newScale == scale) return;
    scale = newScale;
    relayout();
    updateGeometry();
    update();
}

void CharPaletteWidget::relayout() {
    setFixedSize(2 * cellSide(), rowsPerColumn * cellSide());
}

QRect CharPaletteWidget::cellRect(int index) const {
    const int side = cellSide();
    return QRect((index / rowsPerColumn) * side, (index % rowsPerColumn) * side, side, side);
}

void CharPaletteWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x22, 0x22, 0x22));
    const QString family = appleIIFontFamily();
    if (family.isEmpty()) return;
    QFont font(family);
    font.setPixelSize(9 * scale);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    painter.setFont(font);
    if (chars.isEmpty()) return;
    for (int i = 0; i < chars.size(); ++i) {
        const QRect cell = cellRect(i);
        // One pixel narrower and lower, so the outline covers the cell's outermost pixels.
        painter.setPen(QPen(QColor(0x44, 0x44, 0x44), 1));
        painter.drawRect(cell.x(), cell.y(), cell.width() - 1, cell.height() - 1);
        painter.setPen(Qt::white);
        painter.drawText(cell, Qt::AlignCenter, QString(chars[i]));
    }
}

void CharPaletteWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    for (int i = 0; i < chars.size(); ++i)
        if (cellRect(i).contains(at)) {
            emit characterClicked(chars[i]);
            return;
        }
}
