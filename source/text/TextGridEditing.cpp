// The text grid's editing operations: insertion, deleting the selection, the Backspace, Delete and
// Return edits, the clipboard, select all, clear and the one-snapshot undo.
#include "text/TextGridWidget.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

// Editing inserts, it never overwrites: a character goes in at the cursor and pushes the rest of
// the row right, and whatever passes the last column is lost. Every change takes one snapshot
// first, so one undo takes back one whole user action.

void TextGridWidget::pushUndo() {
    undoText = bodyText();
    undoColumns = columns;
    undoAvailableB = true;
}

void TextGridWidget::doUndo() {
    if (!undoAvailableB) return;
    const QString current = bodyText();
    const int currentColumns = columns;
    setScreen(undoText, undoColumns);
    undoText = current;
    undoColumns = currentColumns;
    undoAvailableB = true;
    emitChanged();
}

bool TextGridWidget::screenEndAtCursor() const {
    return cursorRow == kRows - 1 && cursorCol >= columns;
}

void TextGridWidget::putChar(QChar ch) {
    QString& row = rows[cursorRow];
    if (row.size() < cursorCol) row += QString(cursorCol - row.size(), QLatin1Char(' '));
    row.insert(cursorCol, ch);
    if (row.size() > columns) row.truncate(columns);
    ++cursorCol;
    clampCursor();
}

void TextGridWidget::insertChar(QChar ch) {
    // Deleting a selection takes the snapshot of the screen before this whole insertion, so
    // the undo brings the replaced text back. After the last cell of the screen nothing fits:
    // nothing changes and the earlier undo step stays.
    if (hasSelection())
        deleteSelection();
    else if (screenEndAtCursor())
        return;
    else
        pushUndo();
    if (cursorCol >= columns) {
        if (screenEndAtCursor()) return;
        ++cursorRow;
        cursorCol = 0;
    }
    putChar(ch);
    emitChanged();
    update();
    emit cursorMoved();
}

void TextGridWidget::deleteSelection() {
    if (!hasSelection()) return;
    const Span s = selectionSpan();
    pushUndo();
    if (s.startRow == s.endRow) {
        rows[s.startRow].remove(s.startCol, s.endCol - s.startCol);
    } else {
        // The end row's rest moves up behind the start and is kept whole: what passes the last
        // column stays in the row, hidden, and is saved with it.
        rows[s.startRow] = rows[s.startRow].left(s.startCol) + rows[s.endRow].mid(s.endCol);
        rows.erase(rows.begin() + s.startRow + 1, rows.begin() + s.endRow + 1);
        while (rows.size() < kRows)
            rows.append(QString());
    }
    cursorRow = s.startRow;
    cursorCol = s.startCol;
    clearSelection();
    clampCursor();
    emitChanged();
    update();
}

QString TextGridWidget::selectedText() const {
    if (!hasSelection()) return QString();
    const Span s = selectionSpan();
    // Cells past a row's text give nothing; the line feeds between rows are always there.
    const QString& first = rows[s.startRow];
    const qsizetype firstEnd = s.startRow == s.endRow ? s.endCol : first.size();
    QString text = first.mid(s.startCol, std::max<qsizetype>(0, firstEnd - s.startCol));
    for (int row = s.startRow + 1; row <= s.endRow; ++row) {
        text += QLatin1Char('\n');
        text += row == s.endRow ? rows[row].left(s.endCol) : rows[row];
    }
    return text;
}

void TextGridWidget::doCut() {
    doCopy();
    deleteSelection();
}

void TextGridWidget::doCopy() {
    const QString text = selectedText();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

void TextGridWidget::doPaste() {
    const QString text = QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    if (text.isEmpty()) return;
    pushUndo();
    if (hasSelection()) deleteSelection();
    for (const QChar unit : text) {
        if (unit == QLatin1Char('\r')) continue;
        if (unit == QLatin1Char('\n')) {
            // Below the last row there is nowhere to go: the rest stays on row 23.
            if (cursorRow < kRows - 1) {
                ++cursorRow;
                cursorCol = 0;
            }
            continue;
        }
        // No wrapping: the rest of a line that passes the last column is dropped.
        if (cursorCol >= columns) continue;
        // The command-key glyphs arrive as 0x11/0x12 when copied from a Mac OS Roman file;
        // stored as such they would come back changed after a save.
        if (unit.unicode() == 0x11 || unit.unicode() == 0x12)
            putChar(QChar(0xE000 + unit.unicode() - 0x11));
        else
            putChar(unit);
    }
    clampCursor();
    emitChanged();
    update();
    emit cursorMoved();
}

void TextGridWidget::doClear() {
    if (hasSelection()) deleteSelection();
}

void TextGridWidget::doSelectAll() {
    anchorRow = anchorCol = 0;
    cursorRow = kRows - 1;
    cursorCol = rows[cursorRow].size();
    clampCursor();
    update();
}

void TextGridWidget::clear() {
    pushUndo();
    for (QString& row : rows)
        row.clear();
    cursorRow = cursorCol = 0;
    clearSelection();
    emitChanged();
    update();
}

void TextGridWidget::backspaceEdit() {
    if (hasSelection()) {
        deleteSelection();
        return;
    }
    if (cursorCol >= 1) {
        pushUndo();
        --cursorCol;
        // Beyond the row's text only the cursor moves.
        rows[cursorRow].remove(cursorCol, 1);
        emitChanged();
    } else if (cursorRow > 0) {
        // At the start of a row: the row joins the end of the row above, cut at the last column.
        pushUndo();
        const QString former = rows.takeAt(cursorRow);
        --cursorRow;
        cursorCol = rows[cursorRow].size();
        rows[cursorRow] = (rows[cursorRow] + former).left(columns);
        rows.append(QString());
        emitChanged();
    }
    clampCursor();
}

void TextGridWidget::deleteEdit() {
    if (hasSelection()) {
        deleteSelection();
        return;
    }
    // At or past the row's end nothing happens: Delete does not join the next row.
    if (cursorCol < reachableEnd(cursorRow)) {
        pushUndo();
        rows[cursorRow].remove(cursorCol, 1);
        emitChanged();
    }
}

void TextGridWidget::returnEdit() {
    clearSelection();
    if (cursorRow == kRows - 1) {
        // No row below the last one to break into; the text stays as it is.
        emitChanged();
        update();
        return;
    }
    // The row breaks at the cursor: its tail opens a new row below and the last row drops off.
    pushUndo();
    const QString tail = rows[cursorRow].mid(cursorCol);
    rows[cursorRow].truncate(cursorCol);
    ++cursorRow;
    cursorCol = 0;
    rows.insert(cursorRow, tail);
    while (rows.size() > kRows)
        rows.removeLast();
    emitChanged();
    update();
}
