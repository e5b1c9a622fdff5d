// The dot grid is the core's one-bit picture of the screen: double hi-res memory dot d is
// offscreen dot d + 1; hi-res pixel x is read where the write-back reads it, offscreen dot
// 2x + 1, so a pixel reads the same with or without the half-dot delay.
#include "edit/DotGrid.h"

#include "core/MonoRender.h"
#include "core/RenderPipeline.h"
#include "edit/HiresColors.h"

namespace {

bool OffscreenLit(const ORVEL_GlobalsRec* rec, int line, int x) {
    const std::uint8_t byte = rec->monoBits[line * kMonoRowBytes + x / 8];
    return ((byte >> (7 - x % 8)) & 1) == 0; // a clear bit is a lit dot
}

} // namespace

DotAddress AddressOfDot(bool dhgr, int line, int dot) {
    if (!dhgr) return DotAddress{false, g_rowoffsets[line] + dot / 14, (dot / 2) % 7};
    const int group = dot / 7;
    return DotAddress{group % 2 == 0, g_rowoffsets[line] + group / 2, dot % 7};
}

DotGrid::DotGrid(ORVEL_GlobalsRec* rec)
    : hiresB(!rec->isDHGR), dots(static_cast<std::size_t>(kLines * kMemoryDots)) {
    globalsP = rec;
    SetFullBand();
    PrepareMonoStore(rec);
    const std::int64_t pen = rec->penWidth;
    rec->penWidth = hiresB ? 2 : 1; // both dots of a pixel, so the odd one is lit either way
    CopyApple2Bits(rec, DotMode(rec));
    rec->penWidth = pen;
    for (int line = 0; line < kLines; ++line)
        for (int dot = 0; dot < kMemoryDots; ++dot) {
            const bool on = OffscreenLit(rec, line, hiresB ? (dot | 1) : dot + 1);
            const bool high = hiresB && (rec->mainMem[g_rowoffsets[line] + dot / 14] & 0x80) != 0;
            dots[static_cast<std::size_t>(line * kMemoryDots + dot)] =
                static_cast<std::uint8_t>((on ? 1 : 0) | (high ? 2 : 0));
        }
}

bool DotGrid::lit(int line, int dot) const {
    return inside(line, dot) && (dots[static_cast<std::size_t>(line * kMemoryDots + dot)] & 1);
}

bool DotGrid::highBit(int line, int dot) const {
    return inside(line, dot) && (dots[static_cast<std::size_t>(line * kMemoryDots + dot)] & 2);
}

ORVEL_ColorType DotGrid::cellColor(int line, int cell) const {
    const int first = 4 * cell;
    if (hiresB)
        return HiresPairColor(lit(line, first), lit(line, first + 2), highBit(line, first),
                              highBit(line, first + 2));
    unsigned color = 0;
    for (int d = 0; d < 4; ++d)
        color |= (lit(line, first + d) ? 1u : 0u) << (3 - d);
    return static_cast<ORVEL_ColorType>(color);
}
