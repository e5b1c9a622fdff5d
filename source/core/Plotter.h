// The dot plotter every renderer writes through, and the pen width it plots with.
// It writes a run of penWidth dots into whichever store baseAddr describes.
#pragma once

#include "core/GlobalsRec.h"

// Writes `color` into offscreen dots x .. min(x + penWidth, 562) - 1 of the row of `line`.
// One-bit store: a non-zero colour lights the dot (clears its bit), 0 darkens it. RGBA store:
// the palette entry `color`. Writes nothing outside the store. Returns `color`.
unsigned char PlotPointDirect(ORVEL_GlobalsRec* rec, unsigned long x, unsigned long line,
                              unsigned char color);

void SetPenWidth(ORVEL_GlobalsRec* rec, short width);

// 1 for the Quen engines; "By the Book": 2 for hi-res, for double hi-res 4 in colour, 1 else.
void UpdatePenWidth(ORVEL_GlobalsRec* rec);

// The row of the offscreen store that holds `line`, provided the store has that row and at
// least `rowBytesNeeded` bytes in it; null otherwise.
std::uint8_t* StoreRow(const ORVEL_GlobalsRec* rec, std::int64_t line, std::int64_t rowBytesNeeded);

// Last dot (exclusive) of a run from x of `width` dots, clipped to the picture.
inline std::int64_t RunEnd(std::int64_t x, std::int64_t width) {
    return width >= kOffscreenDots - x ? kOffscreenDots : x + width;
}
