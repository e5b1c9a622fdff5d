// The pencil's line: clipped to the screen, walked dot by dot, and written as the current
// colour's dot pattern straight into double hi-res memory of the record at globalsP.
#pragma once

#include "core/GlobalsRec.h"

// Draws from `from` to `to`, both ends included (v = line, h = memory dot), in g_curColor:
// single memory dots in 560 mode, four-dot colour cells otherwise. Returns 0.
short DrawLine(Point from, Point to);
