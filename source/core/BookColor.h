// The "By the Book" engine: hi-res and double hi-res colour decoded byte by byte, the way the
// hardware's colour rules give it, written straight into the RGBA store.
#pragma once

#include "core/GlobalsRec.h"

// Hi-res line curLine in colour; the last pixel of each byte takes the next byte's high bit.
void CopyColorBits(ORVEL_GlobalsRec* rec);

// True when both colour functions, rendering into the RGBA store with the pen width and offset
// the render path gives them, draw their rows whole (undrawn dots black), so the store needs
// no clearing first.
bool BookColorDrawsWholeRows(const ORVEL_GlobalsRec* rec);

// Double hi-res line curLine in colour: 140 cells of four memory dots, each one colour index,
// placed dhgrColorOffset columns to the right.
void CopyColorDoubleBits(ORVEL_GlobalsRec* rec);
