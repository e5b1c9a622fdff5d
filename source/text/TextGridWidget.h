// The text screen editor's grid: 24 rows of 40 or 80 Apple II character cells, white on black,
// with inverse cells, a blinking block cursor, a stream selection, keys, mouse and editing.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// The widget, its geometry, painting, keys and mouse live in TextGridWidget.cpp; the operations
// that change or copy the text (typing, deleting, line edits, clipboard, undo) in
// TextGridEditing.cpp. Every text change calls emitChanged(): contentChanged() follows once,
// 50 ms after the last change of a burst.
class TextGridWidget : public QWidget {
    Q_OBJECT

public:
    static constexpr int kRows = 24;

    explicit TextGridWidget(QWidget* parent = nullptr);

    // Screen text in and out: a leading "80" marks 80 columns, rows are joined by line feeds,
    // empty rows at the bottom are left out. setText starts afresh (cursor home, no selection,
    // nothing to undo) and reports no change; rows are cut to the column count.
    void setText(const QString& text);
    QString getText() const;
    // The rows without the mark: inside the program the column count travels beside them, so a
    // 40-column first row that begins with "80" stays text. setScreen starts afresh as setText.
    void setScreen(const QString& body, int columnCount);
    QString bodyText() const;

    // 40 or 80 (other values are ignored); a change the host hears about. Rows are not cut, so
    // text beyond column 40 comes back on the way to 80 columns.
    void setColumns(int count);
    // 2 or 4 (other values are ignored); only the size changes.
    void setScale(int newScale);
    // Typed printable ASCII becomes its inverse form.
    void setInverseTyping(bool on);

    bool hasSelection() const { return anchorRow >= 0; }
    bool isCellSelected(int row, int column) const;
    void clearSelection();
    // The cell under a widget position (x = column, y = row), clamped to the grid; the column
    // may be `columns`, the place after the last cell.
    QPoint cellFromPos(QPoint position) const;
    void clampCursor();
    void computeCellSize();
    void updateFixedSize();
    // Restarts the 50 ms wait before contentChanged().
    void emitChanged();
    // Reports a change that is still waiting now, so a question about unsaved changes or a
    // save sees it.
    void flushPendingChange();

    // Editing operations (TextGridEditing.cpp). insertChar replaces a selection (the palette's
    // way in); typed keys clear the selection first and so never replace it.
    void insertChar(QChar ch);
    void deleteSelection();
    QString selectedText() const;
    void pushUndo();
    // One snapshot, no stack: undo exchanges it with the screen, so a second undo redoes.
    void doUndo();
    void doCut();
    void doCopy();
    void doPaste();
    void doClear();
    void doSelectAll();
    void clear();
    void backspaceEdit();
    void deleteEdit();
    void returnEdit();

    int columns = 40;
    int scale = 2;
    int cellWidth = 14;
    int cellHeight = 16;
    // Always 24 rows, each the row's characters from column 0, without padding.
    QStringList rows;
    int cursorRow = 0;
    // 0 to `columns`; `columns` is the place after the last cell.
    int cursorCol = 0;
    // -1 when there is no selection.
    int anchorRow = -1;
    int anchorCol = -1;
    bool draggingB = false;
    // The rows and column count before the last change, valid while undoAvailableB is set (the
    // snapshot of an empty 40-column screen is the empty string, and still worth undoing to).
    QString undoText;
    int undoColumns = 40;
    bool undoAvailableB = false;
    QTimer blinkTimer;
    bool cursorVisibleB = true;
    bool inverseTypingB = false;
    QTimer changeTimer;

    // The cell the cursor is in (the last cell when it stands after it), in widget pixels.
    QRect cursorCell() const;

signals:
    void contentChanged();
    // A key, a palette click or a paste moved the cursor: the window keeps it in view.
    void cursorMoved();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The selection's ends in reading order: the start cell is in it, the end cell is not.
    struct Span {
        int startRow, startCol, endRow, endCol;
    };
    Span selectionSpan() const;
    // Where the row's text ends for the cursor: text beyond the last column is out of reach.
    int reachableEnd(int row) const;
    bool runKey(QKeyEvent* event);
    bool runEditKey(int key);
    bool runMoveKey(int key, bool extendSelection);
    void moveCursor(int key);
    void showCursorNow();
    // Puts ch into the cursor's row at the cursor (spaces fill a gap before it, whatever passes
    // the last column is lost) and steps the cursor on.
    void putChar(QChar ch);
    bool screenEndAtCursor() const;
};
