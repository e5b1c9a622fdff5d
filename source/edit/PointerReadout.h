// What the status bar tells about the dot under the pointer: line, memory dot, and the byte
// that holds the dot, with its address in its bank, value and high bit.
#pragma once

#include "core/GlobalsRec.h"

#include <string>

struct PointerReadout {
    bool insideB = false;
    int line = 0, dot = 0;
    bool aux = false; // double hi-res: the byte is in the auxiliary bank
    int address = 0;  // the byte's address as the Apple II sees it ($2000 + bank offset)
    int value = 0;
    bool highBit = false;
};

PointerReadout ReadoutAt(const ORVEL_GlobalsRec* rec, int line, int dot);

// "line 12  dot 345  main $2C31 = $A5 (high bit 1)", with the bank named only for double
// hi-res; empty outside the picture.
std::string FormatReadout(const PointerReadout& readout, bool dhgr);
