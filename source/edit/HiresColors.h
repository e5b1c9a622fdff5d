// The six colours a hi-res picture can show, as the colour indices that show the same on the
// same dots, and what each one does to a pixel and to its byte's high bit.
#pragma once

#include "core/GlobalsRec.h"

// Black, white, violet, green, blue, orange: the order of the "Colors" panel in hi-res.
constexpr int kHiresColorCount = 6;
extern const ORVEL_ColorType kHiresColors[kHiresColorCount];

bool IsHiresColor(ORVEL_ColorType color);

// Whether pixel x (0..279) of a line is lit in `color`: violet and blue light even pixels,
// green and orange odd ones. Any other colour index draws as white.
bool HiresPixelLit(ORVEL_ColorType color, int x);

// The high bit `color` gives the bytes it touches: 0 violet and green, 1 blue and orange,
// -1 black and white (which look the same in both groups, so the byte keeps its own).
int HiresGroup(ORVEL_ColorType color);

// The colour an even and an odd pixel show together, given the high bits of their bytes.
ORVEL_ColorType HiresPairColor(bool evenLit, bool oddLit, bool evenHigh, bool oddHigh);
