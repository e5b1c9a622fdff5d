// Whole-picture edits of screen memory: hi-res to double hi-res, and the one-dot shift. Both go
// through the one-bit dots and back; the picture view and orvel-convert both call them.
#pragma once

#include "core/GlobalsRec.h"

// Makes a hi-res picture double hi-res showing the same dots it showed with the half-dot delay.
// The main bank is overwritten; a double hi-res picture is left as it is. Does not render.
void ConvertRecordToDHGR(ORVEL_GlobalsRec* rec);

// Shifts the whole picture one dot left or right. Hi-res pictures lose every high bit; the
// leftmost dot of a double hi-res picture shifted right and back comes back dark. Does not render.
void ShiftRecord(ORVEL_GlobalsRec* rec, bool left);

// Shifts one row of the one-bit store (71 bytes, one 568-dot number) by one dot.
void ShiftDotRow(std::uint8_t* row, bool left);
