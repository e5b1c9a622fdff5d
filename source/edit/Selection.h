// Selections: rectangles of memory dots, the dots they hold (with each dot's high bit on
// hi-res), and pasting, clearing and carrying those dots through the clipboard exactly.
#pragma once

#include "core/GlobalsRec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Lines top..bottom - 1 and memory dots left..right - 1.
struct DotRect {
    int top = 0, left = 0, bottom = 0, right = 0;
    bool empty() const { return bottom <= top || right <= left; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int line, int dot) const {
        return line >= top && line < bottom && dot >= left && dot < right;
    }
};

// The box of two corners (both included), clipped to the picture; on hi-res, widened to whole
// pixels.
DotRect SelectionRect(Point a, Point b, bool hires);
DotRect ClipToPicture(DotRect rect);

struct DotClip {
    int width = 0, height = 0;      // memory dots, lines
    bool hires = false;             // taken from a hi-res picture: high bits carried
    std::vector<std::uint8_t> dots; // row by row; bit 0 lit, bit 1 the dot's byte's high bit
    bool empty() const { return width <= 0 || height <= 0; }
};

DotClip CopyDots(ORVEL_GlobalsRec* rec, DotRect rect);

// Writes the clip with its top left corner at (line, dot); what falls outside the picture is
// left out. A hi-res picture becomes double hi-res unless `keepHiRes`; a kept hi-res picture
// takes a hi-res clip's high bits and a double hi-res clip's even dots.
void PasteDots(ORVEL_GlobalsRec* rec, const DotClip& clip, int line, int dot, bool keepHiRes);

// Darkens the rectangle (hi-res: the high bits stay).
void ClearDots(ORVEL_GlobalsRec* rec, DotRect rect, bool keepHiRes);

// The clipboard form: a tag, the size, the hi-res flag and one byte per dot. Decoding refuses
// anything else (wrong tag, a size beyond the picture, missing or extra bytes).
std::vector<std::uint8_t> EncodeClip(const DotClip& clip);
bool DecodeClip(const std::uint8_t* bytes, std::size_t size, DotClip& clip);
