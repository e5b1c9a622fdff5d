// Double hi-res points go through DrawLine with the colour and mode set for the call and put
// back after it. Hi-res points are lit or darkened in the core's one-bit picture with
// PlotPointDirect and written back line by line; the write-back clears every high bit, so the
// bits are put back afterwards, with the colour's group on the bytes the ink touched.
#include "edit/Ink.h"

#include "core/DrawLine.h"
#include "core/Editing.h"
#include "core/MonoRender.h"
#include "core/Plotter.h"
#include "core/RenderPipeline.h"
#include "edit/HiresColors.h"

#include <cstdlib>

namespace {

constexpr int kPixels = kMemoryDots / 2;

// Floor division by two for memory dots left of the picture.
int PixelOf(int dot) {
    return dot >= 0 ? dot / 2 : -((-dot + 1) / 2);
}

} // namespace

Ink::Ink(ORVEL_GlobalsRec* rec, ORVEL_ColorType color, bool keepHiRes) : rec(rec), color(color) {
    if (!rec->isDHGR && !keepHiRes) ConvertRecordToDHGR(rec);
    hiresB = !rec->isDHGR;
    if (!hiresB) return;
    globalsP = rec;
    SetFullBand();
    PrepareMonoStore(rec);
    savedPen = rec->penWidth;
    rec->penWidth = 2;
    CopyApple2Bits(rec, 0);
    rec->penWidth = 1; // each plot below lights or darkens the one dot the write-back reads
    touched.assign(static_cast<std::size_t>(kLines * kLineBytes), 0);
    pendingB = true;
}

Ink::~Ink() {
    finish();
}

void Ink::drawDoubleLine(Point from, Point to, ORVEL_ColorType inkColor, bool singleDots) {
    const ORVEL_ColorType savedColor = g_curColor;
    const Boolean savedMode = rec->is560Mode;
    ORVEL_GlobalsRec* savedRec = globalsP;
    g_curColor = inkColor & 15;
    rec->is560Mode = singleDots ? 1 : rec->is560Mode;
    globalsP = rec;
    DrawLine(from, to);
    globalsP = savedRec;
    rec->is560Mode = savedMode;
    g_curColor = savedColor;
}

void Ink::segment(Point from, Point to) {
    if (hiresB)
        hiresSegment(from, to);
    else
        drawDoubleLine(from, to, color, false);
}

void Ink::patternRun(int line, int from, int to) {
    if (from > to) return;
    if (!hiresB) {
        drawDoubleLine(Point{static_cast<std::int16_t>(line), static_cast<std::int16_t>(from)},
                       Point{static_cast<std::int16_t>(line), static_cast<std::int16_t>(to)}, color,
                       true);
        return;
    }
    for (int x = PixelOf(from); x <= PixelOf(to); ++x)
        setPixel(line, x, HiresPixelLit(color, x), HiresGroup(color));
}

void Ink::setDot(int line, int dot, bool lit, int highBit) {
    if (hiresB) {
        setPixel(line, PixelOf(dot), lit, highBit);
        return;
    }
    const Point at{static_cast<std::int16_t>(line), static_cast<std::int16_t>(dot)};
    drawDoubleLine(at, at, lit ? 15 : 0, true);
}

void Ink::setPixel(int line, int x, bool lit, int highBit) {
    if (line < 0 || line >= kLines || x < 0 || x >= kPixels) return;
    PlotPointDirect(rec, static_cast<unsigned long>(2 * x + 1), static_cast<unsigned long>(line),
                    lit ? 1 : 0);
    std::uint8_t& mark = touched[static_cast<std::size_t>(line * kLineBytes + x / 7)];
    mark = highBit < 0 ? (mark == 0 ? 1 : mark) : static_cast<std::uint8_t>(2 + (highBit & 1));
}

// The Bresenham walk of DrawLine, on hi-res pixels; a point writes its two-pixel cell, or its
// pixel alone in 560 mode.
void Ink::hiresSegment(Point from, Point to) {
    int x = PixelOf(from.h), v = from.v;
    const int xEnd = PixelOf(to.h), vEnd = to.v;
    // A segment wholly beside the picture draws nothing (DrawLine's clipping, for hi-res).
    if ((x < 0 && xEnd < 0) || (x >= kPixels && xEnd >= kPixels) || (v < 0 && vEnd < 0) ||
        (v >= kLines && vEnd >= kLines))
        return;
    const int dx = std::abs(xEnd - x), dv = std::abs(vEnd - v);
    const bool majorIsV = dx < dv;
    const int major = majorIsV ? dv : dx, minor = majorIsV ? dx : dv;
    const int stepX = xEnd >= x ? 1 : -1, stepV = vEnd >= v ? 1 : -1;
    const int group = HiresGroup(color);
    int error = 2 * minor - major;
    for (int i = 0; i <= major; ++i) {
        if (rec->is560Mode) {
            setPixel(v, x, HiresPixelLit(color, x), group);
        } else {
            const int first = x & ~1;
            setPixel(v, first, HiresPixelLit(color, first), group);
            setPixel(v, first + 1, HiresPixelLit(color, first + 1), group);
        }
        if (error < 0) {
            (majorIsV ? v : x) += majorIsV ? stepV : stepX;
            error += 2 * minor;
        } else {
            x += stepX;
            v += stepV;
            error += 2 * (minor - major);
        }
    }
}

void Ink::finish() {
    if (!pendingB) return;
    pendingB = false;
    std::uint8_t high[kLines * kLineBytes];
    for (int line = 0; line < kLines; ++line)
        for (int c = 0; c < kLineBytes; ++c)
            high[line * kLineBytes + c] = rec->mainMem[g_rowoffsets[line] + c] & 0x80;
    globalsP = rec;
    SetFullBand();
    CopyApple2Bits(rec, 5);
    for (int line = 0; line < kLines; ++line)
        for (int c = 0; c < kLineBytes; ++c) {
            const int i = line * kLineBytes + c;
            const std::uint8_t bit =
                touched[i] >= 2 ? static_cast<std::uint8_t>((touched[i] & 1) << 7) : high[i];
            rec->mainMem[g_rowoffsets[line] + c] |= bit;
        }
    rec->penWidth = savedPen;
}
