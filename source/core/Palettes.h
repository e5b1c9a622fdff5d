// The eight colour palettes, the one-bit palettes' lit colours, and colours as RGBA words.
// Every colour the program shows is one of these; the renderers speak in colour indices.
#pragma once

#include "core/GlobalsRec.h"

#include <cstdint>

// The core packs colours and loads one-bit rows as little-endian words; it builds for
// little-endian machines only, and says so here rather than half-catering for others.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the graphics core is little-endian");

// A colour packed so that storing the word in memory gives the bytes red, green, blue, alpha.
constexpr std::uint32_t PackRGBA(unsigned red, unsigned green, unsigned blue,
                                 unsigned alpha = 255) {
    return red | (green << 8) | (blue << 16) | (alpha << 24);
}

void InitPalettes(ORVEL_GlobalsRec* rec);

// paletteType limited to 0..7: a stored setting out of range selects the last palette
// rather than reading past the table.
inline unsigned ClampedPaletteType(const ORVEL_GlobalsRec* rec) {
    return rec->paletteType < kPaletteCount ? rec->paletteType : kPaletteCount - 1;
}

// Opaque colour of entry `index` (0..31) of the palette in force.
inline std::uint32_t PaletteRGBA(const ORVEL_GlobalsRec* rec, unsigned index) {
    const ColorSpec& entry = rec->palettes[ClampedPaletteType(rec)][index % kPaletteEntries];
    return PackRGBA(entry.red >> 8, entry.green >> 8, entry.blue >> 8);
}

// The lit colour of the one-bit palette in force: green, amber, or the white (entry 15) of the
// colour palette in force for "Black and White" and any out-of-range value.
std::uint32_t OneBitLitRGBA(const ORVEL_GlobalsRec* rec);

constexpr std::uint32_t kOpaqueBlack = PackRGBA(0, 0, 0);
