// How a rendered picture is shown and exported: stretched to the view's size (smoothed when an
// aspect correction is in force), or doubled in height for PNG export. One place for both the
// picture view and orvel-convert, so they show the same pixels.
#pragma once

#include <QImage>
#include <QRect>

class QPainter;

// The grey the view shows around and under its picture.
inline QColor ViewBackground() {
    return QColor(64, 64, 64);
}

// Draws `picture` stretched over `target`.
void paintPicture(QPainter& painter, const QRect& target, const QImage& picture, bool smooth);

// The picture as the view shows it at `width` x `height`.
QImage shownPicture(const QImage& picture, int width, int height, bool smooth);

// The PNG export: the 562 x 192 picture stretched to 562 x 384 without smoothing.
QImage exportedPicture(const QImage& picture);
