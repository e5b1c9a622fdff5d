// A picture read as 560 memory dots by 192 lines through the core's dot picture, with the high
// bit of each dot's byte: what fills, the eyedropper and selections look at.
#pragma once

#include "core/GlobalsRec.h"

#include <cstdint>
#include <vector>

class DotGrid {
public:
    // Renders the record's dots (hi-res: a pixel's two memory dots alike). Leaves the record's
    // one-bit store holding the picture's dots.
    explicit DotGrid(ORVEL_GlobalsRec* rec);

    bool hires() const { return hiresB; }
    // Out-of-picture positions read as dark, without a high bit.
    bool lit(int line, int dot) const;
    bool highBit(int line, int dot) const;

    // The colour a cell of four memory dots (aligned on four) shows: double hi-res, the dots'
    // pattern as a colour index; hi-res, the colour its two pixels show (HiresPairColor).
    ORVEL_ColorType cellColor(int line, int cell) const;

private:
    bool inside(int line, int dot) const {
        return line >= 0 && line < kLines && dot >= 0 && dot < kMemoryDots;
    }
    bool hiresB;
    std::vector<std::uint8_t> dots; // bit 0: lit; bit 1: the byte's high bit (hi-res)
};

// Where memory dot `dot` of `line` lives: its byte in its bank (main for hi-res).
struct DotAddress {
    bool aux;
    int offset; // in the bank
    int bit;
};
DotAddress AddressOfDot(bool dhgr, int line, int dot);
