// The zoomed picture, composed by hand for the part of the view being painted: each dot a block
// of pixels, the dot grid, byte boundaries and hi-res high-bit marks blended in. One pass and
// one unscaled blit: the raster engine's own scaling and line drawing cost far more per call.
#pragma once

#include "core/GlobalsRec.h"

#include <QImage>
#include <QRect>

struct ZoomedView {
    double columnWidth; // view pixels per offscreen column
    double lineHeight;  // view pixels per line
    bool grid;          // dot grid and byte boundaries
    bool dhgr; // memory dot d at column d + 1, bytes of 7 dots; else pixels of 2, bytes of 14
};

// The part `exposed` of the view, from the 562 x 192 RGBA picture; `mainMem` gives the hi-res
// high bits that get a mark.
QImage composeZoomed(const QImage& picture, const QRect& exposed, const ZoomedView& view,
                     const std::uint8_t* mainMem);
