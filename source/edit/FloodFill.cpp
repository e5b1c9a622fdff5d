// The region is found on the dot grid read before anything is written, then written run by run
// through the ink, so the fill never reads its own paint. The search keeps its own stack of
// cells: a region can cover the whole screen.
#include "edit/FloodFill.h"

#include "edit/DotGrid.h"
#include "edit/Ink.h"

#include <vector>

namespace {

// What one cell of the search is: its width in memory dots and the value that must match.
struct CellModel {
    const DotGrid& grid;
    int width; // 4 colour cells, 1 double hi-res dots, 2 hi-res pixels
    int value(int line, int cell) const {
        if (width == 4) return grid.cellColor(line, cell);
        return grid.lit(line, cell * width) ? 1 : 0;
    }
};

} // namespace

int FloodFill(ORVEL_GlobalsRec* rec, Point at, ORVEL_ColorType color, bool keepHiRes) {
    if (at.v < 0 || at.v >= kLines || at.h < 0 || at.h >= kMemoryDots) return 0;
    Ink ink(rec, color, keepHiRes); // a hi-res picture becomes double hi-res here unless kept
    const DotGrid grid(rec);
    const int width = !rec->is560Mode ? 4 : ink.hires() ? 2 : 1;
    const CellModel model{grid, width};
    const int columns = kMemoryDots / width;
    const int target = model.value(at.v, at.h / width);

    std::vector<std::uint8_t> inRegion(static_cast<std::size_t>(kLines * columns), 0);
    std::vector<int> stack{at.v * columns + at.h / width};
    inRegion[static_cast<std::size_t>(stack.back())] = 1;
    int filled = 0;
    while (!stack.empty()) {
        const int index = stack.back();
        stack.pop_back();
        ++filled;
        const int line = index / columns, cell = index % columns;
        const int neighbours[4][2] = {
            {line, cell - 1}, {line, cell + 1}, {line - 1, cell}, {line + 1, cell}};
        for (const auto& n : neighbours) {
            if (n[0] < 0 || n[0] >= kLines || n[1] < 0 || n[1] >= columns) continue;
            const int next = n[0] * columns + n[1];
            if (inRegion[static_cast<std::size_t>(next)] || model.value(n[0], n[1]) != target)
                continue;
            inRegion[static_cast<std::size_t>(next)] = 1;
            stack.push_back(next);
        }
    }
    // Runs of filled cells, line by line.
    for (int line = 0; line < kLines; ++line)
        for (int cell = 0; cell < columns; ++cell) {
            if (!inRegion[static_cast<std::size_t>(line * columns + cell)]) continue;
            int end = cell;
            while (end + 1 < columns &&
                   inRegion[static_cast<std::size_t>(line * columns + end + 1)])
                ++end;
            ink.patternRun(line, cell * width, end * width + width - 1);
            cell = end;
        }
    return filled;
}
