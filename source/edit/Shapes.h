// Line, rectangle and ellipse geometry in memory dots (h) and lines (v): each shape is a list
// of segments that the ink draws, so shapes clip and take cells exactly as the pencil does.
#pragma once

#include "core/GlobalsRec.h"

#include <vector>

enum class Shape { Line, Rectangle, FilledRectangle, Ellipse, FilledEllipse };

struct Segment {
    Point from;
    Point to;
};

// The shape dragged from `from` to `to` (both corners included for boxes).
std::vector<Segment> ShapeSegments(Shape shape, Point from, Point to);

// Shift held: a line snaps to the nearest multiple of 45 degrees and a box becomes a square
// (a rectangle) or a circle (an ellipse), as shown: a line is two memory dots tall.
Point ConstrainedEnd(Shape shape, Point from, Point to);
