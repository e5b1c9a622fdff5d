// The dot plotter, written to stay inside its store whatever x, line and pen width it gets:
// the pencil and stored settings can hand it values far outside the picture.
#include "core/Plotter.h"

#include "core/Geometry.h"
#include "core/Palettes.h"

#include <algorithm>
#include <cstring>

std::uint8_t* StoreRow(const ORVEL_GlobalsRec* rec, std::int64_t line,
                       std::int64_t rowBytesNeeded) {
    const std::int64_t row = line - gSkipLineStart;
    if (rec->baseAddr == nullptr || row < 0 || row >= OffscreenRows()) return nullptr;
    if (rec->rowBytes < rowBytesNeeded) return nullptr;
    return rec->baseAddr + row * rec->rowBytes;
}

unsigned char PlotPointDirect(ORVEL_GlobalsRec* rec, unsigned long x, unsigned long line,
                              unsigned char color) {
    if (x >= static_cast<unsigned long>(kOffscreenDots) || line > 0x7FFFFFFFul) return color;
    const std::int64_t start = static_cast<std::int64_t>(x);
    std::int64_t end = RunEnd(start, rec->penWidth);
    const bool oneBit = rec->pixelDepth == 1;
    // A store narrower than a picture row keeps only the dots that fit in its rows.
    std::int64_t fits = oneBit ? rec->rowBytes * 8 : rec->rowBytes / 4;
    end = std::min(end, fits);
    if (end <= start) return color;
    std::uint8_t* row = StoreRow(rec, static_cast<std::int64_t>(line), 1);
    if (row == nullptr) return color;

    if (oneBit) {
        for (std::int64_t d = start; d < end; ++d) {
            const std::uint8_t bit = static_cast<std::uint8_t>(0x80u >> (d & 7));
            if (color != 0)
                row[d >> 3] &= static_cast<std::uint8_t>(~bit);
            else
                row[d >> 3] |= bit;
        }
    } else {
        const std::uint32_t rgba = PaletteRGBA(rec, color);
        for (std::int64_t d = start; d < end; ++d)
            std::memcpy(row + 4 * d, &rgba, 4);
    }
    return color;
}

void SetPenWidth(ORVEL_GlobalsRec* rec, short width) {
    rec->penWidth = width;
}

void UpdatePenWidth(ORVEL_GlobalsRec* rec) {
    if (rec->quenEngine)
        rec->penWidth = 1;
    else if (!rec->isDHGR)
        rec->penWidth = 2;
    else
        rec->penWidth = rec->bmFinalDepth >= 2 ? 4 : 1;
}
