// The text grid's state, screen-text conversion, geometry, painting, keys and mouse. What the
// keys do to the text itself is in TextGridEditing.cpp.
#include "text/TextGridWidget.h"

#include "text/AppleIIFont.h"
#include "text/TextScreenEncoding.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr ushort kInverseFirst = 0xF000, kInverseLast = 0xF05E;
const QColor kSelectionColor(0x44, 0x44, 0xFF);
const QColor kCursorColor(0x33, 0xFF, 0x33, 0xA0);

bool isInverse(QChar ch) {
    return ch.unicode() >= kInverseFirst && ch.unicode() <= kInverseLast;
}

// The command-key glyphs are stored in files as the control bytes 0x11 and 0x12.
QString withCommandGlyphs(QString text) {
    text.replace(QChar(0x11), QChar(0xE000));
    text.replace(QChar(0x12), QChar(0xE001));
    return text;
}

// Meta with a key types the Mac OS Roman upper half's bytes 0xA0..0xDF: '@', A..Z and the five
// characters after Z give 0xA0..0xBF, space to '?' give 0xC0..0xDF. A null QChar otherwise.
QChar metaSymbol(int key) {
    if (key >= 'a' && key <= 'z') key -= 0x20;
    if (key >= 0x40 && key <= 0x5F) return QChar(macRomanHighTable()[key - 0x20]);
    if (key >= 0x20 && key <= 0x3F) return QChar(macRomanHighTable()[key + 0x20]);
    return QChar();
}

bool isMoveKey(int key) {
    return key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Left ||
           key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

TextGridWidget::TextGridWidget(QWidget* parent)
    : QWidget(parent), blinkTimer(this), changeTimer(this) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    for (int i = 0; i < kRows; ++i)
        rows.append(QString());
    updateFixedSize();
    blinkTimer.setInterval(530);
    connect(&blinkTimer, &QTimer::timeout, this, [this] {
        cursorVisibleB = !cursorVisibleB;
        update();
    });
    blinkTimer.start();
    changeTimer.setInterval(50);
    changeTimer.setSingleShot(true);
    connect(&changeTimer, &QTimer::timeout, this, &TextGridWidget::contentChanged);
}

// ---- screen text ----

QString TextGridWidget::getText() const {
    return (columns == 80 ? QStringLiteral("80") : QString()) + bodyText();
}

QString TextGridWidget::bodyText() const {
    QString text;
    int last = kRows - 1;
    while (last >= 0 && rows[last].isEmpty())
        --last;
    for (int row = 0; row <= last; ++row) {
        if (row > 0) text += QLatin1Char('\n');
        text += rows[row];
    }
    return text;
}

void TextGridWidget::setText(const QString& text) {
    // Only the exact marker means 80 columns: a 40-column screen whose first row begins with
    // the digit 8 keeps its digit and its width.
    const bool eighty = text.startsWith(QLatin1String("80"));
    setScreen(eighty ? text.mid(2) : text, eighty ? 80 : 40);
}

void TextGridWidget::setScreen(const QString& body, int columnCount) {
    columns = columnCount == 80 ? 80 : 40;
    computeCellSize();
    const QStringList parts = withCommandGlyphs(body).split(QLatin1Char('\n'));
    for (int row = 0; row < kRows; ++row)
        rows[row] = row < parts.size() ? parts[row].left(columns) : QString();
    cursorRow = cursorCol = 0;
    clearSelection();
    updateFixedSize();
    undoText.clear();
    undoAvailableB = false;
    // A fresh screen: a change still waiting to be reported belonged to the old one.
    changeTimer.stop();
    update();
}

void TextGridWidget::setColumns(int count) {
    if ((count != 40 && count != 80) || count == columns) return;
    columns = count;
    computeCellSize();
    clampCursor();
    clearSelection();
    updateFixedSize();
    emitChanged();
    update();
}

