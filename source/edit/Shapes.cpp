// Rectangles are four edges or one run per line. Ellipses are found line by line from the
// inside test ((h - ch) / a)^2 + ((v - cv) / b)^2 <= 1 over dot centres, with a and b half the
// box plus half a dot, so the box's own edges are reached.
#include "edit/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

std::int16_t Clamp16(long value) {
    return static_cast<std::int16_t>(std::clamp(value, -32768L, 32767L));
}

Point At(long v, long h) {
    return Point{Clamp16(v), Clamp16(h)};
}

struct Box {
    long top, left, bottom, right;
};

Box BoxOf(Point a, Point b) {
    return Box{std::min<long>(a.v, b.v), std::min<long>(a.h, b.h), std::max<long>(a.v, b.v),
               std::max<long>(a.h, b.h)};
}

void RectangleSegments(const Box& box, bool filled, std::vector<Segment>& out) {
    if (filled || box.bottom - box.top < 2) {
        // Lines off the picture draw nothing: only the picture's own are walked.
        for (long v = std::max(box.top, 0L); v <= std::min(box.bottom, long{kLines - 1}); ++v)
            out.push_back({At(v, box.left), At(v, box.right)});
        return;
    }
    out.push_back({At(box.top, box.left), At(box.top, box.right)});
    out.push_back({At(box.bottom, box.left), At(box.bottom, box.right)});
    out.push_back({At(box.top + 1, box.left), At(box.bottom - 1, box.left)});
    out.push_back({At(box.top + 1, box.right), At(box.bottom - 1, box.right)});
}

// The ellipse's run on line v: [left, right]; empty (left > right) outside the box.
void EllipseRun(const Box& box, long v, long& left, long& right) {
    if (v < box.top || v > box.bottom) {
        left = 1, right = 0;
        return;
    }
    const double ch = (box.left + box.right) / 2.0, cv = (box.top + box.bottom) / 2.0;
    const double a = (box.right - box.left) / 2.0 + 0.5, b = (box.bottom - box.top) / 2.0 + 0.5;
    const double t = (v - cv) / b, inside = 1.0 - t * t;
    const double w = inside > 0 ? a * std::sqrt(inside) : 0;
    left = std::max(box.left, static_cast<long>(std::ceil(ch - w)));
    right = std::min(box.right, static_cast<long>(std::floor(ch + w)));
    if (left > right) left = right = std::lround(ch); // the thinnest ellipse still shows
}

// The outline is every dot of the filled ellipse with a neighbour outside it: on each line, the
// run less the part that the lines above and below cover too.
void EllipseSegments(const Box& box, bool filled, std::vector<Segment>& out) {
    // Boxes far beyond the picture are cut to the lines that can show.
    const long top = std::max(box.top, 0L), bottom = std::min(box.bottom, long{kLines - 1});
    for (long v = top; v <= bottom; ++v) {
        long left, right, upLeft, upRight, downLeft, downRight;
        EllipseRun(box, v, left, right);
        if (filled) {
            out.push_back({At(v, left), At(v, right)});
            continue;
        }
        EllipseRun(box, v - 1, upLeft, upRight);
        EllipseRun(box, v + 1, downLeft, downRight);
        const long innerLeft = std::max({left + 1, upLeft, downLeft});
        const long innerRight = std::min({right - 1, upRight, downRight});
        if (upLeft > upRight || downLeft > downRight || innerLeft > innerRight) {
            out.push_back({At(v, left), At(v, right)});
            continue;
        }
        out.push_back({At(v, left), At(v, innerLeft - 1)});
        out.push_back({At(v, innerRight + 1), At(v, right)});
    }
}

long Sign(long value) {
    return value < 0 ? -1 : 1;
}

} // namespace

std::vector<Segment> ShapeSegments(Shape shape, Point from, Point to) {
    std::vector<Segment> out;
    switch (shape) {
    case Shape::Line:
        out.push_back({from, to});
        break;
    case Shape::Rectangle:
    case Shape::FilledRectangle:
        RectangleSegments(BoxOf(from, to), shape == Shape::FilledRectangle, out);
        break;
    case Shape::Ellipse:
    case Shape::FilledEllipse:
        EllipseSegments(BoxOf(from, to), shape == Shape::FilledEllipse, out);
        break;
    }
    return out;
}

Point ConstrainedEnd(Shape shape, Point from, Point to) {
    const long dh = to.h - from.h, dv = to.v - from.v;
    const long shownH = std::labs(dh), shownV = 2 * std::labs(dv);
    if (shape == Shape::Line) {
        // tan(22.5 degrees) ~ 0.414: closer to the axis than to the diagonal.
        if (shownV * 1000 <= shownH * 414) return At(from.v, to.h);
        if (shownH * 1000 <= shownV * 414) return At(to.v, from.h);
    }
    const long lines = std::max(std::labs(dv), (shownH + 1) / 2);
    return At(from.v + Sign(dv) * lines, from.h + Sign(dh) * 2 * lines);
}
