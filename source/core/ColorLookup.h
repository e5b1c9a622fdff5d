// The Quen engines' colour lookup table: a colour index for every window of five dots, by
// scheme and phase. Literal data; a test rebuilds it from its construction rules.
#pragma once

#include <cstdint>

// [schemeType][phase][window]: window = dots x-2..x+2 (x-2 in bit 4), phase = (x + 3) mod 4.
// An entry of 128 or more (scheme 2 only) is conditional on the dots just outside the window.
extern const std::uint8_t gColorLookup[3][4][32];
