// Hi-res line addresses and picture sizes.
// The line table is the one bit trick of the hi-res screen layout; it is drawn out below.
#include "core/Geometry.h"

std::uint16_t g_rowoffsets[kLines];

void InitRowOffsets() {
    // Line y = 64t + 8g + s (third t, group g, sub-line s) lies at 1024s + 128g + 40t:
    //   y bits:   t t g g g s s s
    //   offset:   s s s g g g 0 0 0 0 0 0 0  +  40t
    // so the eight lines of a character row are 1 KiB apart, and three lines of successive
    // thirds share each 128-byte block (its last 8 bytes belong to no line).
    for (int t = 0; t < 3; ++t)
        for (int g = 0; g < 8; ++g)
            for (int s = 0; s < 8; ++s)
                g_rowoffsets[64 * t + 8 * g + s] =
                    static_cast<std::uint16_t>(1024 * s + 128 * g + 40 * t);
}

Rect GetOffscreenSize() {
    if (gSkipToLineB) return Rect{gSkipLineStart, 0, gSkipLineEnd, kOffscreenDots};
    return Rect{0, 0, kLines, kOffscreenDots};
}

long OffscreenRows() {
    const Rect r = GetOffscreenSize();
    return r.bottom > r.top ? r.bottom - r.top : 0;
}

Rect GetScreenSize() {
    int base = kOffscreenDots;
    if (globalsP->aspectCorrect == 1) base = 506;
    if (globalsP->aspectCorrect == 2) base = 474;

    int width = base;
    int height = 384;
    if (globalsP->screenSize == 2) {
        width = 2 * base;
        height = 768;
    } else if (globalsP->screenSize == 0) {
        // Single precision, truncated: half of 506 is 253 (253.25), half of 474 is 237.
        width = static_cast<int>((static_cast<float>(base) - 0.5f) * 0.5f + 0.5f);
        height = kLines;
    }
    return Rect{0, 0, static_cast<std::int16_t>(height), static_cast<std::int16_t>(width)};
}
