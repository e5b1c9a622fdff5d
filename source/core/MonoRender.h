// Screen memory to dots without colour: the line walker and the two per-line dot functions.
// Their dots are the one-bit picture, and the first stage of the Quen engines and the editors.
#pragma once

#include "core/GlobalsRec.h"

// Runs the per-line function of `mode` over the band of lines: 0 hi-res dots, 1 hi-res
// colour, 2 double hi-res dots, 3 double hi-res colour, 4 dots back to double hi-res memory,
// 5 dots back to hi-res memory, 6 the dots of monoBits in composite colour (either shape); any
// other mode walks the lines and does nothing.
void CopyApple2Bits(ORVEL_GlobalsRec* rec, short mode);

// The modes that walk the record's picture as dots (0 hi-res, 2 double hi-res) and write dots
// back into it (5 hi-res, 4 double hi-res).
inline short DotMode(const ORVEL_GlobalsRec* rec) {
    return rec->isDHGR ? 2 : 0;
}
inline short WriteBackMode(const ORVEL_GlobalsRec* rec) {
    return rec->isDHGR ? 4 : 5;
}
constexpr short kCompositeMode = 6;

// Hi-res line curLine (bank offset rowOffset) as dots, with the half-dot delay of bytes whose
// high bit is set when bitShifting or quenEngine is on.
void CopyMonoBits(ORVEL_GlobalsRec* rec);

// Double hi-res line curLine as dots: memory dot d at offscreen dot d + 1.
void CopyMonoDoubleBits(ORVEL_GlobalsRec* rec);

// The 40 bytes of line rowOffset in `bank` (41 with the byte after the line, which the
// "By the Book" hi-res colours read), or null when rowOffset is not a line of the bank.
const std::uint8_t* LineBytes(const std::uint8_t* bank, std::int64_t rowOffset, int count = 40);