void TextGridWidget::setScale(int newScale) {
    if ((newScale != 2 && newScale != 4) || newScale == scale) return;
    scale = newScale;
    computeCellSize();
    updateFixedSize();
    update();
}

void TextGridWidget::setInverseTyping(bool on) {
    inverseTypingB = on;
}

void TextGridWidget::emitChanged() {
    changeTimer.start();
}

void TextGridWidget::flushPendingChange() {
    if (!changeTimer.isActive()) return;
    changeTimer.stop();
    emit contentChanged();
}

// ---- geometry, cursor and selection ----

void TextGridWidget::computeCellSize() {
    // An 80-column cell is half as wide: the same 7 x 8 glyph squeezed into half the width.
    cellHeight = 8 * scale;
    cellWidth = 7 * std::max(1, columns == 40 ? scale : scale / 2);
}

void TextGridWidget::updateFixedSize() {
    setFixedSize(cellWidth * columns, cellHeight * kRows);
}

QPoint TextGridWidget::cellFromPos(QPoint position) const {
    return QPoint(std::clamp(position.x() / cellWidth, 0, columns),
                  std::clamp(position.y() / cellHeight, 0, kRows - 1));
}

void TextGridWidget::clampCursor() {
    cursorRow = std::clamp(cursorRow, 0, kRows - 1);
    cursorCol = std::clamp(cursorCol, 0, columns);
}

void TextGridWidget::clearSelection() {
    anchorRow = anchorCol = -1;
    draggingB = false;
}

TextGridWidget::Span TextGridWidget::selectionSpan() const {
    const bool anchorFirst =
        anchorRow < cursorRow || (anchorRow == cursorRow && anchorCol <= cursorCol);
    if (anchorFirst) return {anchorRow, anchorCol, cursorRow, cursorCol};
    return {cursorRow, cursorCol, anchorRow, anchorCol};
}

bool TextGridWidget::isCellSelected(int row, int column) const {
    if (!hasSelection()) return false;
    const Span s = selectionSpan();
    if (row < s.startRow || row > s.endRow) return false;
    if (s.startRow == s.endRow) return column >= s.startCol && column < s.endCol;
    if (row == s.startRow) return column >= s.startCol;
    if (row == s.endRow) return column < s.endCol;
    return true;
}

int TextGridWidget::reachableEnd(int row) const {
    return std::min(static_cast<int>(rows[row].size()), columns);
}

// ---- painting ----

void TextGridWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QString family = appleIIFontFamily();
    if (family.isEmpty()) return;
    QFont font(family);
    font.setPixelSize(32);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int ascent = metrics.ascent();
    // The font's 7 x 8 cell, stretched to the grid's cell; 80-column cells are half as wide.
    const double sy = double(cellHeight) / (ascent + metrics.descent());
    const double sx = (cellWidth * sy * 8) / (cellHeight * 7.0);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QRect cell(c * cellWidth, r * cellHeight, cellWidth, cellHeight);
            QChar ch = c < rows[r].size() ? rows[r][c] : QChar();
            QColor glyphColor = Qt::white;
            if (isInverse(ch)) {
                painter.fillRect(cell, Qt::white);
                ch = QChar(ch.unicode() - kInverseFirst + 0x20);
                glyphColor = Qt::black;
            }
            if (isCellSelected(r, c)) painter.fillRect(cell, kSelectionColor);
            if (ch.isNull() || ch == QLatin1Char(' ')) continue;
            painter.save();
            painter.setPen(glyphColor);
            painter.translate(cell.topLeft());
            painter.scale(sx, sy);
            painter.drawText(QPointF(0, ascent), QString(ch));
            painter.restore();
        }
    // After the last cell the cursor block lies outside the widget and is clipped away.
    if (cursorVisibleB && hasFocus())
        painter.fillRect(cursorCol * cellWidth, cursorRow * cellHeight, cellWidth, cellHeight,
                         kCursorColor);
}

