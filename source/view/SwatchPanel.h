// The strip of sixteen colour cells in the "Colors" dock: the colours of the palette in force,
// the pencil's colour framed. A click makes a colour the pencil colour (g_curColor).
#pragma once

#include "core/GlobalsRec.h"

#include <QRect>
#include <QWidget>

class SwatchPanel : public QWidget {
    Q_OBJECT

public:
    SwatchPanel(ORVEL_GlobalsRec* rec, QWidget* parent = nullptr);
    ~SwatchPanel() override;

    // Cell i: 24 x 24 pixels on a 26-pixel pitch with a 4-pixel margin, both corners included.
    QRect cellRect(int index) const;

    ORVEL_GlobalsRec* globalsRec;
    ORVEL_ColorType selectedColor = 15;
    int columns = 1;

signals:
    void colorSelected(ORVEL_ColorType color);

public:
    // Hi-res kept hi-res: the six hi-res colours instead of sixteen.
    void setHiresColors(bool on);
    bool hiresColorsB = false;
    // The colour index cell i shows.
    ORVEL_ColorType colorOfCell(int index) const;

public slots:
    // Two rows of eight while the dock floats, one column while it is docked.
    void setFloating(bool floating);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fitToColumns();
};
