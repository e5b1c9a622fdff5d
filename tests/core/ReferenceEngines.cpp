// The reference engines: every rule as it reads, one PlotPointDirect per plot, no tables but
// gColorLookup, no word tricks. Slow on purpose; only the tests run it.
#include "CoreTestSupport.h"

#include <cstring>

namespace reference {
namespace {

// Memory dot d (0..559) of the record's current line: auxiliary and main bytes alternate.
unsigned DoubleDot(const ORVEL_GlobalsRec* rec, unsigned d) {
    const std::uint8_t* bank = d / 7 % 2 ? rec->mainMem : rec->auxMem;
    const unsigned byte = rec->rowOffset + d / 14, bit = d % 7;
    return (bank[byte] >> bit) & 1u;
}

void MonoBits(ORVEL_GlobalsRec* rec) {
    const std::uint8_t* line = rec->mainMem + rec->rowOffset;
    const unsigned long y = static_cast<unsigned long>(rec->curLine);
    const bool shifting = rec->bitShifting || rec->quenEngine;
    bool carry = false;
    unsigned s = 0;
    for (unsigned c = 0; c < 40; ++c) {
        const unsigned b = line[c];
        if (shifting) { // the byte's first half dot: cleared, or kept lit by a carried pixel 6
            rec->penWidth = 1;
            if (!(b & 0x80))
                PlotPointDirect(rec, 14 * c, y, 0);
            else if (carry)
                PlotPointDirect(rec, 14 * c, y, 15);
            s = b >> 7;
            rec->penWidth = 2;
            carry = false;
        }
        for (unsigned k = 0; k < 7; ++k)
            if (b & (1u << k)) {
                PlotPointDirect(rec, 14 * c + s + 2 * k, y, 15);
                carry = carry || k == 6;
            }
    }
}

void MonoDoubleBits(ORVEL_GlobalsRec* rec) {
    for (unsigned d = 0; d < 560; ++d)
        if (DoubleDot(rec, d))
            PlotPointDirect(rec, d + 1, static_cast<unsigned long>(rec->curLine), 15);
}

void ColorBits(ORVEL_GlobalsRec* rec) {
    const std::uint8_t* line = rec->mainMem + rec->rowOffset;
    const unsigned long y = static_cast<unsigned long>(rec->curLine);
    auto on = [&](int i) { return i >= 0 && i < 280 && ((line[i / 7] >> (i % 7)) & 1); };
    auto H = [&](int i) { return (line[(i + 1) / 7] >> 7) & 1; };
    for (int i = 0; i < 280; ++i) {
        if (rec->bitShifting && i % 7 == 6) {
            rec->penWidth = 1;
            if (!H(i))
                PlotPointDirect(rec, 2 * i, y, 0);
            else if (on(i - 1) && !(line[i / 7] & 0x80))
                PlotPointDirect(rec, 2 * i, y, 15);
            rec->penWidth = 2;
        }
        unsigned color = 0;
        const bool even = i % 2 == 0;
        if (on(i) && (on(i - 1) || on(i + 1)))
            color = 15;
        else if (on(i))
            color = even ? (H(i) ? 12 : 9) : (H(i) ? 3 : 6);
        else if (on(i - 1) && on(i + 1))
            color = even ? (H(i) ? 3 : 6) : (H(i) ? 12 : 9);
        const unsigned shift = rec->bitShifting ? H(i) : 0;
        if (color) PlotPointDirect(rec, 2 * i + shift, y, static_cast<unsigned char>(color));
    }
}

void ColorDoubleBits(ORVEL_GlobalsRec* rec) {
    auto dot = [rec](int d) { return int(DoubleDot(rec, unsigned(d))); };
    for (int k = 0; k < 140; ++k) {
        const int color = 8 * dot(4 * k) + 4 * dot(4 * k + 1) + 2 * dot(4 * k + 2) + dot(4 * k + 3);
        if (color)
            PlotPointDirect(rec, static_cast<unsigned long>(globalsP->dhgrColorOffset + 4 * k),
                            static_cast<unsigned long>(rec->curLine),
                            static_cast<unsigned char>(color));
    }
}

void CopyLine(ORVEL_GlobalsRec* rec, int mode) {
    void (*const kLine[])(ORVEL_GlobalsRec*) = {MonoBits, ColorBits, MonoDoubleBits,
                                                ColorDoubleBits};
    kLine[mode](rec);
}

void Walk(ORVEL_GlobalsRec* rec, int mode) {
    for (rec->curLine = gSkipLineStart; rec->curLine < gSkipLineEnd; ++rec->curLine) {
        rec->rowOffset = g_rowoffsets[rec->curLine];
        CopyLine(rec, mode);
    }
}

// A store of 562 x 192 dots: opaque black RGBA, or a one-bit store of unlit dots.
void Prepare(ORVEL_GlobalsRec* rec, RGBAStore store, bool oneBit) {
    rec->pixelDepth = oneBit ? 1 : 32;
    rec->baseAddr = oneBit ? rec->monoBits : store.pixels;
    rec->rowBytes = oneBit ? 71 : store.rowBytes;
    if (oneBit) std::memset(rec->monoBits, 0xFF, 71 * 192);
    for (int y = 0; !oneBit && y < 192; ++y)
        for (int x = 0; x < 562; ++x)
            std::memcpy(store.pixels + y * store.rowBytes + 4 * x, "\0\0\0\xFF", 4);
}

void QuenColor(ORVEL_GlobalsRec* rec) {
    for (int line = 0; line < 192; ++line) {
        const std::uint8_t* row = rec->monoBits + line * rec->monoRowBytes;
        auto dot = [&](int x) -> unsigned { return (row[x / 8] >> (7 - x % 8)) & 1; };
        unsigned w = (dot(0) << 1) | dot(1), n = dot(2), phase = 2;
        for (int x = 0; x < 562; ++x) {
            phase = (phase + 1) % 4;
            const bool L = (w >> 4) & 1; // the dot leaving the window
            w = ((w << 1) % 32) | n;
            n = x <= 557 ? dot(x + 3) : 0;
            unsigned c = gColorLookup[rec->schemeType][phase][w];
            if (c >= 128) { // conditional windows, settled by the dots just outside them
                const bool R = n;
                const bool keep = w == 2 || w == 3    ? L
                                  : w == 7            ? !R
                                  : w == 8 || w == 24 ? R
                                  : w == 17           ? !(L && R)
                                                      : w == 28 && !L;
                c = keep ? c - 128 : (w == 7 || w == 28 ? 15 : 0);
            }
            PlotPointDirect(rec, static_cast<unsigned long>(x), static_cast<unsigned long>(line),
                            static_cast<unsigned char>(c));
        }
    }
}

} // namespace

void RenderPicture(ORVEL_GlobalsRec* rec, RGBAStore store) {
    globalsP = rec;
    SetFullBand();
    UpdatePenWidth(rec);
    const int dots = rec->isDHGR ? 2 : 0;
    const bool oneBit = rec->quenEngine || rec->bmFinalDepth == 1;
    if (oneBit) {
        Prepare(rec, store, true);
        Walk(rec, dots);
        Prepare(rec, store, false);
    }
    if (oneBit && rec->bmFinalDepth >= 2) {
        for (std::int64_t i = 0; i < rec->monoBitsSize; ++i)
            rec->monoBits[i] = ~rec->monoBits[i];
        rec->monoRowBytes = 71;
        QuenColor(rec);
    } else if (oneBit) { // lit dots in the one-bit palette's colour
        const ColorSpec& white = rec->palettes[rec->paletteType][15];
        const std::uint8_t lit[3][3] = {{std::uint8_t(white.red >> 8),
                                         std::uint8_t(white.green >> 8),
                                         std::uint8_t(white.blue >> 8)},
                                        {0x33, 0xFF, 0x33},
                                        {0xFF, 0xBB, 0x00}};
        for (int y = 0; y < 192; ++y)
            for (int x = 0; x < 562; ++x)
                if (!((rec->monoBits[y * 71 + x / 8] >> (7 - x % 8)) & 1))
                    std::memcpy(store.pixels + y * store.rowBytes + 4 * x,
                                lit[rec->oneBitPalette < 3 ? rec->oneBitPalette : 0], 3);
    } else {
        Prepare(rec, store, false);
        Walk(rec, rec->bmFinalDepth >= 2 ? dots + 1 : dots);
    }
}

} // namespace reference
