// Any image onto the 560 x 192 screen as the view shows it: scaled in linear light with a
// Mitchell filter, keeping the shown aspect (fit, fill) or not (stretch), alpha over black.
#pragma once

#include "import/SourceImage.h"

#include <cstdint>

enum class FitMode {
    Fit,    // the whole image inside the screen, black bars beside or above and below
    Fill,   // the whole screen covered, the image cropped
    Stretch // the image stretched to the screen, whatever its shape
};

// Width of one memory dot as the view shows it, in the units in which a line is 2 tall:
// 1.0, or 0.9 and 0.84 under the view's aspect corrections (aspectCorrect 1 and 2).
double ShownDotWidth(std::uint16_t aspectCorrect);

// Where the scaled image lies on the screen, in memory dots and lines: `width` x `height` from
// (`left`, `top`), which may reach past the screen's edges (fill crops them).
struct ScreenPlacement {
    int left, top, width, height;
};
ScreenPlacement PlaceOnScreen(int width, int height, FitMode fit, std::uint16_t aspectCorrect);

// The image mapped to the screen. An image of exactly 560 x 192 maps one pixel to each dot, with
// no scaling whatever the fit; dots the image does not cover are black.
ScreenImage MapToScreen(const SourceImage& image, FitMode fit, std::uint16_t aspectCorrect);
