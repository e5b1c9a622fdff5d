// A second, deliberately plain rendering of every engine, written rule by rule with
// PlotPointDirect for each dot: the tests hold the fast core to it on random pictures.
#pragma once

#include "core/Core.h"

namespace reference {

// The whole pipeline of the record's settings, like RenderPicture, into `store`.
void RenderPicture(ORVEL_GlobalsRec* rec, RGBAStore store);

// The per-line function of `mode` (0 hi-res dots, 1 hi-res colour, 2 double hi-res dots,
// 3 double hi-res colour) for line curLine at bank offset rowOffset, into the store in use.
void CopyLine(ORVEL_GlobalsRec* rec, int mode);

// The Quen colouring of the 192 rows of one-bit dots in monoBits into the store in use.
void QuenColor(ORVEL_GlobalsRec* rec);

} // namespace reference
