// The tools as one press-to-release action on a record: what each tool does with the pointer's
// positions (memory dot, line), rubber-band previews redrawn from the picture as it was at the
// press, Esc, and the selection. The picture view only forwards its pointer events here.
#pragma once

#include "edit/ScreenState.h"
#include "edit/Selection.h"
#include "edit/Shapes.h"

enum class Tool {
    Pencil,
    Line,
    Rectangle,
    FilledRectangle,
    Ellipse,
    FilledEllipse,
    Fill,
    Eyedropper,
    Select
};
constexpr int kToolCount = 9;

// The tool's name, as the "Tools" dock and the history show it.
const char* ToolName(Tool tool);

struct ToolOptions {
    ORVEL_ColorType color = 15;
    bool keepHiRes = false;
};

class ToolStroke {
public:
    explicit ToolStroke(ORVEL_GlobalsRec* rec) : rec(rec) {}

    void press(Tool tool, Point at, ToolOptions options);
    // `constrain`: Shift is held (45-degree lines, squares, circles).
    void move(Point at, bool constrain);
    void release(Point at, bool constrain);
    // Esc: the picture and the selection as they were at the press.
    void cancel();

    bool activeB() const { return activeFlag; }
    Tool tool() const { return currentTool; }
    // The screen at the press: the history's "before" of the action.
    const ScreenState& before() const { return snapshot; }
    // The eyedropper's colour after a press, or -1.
    int pickedColor() const { return picked; }

    // The selection (empty: none), and the part of it being dragged.
    DotRect selection;
    void selectAll();
    void dropSelection() { selection = DotRect{}; }

private:
    void redrawShape(Point at, bool constrain);
    void dragSelection(Point at);

    ORVEL_GlobalsRec* rec;
    Tool currentTool = Tool::Pencil;
    ToolOptions options;
    bool activeFlag = false;
    bool movingB = false; // the selection's dots follow the pointer
    Point start{0, 0}, last{0, 0};
    ScreenState snapshot{};
    DotRect selectionAtPress;
    DotClip lifted;
    int picked = -1;
};

// The shape a tool draws, for the tools that draw shapes.
bool ToolShape(Tool tool, Shape& shape);
