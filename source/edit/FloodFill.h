// The fill tool: the four-connected region of one shown colour around a point, in colour cells
// (four memory dots; hi-res: two pixels) or, in 560 mode, in single dots (hi-res: pixels).
#pragma once

#include "core/GlobalsRec.h"

// Fills the region under `at` (v = line, h = memory dot) with `color`; a point outside the
// picture fills nothing. Returns the number of cells filled.
int FloodFill(ORVEL_GlobalsRec* rec, Point at, ORVEL_ColorType color, bool keepHiRes);
