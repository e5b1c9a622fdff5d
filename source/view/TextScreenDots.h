// A drawn text screen made screen memory: its lit pixels become dots, written back as hi-res
// (40 columns) or double hi-res (80 columns). Plain C++: the drawing itself needs Qt, this not.
#pragma once

#include "core/GlobalsRec.h"

#include <cstdint>
#include <vector>

// The screen as drawn: one byte a pixel (non-zero lit), 280 (40 columns) or 560 (80 columns)
// pixels wide and 192 tall, row after row.
struct TextScreenMask {
    bool eighty = false;
    bool fontFound = false; // without the Apple II font only the inverse cells are drawn
    std::vector<std::uint8_t> lit;

    int width() const { return eighty ? 560 : 280; }
};

// Replaces the record's picture by the mask: a 40-column pixel x lights dots 2x and 2x + 1
// (hi-res pixel x, high bit clear), an 80-column pixel x double hi-res memory dot x. Keeps every
// setting but isDHGR. Does not render.
void WriteTextScreenDots(ORVEL_GlobalsRec* rec, const TextScreenMask& mask);
