// The "MouseText" character palette: 34 glyphs of the Apple II font in two columns of cells; a
// click on a cell hands its character to whoever listens (the editor's grid inserts it).
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class CharPaletteWidget : public QWidget {
    Q_OBJECT

public:
    explicit CharPaletteWidget(QWidget* parent = nullptr);

    // 2 or 4, the text grid's scale (other values are ignored): cells of 24 or 48 pixels.
    void setGridScale(int newScale);
    void relayout();
    // Cell i: column i / rowsPerColumn, row i % rowsPerColumn.
    QRect cellRect(int index) const;

    // Mac OS Roman bytes 0x80..0x8F, U+E000, bytes 0x90..0x9F, U+E001.
    QString chars;
    int rowsPerColumn = 17;
    int scale = 2;

signals:
    void characterClicked(QChar ch);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int cellSide() const { return 24 * (scale / 2); }
};