void TextGridWidget::showCursorNow() {
    cursorVisibleB = true;
    blinkTimer.start();
    update();
}

// ---- keys ----

void TextGridWidget::keyPressEvent(QKeyEvent* event) {
    if (runKey(event))
        emit cursorMoved();
    else // Undo, cut, copy and paste come from the Edit menu; other keys go on to the window.
        QWidget::keyPressEvent(event);
}

bool TextGridWidget::runKey(QKeyEvent* event) {
    if (event->modifiers() & Qt::MetaModifier) {
        const QChar symbol = metaSymbol(event->key());
        if (!symbol.isNull()) {
            clearSelection();
            insertChar(symbol);
            return true;
        }
    }
    if (runEditKey(event->key()) ||
        runMoveKey(event->key(), event->modifiers() & Qt::ShiftModifier)) {
        clampCursor();
        showCursorNow();
        return true;
    }
    const QString text = event->text();
    if (text.isEmpty() || !text[0].isPrint()) return false;
    QChar ch = text[0];
    if (inverseTypingB && ch.unicode() >= 0x20 && ch.unicode() <= 0x7E)
        ch = QChar(kInverseFirst + ch.unicode() - 0x20);
    clearSelection();
    insertChar(ch);
    return true;
}

QRect TextGridWidget::cursorCell() const {
    const int column = std::min(cursorCol, columns - 1);
    return QRect(column * cellWidth, cursorRow * cellHeight, cellWidth, cellHeight);
}

bool TextGridWidget::runEditKey(int key) {
    switch (key) {
    case Qt::Key_Backspace:
        backspaceEdit();
        return true;
    case Qt::Key_Delete:
        deleteEdit();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        returnEdit();
        return true;
    default:
        return false;
    }
}

bool TextGridWidget::runMoveKey(int key, bool extendSelection) {
    if (!isMoveKey(key)) return false;
    if (!extendSelection)
        clearSelection();
    else if (!hasSelection()) {
        anchorRow = cursorRow;
        anchorCol = cursorCol;
    }
    moveCursor(key);
    return true;
}

void TextGridWidget::moveCursor(int key) {
    switch (key) {
    case Qt::Key_Home:
        cursorCol = 0;
        break;
    case Qt::Key_End:
        cursorCol = rows[cursorRow].size();
        break;
    case Qt::Key_Left:
        if (cursorCol > 0)
            --cursorCol;
        else if (cursorRow > 0)
            cursorCol = rows[--cursorRow].size();
        break;
    case Qt::Key_Right:
        if (cursorCol < reachableEnd(cursorRow))
            ++cursorCol;
        else if (cursorRow < kRows - 1) {
            ++cursorRow;
            cursorCol = 0;
        }
        break;
    case Qt::Key_Up:
        if (cursorRow > 0) --cursorRow;
        break;
    case Qt::Key_Down:
        if (cursorRow < kRows - 1) ++cursorRow;
        break;
    default:
        break;
    }
}

// ---- mouse and focus ----

void TextGridWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint cell = cellFromPos(event->position().toPoint());
    cursorRow = cell.y();
    cursorCol = cell.x();
    if (!(event->modifiers() & Qt::ShiftModifier) || !hasSelection()) {
        anchorRow = cursorRow;
        anchorCol = cursorCol;
    }
    draggingB = true;
    showCursorNow();
}

void TextGridWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!draggingB) return;
    const QPoint cell = cellFromPos(event->position().toPoint());
    cursorRow = cell.y();
    cursorCol = cell.x();
    update();
}

void TextGridWidget::mouseReleaseEvent(QMouseEvent*) {
    if (!draggingB) return;
    draggingB = false;
    // A click without a drag only places the cursor.
    if (anchorRow == cursorRow && anchorCol == cursorCol) clearSelection();
    update();
}

void TextGridWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    showCursorNow();
}

void TextGridWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    blinkTimer.stop();
    cursorVisibleB = false;
    update();
}
