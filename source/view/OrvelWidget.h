// The picture view: owns the graphics record, renders it into its 562 x 192 image whenever
// anything changes, shows it scaled, and takes the pencil, shifts, conversions and file drops.
#pragma once

#include "core/GlobalsRec.h"
#include "core/RenderPipeline.h"
#include "edit/ToolStroke.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

class OrvelWidget : public QWidget {
    Q_OBJECT

public:
    explicit OrvelWidget(QWidget* parent = nullptr);
    ~OrvelWidget() override;

    // Renders the record into offscreenImage, fixes the view's size, schedules a repaint.
    void renderImage();
    // Makes the store that pixelDepth names ready: the one-bit dots all dark, or
    // offscreenImage opaque black.
    void prepareOffscreen();
    // The one-bit dots as offscreenImage, in the one-bit palette's colour.
    void monoToRGBA(int width, int height);
    // An all-black double hi-res picture; the settings stay.
    void clearPicture();

    // An image shown instead of the picture until dismissed (a null image shows the picture).
    void showOverlayImage(const QImage& image);
    void dismissOverlay();

    // Reads a picture file (hi-res, double hi-res, or hi-res with its ".AUX" companion) and
    // shows it. A file that cannot be loaded leaves the picture as it was and says why.
    bool loadFile(const QString& path);
    // Replaces the picture by the text screen, drawn with the Apple II font.
    void loadTextScreen(const QString& screenText);
    // The same for rows without the "80" mark, their column count beside them (the editor's).
    void loadTextScreen(const QString& rows, bool eighty);

    void convertToDHGR();
    void shiftImage(bool left);
    // Offscreen coordinates (memory dot, line) of a position on the view.
    QPoint screenToOffs(QPoint position) const;

    // --- Editing tools and zoom (ViewEditing.cpp)
    static constexpr int kMaxZoom = 16;
    // Zoom 1..16 times the shown size, without smoothing; the view keeps its own size.
    void setZoom(int factor);
    // Zooms keeping the picture point under `anchor` (view coordinates) where it is on screen.
    void zoomAround(int factor, const QPointF& anchor);
    int zoom() const { return zoomFactor; }
    // The tool the left button uses; the right button always takes the colour under it.
    void setTool(Tool tool);
    Tool tool() const { return currentTool; }
    // The memory dot (h) and line (v) a position on the view edits, at any zoom.
    Point pointerDot(const QPointF& position) const;
    // What the status bar says about the dot under a position ("" outside the picture).
    QString readoutAt(const QPointF& position) const;

    // Hi-res pictures are drawn on as hi-res with the six hi-res colours.
    bool keepHiResB = false;
    // The tools' state: the action in progress and the selection.
    ToolStroke stroke{&globals};
    // The screen before the last finished action (pictureEdited's "before").
    ScreenState editBefore{};

    ORVEL_GlobalsRec globals;
    ORVEL_GlobalsRec* globalsRec;
    QImage offscreenImage;

signals:
    void statusMessage(const QString& message);
    void overlayClicked();
    // A picture file replaced the picture (its history starts anew).
    void pictureLoaded();
    // An action of a tool changed the picture; editBefore holds the screen before it.
    void pictureEdited(const QString& label);
    // The eyedropper (or a right click) took a colour index.
    void colorPicked(int color);
    // The pointer moved over the view: the readout of the dot under it.
    void pointerReadout(const QString& text);
    // A file was dropped on the view; while something listens, the view leaves it to them.
    void fileDropped(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void pressTool(QMouseEvent* event);
    void finishAction();
    void paintEditing(QPainter& painter, const QRect& exposed);

    QPoint eventToOffs(const QPointF& position) const;
    // offscreenImage at this size, reused whenever it already has it.
    RGBAStore offscreenStore(int width, int height);

    bool drawingB = false;
    int zoomFactor = 1;
    Tool currentTool = Tool::Pencil;
    QPoint lastPoint;
    QImage overlayImage;
    bool overlayShownB = false;
};
