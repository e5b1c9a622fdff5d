// The picture view: owns the graphics record, renders it into its 562 x 192 image whenever
// anything changes, shows it scaled, and takes the pencil, shifts, conversions and file drops.
#pragma once

#include "core/GlobalsRec.h"
#include "core/RenderPipeline.h"

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

    void convertToDHGR();
    void shiftImage(bool left);
    // Offscreen coordinates (memory dot, line) of a position on the view.
    QPoint screenToOffs(QPoint position) const;

    ORVEL_GlobalsRec globals;
    ORVEL_GlobalsRec* globalsRec;
    QImage offscreenImage;

signals:
    void statusMessage(const QString& message);
    void overlayClicked();
    // An image file was dropped: the main window imports it rather than opening it.
    void imageDropped(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QPoint eventToOffs(const QPointF& position) const;
    // offscreenImage at this size, reused whenever it already has it.
    RGBAStore offscreenStore(int width, int height);

    bool drawingB = false;
    QPoint lastPoint;
    QImage overlayImage;
    bool overlayShownB = false;
};
