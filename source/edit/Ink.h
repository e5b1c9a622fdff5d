// How a tool's dots reach screen memory: double hi-res through the pencil's own DrawLine, a
// hi-res picture kept hi-res through the core's dot picture and the hi-res write-back. One Ink
// serves one action; what it writes is exactly what a save then writes.
#pragma once

#include "core/GlobalsRec.h"

#include <cstdint>
#include <vector>

class Ink {
public:
    // A hi-res picture becomes double hi-res first (as the pencil always did) unless
    // `keepHiRes`. Points take `color` as four-dot cells, or single dots in 560 mode (hi-res:
    // two-pixel cells, or single pixels).
    Ink(ORVEL_GlobalsRec* rec, ORVEL_ColorType color, bool keepHiRes);
    ~Ink();
    Ink(const Ink&) = delete;
    Ink& operator=(const Ink&) = delete;

    bool hires() const { return hiresB; }

    // The segment's points (both ends included), clipped to the picture.
    void segment(Point from, Point to);
    // Memory dots `from`..`to` of `line` take the colour's pattern dot by dot, whatever the
    // mode: what a fill writes into the cells it found.
    void patternRun(int line, int from, int to);
    // One memory dot (hi-res: its pixel) lit or dark; a hi-res byte takes `highBit` (0 or 1)
    // or keeps its own (-1).
    void setDot(int line, int dot, bool lit, int highBit = -1);

    // Writes a hi-res picture's dots back; the destructor does it too.
    void finish();

private:
    void hiresSegment(Point from, Point to);
    void setPixel(int line, int x, bool lit, int highBit);
    void drawDoubleLine(Point from, Point to, ORVEL_ColorType color, bool singleDots);

    ORVEL_GlobalsRec* rec;
    ORVEL_ColorType color;
    bool hiresB;
    bool pendingB = false;
    // Hi-res: per line byte, 0 untouched, 1 touched keeping its high bit, 2 + bit: given one.
    std::vector<std::uint8_t> touched;
    std::int64_t savedPen = 0;
};
