// The Quen colouring. Each dot's colour depends on seven dots around it (the five-dot window
// and, for "Quen: Sharp", one more on each side) and on its phase, so four neighbouring dots
// are coloured at once from ten dots through a table built once from gColorLookup.
#include "core/QuenColor.h"

#include "core/ColorLookup.h"
#include "core/Palettes.h"
#include "core/Plotter.h"
#include "core/RowSinks.h"

#include <cstring>

namespace {

unsigned SchemeOf(const ORVEL_GlobalsRec* rec) {
    return rec->schemeType < 3 ? rec->schemeType : 2;
}

// A "Quen: Sharp" conditional entry, settled by the dots just outside the window:
// L is dot x - 3, R is dot x + 3.
unsigned ResolveSharp(unsigned window, unsigned entry, bool L, bool R) {
    const unsigned color = entry - 128;
    switch (window) {
    case 0x02:
    case 0x03:
        return L ? color : 0;
    case 0x07:
        return R ? 15 : color;
    case 0x08:
    case 0x18:
        return R ? color : 0;
    case 0x11:
        return (L && R) ? 0 : color;
    case 0x1C:
        return L ? 15 : color;
    default:
        return color;
    }
}

unsigned DotColor(unsigned scheme, unsigned phase, unsigned window, bool L, bool R) {
    const unsigned entry = gColorLookup[scheme][phase][window];
    return entry >= 128 ? ResolveSharp(window, entry, L, R) : entry;
}

// For the four dots x = 4j .. 4j + 3 (phases 3, 0, 1, 2), their colour indices packed one a
// byte, indexed by the ten dots 4j - 3 .. 4j + 6 with the leftmost in bit 9.
struct QuadTables {
    std::uint32_t quad[3][1024];
    QuadTables() {
        for (unsigned scheme = 0; scheme < 3; ++scheme)
            for (unsigned ten = 0; ten < 1024; ++ten) {
                std::uint32_t packed = 0;
                for (unsigned t = 0; t < 4; ++t) {
                    const unsigned window = (ten >> (4 - t)) & 31;
                    const bool L = (ten >> (9 - t)) & 1, R = (ten >> (3 - t)) & 1;
                    packed |= DotColor(scheme, (t + 3) & 3, window, L, R) << (8 * t);
                }
                quad[scheme][ten] = packed;
            }
    }
};

const QuadTables& Tables() {
    static const QuadTables tables;
    return tables;
}

// The row's dots as a bit stream with dot d at position d + 3 (position p is bit 63 - p % 64
// of word p / 64), three dark dots in front and dot 561 onwards dark: the walk never reads
// dot 561, as its window stops taking new dots after dot 560.
void LoadPaddedRow(const std::uint8_t* row, std::uint64_t (&w)[11]) {
    std::uint8_t bytes[72] = {};
    std::memcpy(bytes, row, kMonoRowBytes);
    std::uint64_t m[9];
    for (int k = 0; k < 9; ++k)
        m[k] = LoadBigEndian64(bytes + 8 * k);
    m[8] &= ~((1ull << 15) - 1); // dots 561..575
    w[0] = m[0] >> 3;
    for (int k = 1; k < 9; ++k)
        w[k] = (m[k] >> 3) | (m[k - 1] << 61);
    w[9] = m[8] << 61;
    w[10] = 0;
}

// Positions p .. p + 9 of the stream, the first in bit 9.
unsigned TenDots(const std::uint64_t (&w)[11], unsigned p) {
    const unsigned k = p >> 6, shift = p & 63;
    const std::uint64_t top = shift == 0 ? w[k] : (w[k] << shift) | (w[k + 1] >> (64 - shift));
    return static_cast<unsigned>(top >> 54);
}

// Four dots of RGBA for every ten-dot window of the scheme and palette in force. Rebuilt only
// when they change, so renders share it. Each thread keeps its own, and NewCopyColor uses it
// before it returns and keeps no reference: no render sees another's colours.
struct QuadColors {
    unsigned scheme = 0;
    std::uint32_t palette[kPaletteEntries] = {};
    std::uint8_t rgba[1024][16] = {};
    bool built = false;
};

const QuadColors& QuadColorsFor(unsigned scheme, const std::uint32_t* palette) {
    thread_local QuadColors cache;
    if (cache.built && cache.scheme == scheme &&
        std::memcmp(cache.palette, palette, sizeof cache.palette) == 0)
        return cache;
    cache.scheme = scheme;
    std::memcpy(cache.palette, palette, sizeof cache.palette);
    const std::uint32_t* quad = Tables().quad[scheme];
    for (unsigned ten = 0; ten < 1024; ++ten)
        for (unsigned t = 0; t < 4; ++t)
            std::memcpy(cache.rgba[ten] + 4 * t, &palette[(quad[ten] >> (8 * t)) & 0xFF], 4);
    cache.built = true;
    return cache;
}

void ColorRow(const std::uint8_t* mono, std::uint8_t* out, const QuadColors& colors) {
    std::uint64_t w[11];
    LoadPaddedRow(mono, w);
    // Sixteen groups of four dots to a word: group g of word k starts at stream bit 4g.
    for (unsigned k = 0; k < 9; ++k) {
        const unsigned groups = k < 8 ? 16 : (kOffscreenDots - 512) / 4; // 140 whole groups
        for (unsigned g = 0; g < groups; ++g) {
            const unsigned ten =
                g <= 13 ? (w[k] >> (54 - 4 * g)) & 0x3FF
                        : ((w[k] << (4 * g - 54)) | (w[k + 1] >> (118 - 4 * g))) & 0x3FF;
            std::memcpy(out + 16 * (16 * k + g), colors.rgba[ten], 16);
        }
    }
    // Dots 560 and 561.
    std::memcpy(out + 4 * 560, colors.rgba[TenDots(w, 560)], 4 * (kOffscreenDots % 4));
}

// The dot walk as written for any store: the window carried from dot to dot, every dot
// plotted through PlotPointDirect. Used when the target is not the RGBA store.
void NewCopyColorPlotted(ORVEL_GlobalsRec* rec) {
    const unsigned scheme = SchemeOf(rec);
    for (std::int64_t line = gSkipLineStart; line < gSkipLineEnd; ++line) {
        const std::int64_t r = line - gSkipLineStart;
        if (!MonoRowReadable(rec, r) || line < 0) continue;
        const std::uint8_t* row = rec->monoBits + r * rec->monoRowBytes;
        auto dot = [row](int x) -> unsigned { return (row[x >> 3] >> (7 - (x & 7))) & 1; };
        unsigned w = (dot(0) << 1) | dot(1), n = dot(2), phase = 2;
        for (int x = 0; x < kOffscreenDots; ++x) {
            phase = (phase + 1) & 3;
            const unsigned w0 = w;
            w = ((w << 1) & 31) | n;
            n = x <= 557 ? dot(x + 3) : 0;
            const unsigned c = DotColor(scheme, phase, w, (w0 >> 4) & 1, n != 0);
            PlotPointDirect(rec, static_cast<unsigned long>(x), static_cast<unsigned long>(line),
                            static_cast<unsigned char>(c));
        }
    }
}

} // namespace

void NewCopyColor(ORVEL_GlobalsRec* rec) {
    if (rec->pixelDepth == 1) {
        NewCopyColorPlotted(rec);
        return;
    }
    // Every plot spills into the next dot at most, which the next plot overwrites, so each
    // dot ends with its own colour; a pen of no width plots nothing at all.
    if (rec->penWidth <= 0) return;
    std::uint32_t palette[kPaletteEntries];
    for (unsigned j = 0; j < kPaletteEntries; ++j)
        palette[j] = PaletteRGBA(rec, j);
    const QuadColors& colors = QuadColorsFor(SchemeOf(rec), palette);
    for (std::int64_t line = gSkipLineStart; line < gSkipLineEnd; ++line) {
        const std::int64_t r = line - gSkipLineStart;
        std::uint8_t* out = StoreRow(rec, line, 4 * kOffscreenDots);
        if (out == nullptr || !MonoRowReadable(rec, r)) continue;
        ColorRow(rec->monoBits + r * rec->monoRowBytes, out, colors);
    }
}
