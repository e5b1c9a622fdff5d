// Each tool's reaction to press, move and release. Shapes and selection moves are redrawn
// from the snapshot of the press on every move, so a preview is exactly the final result and
// Esc simply puts the snapshot back.
#include "edit/ToolStroke.h"

#include "edit/DotGrid.h"
#include "edit/FloodFill.h"
#include "edit/Ink.h"

const char* ToolName(Tool tool) {
    static const char* const kNames[kToolCount] = {
        "Pencil", "Line",       "Rectangle", "Filled Rectangle", "Ellipse", "Filled Ellipse",
        "Fill",   "Eyedropper", "Select"};
    return kNames[static_cast<int>(tool)];
}

bool ToolShape(Tool tool, Shape& shape) {
    switch (tool) {
    case Tool::Line:
        shape = Shape::Line;
        return true;
    case Tool::Rectangle:
        shape = Shape::Rectangle;
        return true;
    case Tool::FilledRectangle:
        shape = Shape::FilledRectangle;
        return true;
    case Tool::Ellipse:
        shape = Shape::Ellipse;
        return true;
    case Tool::FilledEllipse:
        shape = Shape::FilledEllipse;
        return true;
    default:
        return false;
    }
}

void ToolStroke::press(Tool tool, Point at, ToolOptions chosen) {
    currentTool = tool;
    options = chosen;
    start = last = at;
    snapshot = CaptureScreen(rec);
    selectionAtPress = selection;
    picked = -1;
    activeFlag = true;
    movingB = false;
    switch (tool) {
    case Tool::Pencil: {
        Ink ink(rec, options.color, options.keepHiRes);
        ink.segment(at, at); // a click sets the cell under the pointer
        break;
    }
    case Tool::Fill:
        FloodFill(rec, at, options.color, options.keepHiRes);
        activeFlag = false;
        break;
    case Tool::Eyedropper:
        if (at.v >= 0 && at.v < kLines && at.h >= 0 && at.h < kMemoryDots)
            picked = DotGrid(rec).cellColor(at.v, at.h / 4);
        activeFlag = false;
        break;
    case Tool::Select:
        movingB = selection.contains(at.v, at.h);
        if (movingB)
            lifted = CopyDots(rec, selection);
        else
            selection = SelectionRect(at, at, !rec->isDHGR);
        break;
    default:
        redrawShape(at, false);
        break;
    }
}

void ToolStroke::move(Point at, bool constrain) {
    if (!activeFlag) return;
    switch (currentTool) {
    case Tool::Pencil: {
        Ink ink(rec, options.color, options.keepHiRes);
        ink.segment(last, at);
        break;
    }
    case Tool::Select:
        if (movingB)
            dragSelection(at);
        else
            selection = SelectionRect(start, at, !rec->isDHGR);
        break;
    default:
        redrawShape(at, constrain);
        break;
    }
    last = at;
}

void ToolStroke::release(Point at, bool constrain) {
    if (!activeFlag) return;
    move(at, constrain);
    // A click with the Select tool outside the selection drops it.
    if (currentTool == Tool::Select && !movingB && at.v == start.v && at.h == start.h)
        dropSelection();
    activeFlag = false;
}

void ToolStroke::cancel() {
    if (!activeFlag) return;
    RestoreScreen(rec, snapshot);
    selection = selectionAtPress;
    activeFlag = false;
}

void ToolStroke::selectAll() {
    selection = DotRect{0, 0, kLines, kMemoryDots};
}

void ToolStroke::redrawShape(Point at, bool constrain) {
    Shape shape;
    if (!ToolShape(currentTool, shape)) return;
    RestoreScreen(rec, snapshot);
    const Point end = constrain ? ConstrainedEnd(shape, start, at) : at;
    Ink ink(rec, options.color, options.keepHiRes);
    for (const Segment& s : ShapeSegments(shape, start, end))
        ink.segment(s.from, s.to);
}

// The lifted dots leave black behind and land at the pointer's offset from the press; on hi-res
// the offset stays on whole pixels.
void ToolStroke::dragSelection(Point at) {
    int dh = at.h - start.h;
    const int dv = at.v - start.v;
    if (!rec->isDHGR || lifted.hires) dh &= ~1;
    RestoreScreen(rec, snapshot);
    ClearDots(rec, selectionAtPress, options.keepHiRes);
    const int top = selectionAtPress.top + dv, left = selectionAtPress.left + dh;
    PasteDots(rec, lifted, top, left, options.keepHiRes);
    selection = ClipToPicture(DotRect{top, left, top + lifted.height, left + lifted.width});
}
