// From dots back to screen memory: rebuild one line of a bank from the one-bit store at
// baseAddr (clear bit = lit). Conversion, shifting and text pictures all end here.
#pragma once

#include "core/GlobalsRec.h"

// Hi-res: bit k of byte c is offscreen dot 14c + 2k + 1 (the odd dot of each pixel, so a
// delayed and an undelayed pixel read back alike); every high bit comes back clear.
void CopyMonoBitsBack(ORVEL_GlobalsRec* rec);

// Double hi-res: bit k of byte c of bank b is offscreen dot 14c + 7b + k + 1, the exact inverse
// of CopyMonoDoubleBits apart from bit 7, which comes back clear.
void CopyMonoDoubleBitsBack(ORVEL_GlobalsRec* rec);
