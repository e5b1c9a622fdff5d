// Line clipping (Cohen-Sutherland, single-precision slope), the Bresenham walk, and the cell
// each pencil point writes. A colour index is also a four-dot pattern: dot d takes bit
// 3 - (d mod 4) of it, so a cell must start where the colour's pattern shows best.
#include "core/DrawLine.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kOutLeft = 1, kOutRight = 2, kOutTop = 4, kOutBottom = 8;

// Clipping rounds are few (each moves one end onto an edge); this bound only guards against
// rounding that would keep a segment hopping between edges.
constexpr int kMaxClipRounds = 16;

int Outcode(Point p) {
    return (p.h < 0 ? kOutLeft : 0) | (p.h >= kMemoryDots ? kOutRight : 0) |
           (p.v < 0 ? kOutTop : 0) | (p.v >= kLines ? kOutBottom : 0);
}

// Truncation toward zero, saturated to the 16-bit range: an intersection far off the screen
// stays far off the screen instead of wrapping around onto it.
std::int16_t TruncToShort(float value) {
    if (!(value > -32768.0f)) return -32768;
    if (!(value < 32767.0f)) return 32767;
    return static_cast<std::int16_t>(value);
}

// Moves `moved` along the segment onto the edge its outcode names first.
Point ClipToEdge(Point moved, Point other, int code) {
    if (moved.h == other.h) {
        moved.v = (code & kOutTop) ? 0 : kLines - 1;
        return moved;
    }
    const float m = static_cast<float>(other.v - moved.v) / static_cast<float>(other.h - moved.h);
    const Point old = moved;
    if (code & kOutLeft) {
        moved.h = 0;
        moved.v = TruncToShort(old.v + (0 - old.h) * m);
    } else if (code & kOutRight) {
        moved.h = kMemoryDots - 1;
        moved.v = TruncToShort(old.v + (kMemoryDots - 1 - old.h) * m);
    } else if (code & kOutTop) {
        moved.v = 0;
        moved.h = TruncToShort(old.h + (0 - old.v) / m);
    } else {
        moved.v = kLines - 1;
        moved.h = TruncToShort(old.h + (kLines - 1 - old.v) / m);
    }
    return moved;
}

// Clips the segment to the screen; false when nothing of it is on the screen.
bool ClipSegment(Point& first, Point& second) {
    for (int round = 0; round <= kMaxClipRounds; ++round) {
        const int c1 = Outcode(first), c2 = Outcode(second);
        if ((c1 | c2) == 0) return true;
        if ((c1 & c2) != 0) return false;
        // The moved point becomes the first point, the other one the second.
        if (c1 != 0) {
            first = ClipToEdge(first, second, c1);
        } else {
            Point moved = ClipToEdge(second, first, c2);
            second = first;
            first = moved;
        }
    }
    return false;
}

void SetMemoryDot(ORVEL_GlobalsRec* rec, int line, int dot, bool on) {
    const int group = dot / 7;
    std::uint8_t* bank = (group % 2 == 0) ? rec->auxMem : rec->mainMem;
    std::uint8_t& byte = bank[g_rowoffsets[line] + group / 2];
    const std::uint8_t bit = static_cast<std::uint8_t>(1u << (dot % 7));
    byte = on ? (byte | bit) : (byte & ~bit);
}

bool PatternBit(unsigned color, int dot) {
    return (color >> (3 - dot % 4)) & 1;
}

// First memory dot of the four-dot cell the pencil writes at dot h.
int CellStart(const ORVEL_GlobalsRec* rec, unsigned color, int h) {
    const int rounded = h & ~3;
    int start = rounded;
    if (!rec->quenEngine) {
        if (color == 3) start = rounded + 2;
    } else if (color == 3 || color == 9) {
        start = rounded + 2;
    } else if (color == 13 || color == 14) {
        start = h | 3;
    } else if (color == 11) {
        start = rounded + 1;
    }
    return start > kMemoryDots - 4 ? kMemoryDots - 4 : start;
}

void PlotPencilPoint(ORVEL_GlobalsRec* rec, int h, int v) {
    const unsigned color = g_curColor;
    if (rec->is560Mode) {
        SetMemoryDot(rec, v, h, PatternBit(color, h));
        return;
    }
    const int start = CellStart(rec, color, h);
    for (int d = start; d < start + 4; ++d)
        SetMemoryDot(rec, v, d, PatternBit(color, d));
}

void WalkSegment(ORVEL_GlobalsRec* rec, Point from, Point to) {
    int h = from.h, v = from.v;
    const int dh = std::abs(to.h - from.h), dv = std::abs(to.v - from.v);
    const bool majorIsV = dh < dv;
    const int major = majorIsV ? dv : dh, minor = majorIsV ? dh : dv;
    const int stepH = to.h >= from.h ? 1 : -1, stepV = to.v >= from.v ? 1 : -1;
    int error = 2 * minor - major;
    for (int i = 0; i <= major; ++i) {
        PlotPencilPoint(rec, h, v);
        if (error < 0) {
            (majorIsV ? v : h) += majorIsV ? stepV : stepH;
            error += 2 * minor;
        } else {
            h += stepH;
            v += stepV;
            error += 2 * (minor - major);
        }
    }
}

} // namespace

short DrawLine(Point from, Point to) {
    if (globalsP == nullptr || !ClipSegment(from, to)) return 0;
    WalkSegment(globalsP, from, to);
    return 0;
}
