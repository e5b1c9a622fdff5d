// Hi-res line addresses and the two sizes of a picture: the offscreen store the renderers write
// and the picture as the view shows it (display size and aspect correction).
#pragma once

#include "core/GlobalsRec.h"

void InitRowOffsets();

// {0, 0, 192, 562}, or the band {gSkipLineStart, 0, gSkipLineEnd, 562} when gSkipToLineB.
Rect GetOffscreenSize();

// {0, 0, height, width} of the shown picture, from screenSize and aspectCorrect of *globalsP.
Rect GetScreenSize();

// Number of rows of the offscreen store that GetOffscreenSize describes (never negative).
long OffscreenRows();
