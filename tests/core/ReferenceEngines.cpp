// The reference engines: every rule as it reads, one PlotPointDirect per plot, no tables but
// gColorLookup, no word tricks. Slow on purpose; only the tests run it.
#include "ReferenceEngines.h"

#include <cstring>

namespace reference {
namespace {

void MonoBits(ORVEL_GlobalsRec* rec) {
    const std::uint8_t* line = rec->mainMem + rec->rowOffset;
    const unsigned long y = static_cast<unsigned long>(rec->curLine);
    const bool shifting = rec->bitShifting || rec->quenEngine;
    bool carry = false;
    unsigned s = 0;
    for (unsigned c = 0; c < 40; ++c) {
        const unsigned b = line[c];
        if (shifting) {
            rec->penWidth = 1;
            if (!(b & 0x80))
                PlotPointDirect(rec, 14 * c, y, 0);
            else if (carry)
                PlotPointDirect(rec, 14 * c, y, 15);
            s = b >> 7;
            rec->penWidth = 2;
            carry = false;
        }
        for (unsigned k = 0; k < 7; ++k) {
            if (b & (1u << k)) {
                PlotPointDirect(rec, 14 * c + s + 2 * k, y, 15);
                if (k == 6) carry = true;
            }
        }
    }
}

void MonoDoubleBits(ORVEL_GlobalsRec* rec) {
    const unsigned long y = static_cast<unsigned long>(rec->curLine);
    for (unsigned c = 0; c < 40; ++c)
        for (unsigned b = 0; b < 2; ++b) {
            const unsigned byte = (b == 0 ? rec->auxMem : rec->mainMem)[rec->rowOffset + c];
            for (unsigned k = 0; k < 7; ++k)
                if (byte & (1u << k)) PlotPointDirect(rec, 14 * c + 7 * b + k + 1, y, 15);
        }
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
    const unsigned long y = static_cast<unsigned long>(rec->curLine);
    auto dot = [&](int d) {
        const int q = d / 7;
        const std::uint8_t* bank = q % 2 == 0 ? rec->auxMem : rec->mainMem;
        return (bank[rec->rowOffset + q / 2] >> (d % 7)) & 1;
    };
    for (int k = 0; k < 140; ++k) {
        const int color = 8 * dot(4 * k) + 4 * dot(4 * k + 1) + 2 * dot(4 * k + 2) + dot(4 * k + 3);
        if (color)
            PlotPointDirect(rec, static_cast<unsigned long>(globalsP->dhgrColorOffset + 4 * k), y,
                            static_cast<unsigned char>(color));
    }
}

} // namespace

void CopyLine(ORVEL_GlobalsRec* rec, int mode) {
    switch (mode) {
    case 0:
        MonoBits(rec);
        break;
    case 1:
        ColorBits(rec);
        break;
    case 2:
        MonoDoubleBits(rec);
        break;
    case 3:
        ColorDoubleBits(rec);
        break;
    }
}

namespace {

void Walk(ORVEL_GlobalsRec* rec, int mode) {
    for (rec->curLine = gSkipLineStart; rec->curLine < gSkipLineEnd; ++rec->curLine) {
        rec->rowOffset = g_rowoffsets[rec->curLine];
        CopyLine(rec, mode);
    }
}

} // namespace

void QuenColor(ORVEL_GlobalsRec* rec) {
    const unsigned scheme = rec->schemeType;
    for (int line = 0; line < 192; ++line) {
        const std::uint8_t* row = rec->monoBits + line * rec->monoRowBytes;
        auto dot = [&](int x) -> unsigned { return (row[x / 8] >> (7 - x % 8)) & 1; };
        unsigned w = (dot(0) << 1) | dot(1), n = dot(2), phase = 2;
        for (int x = 0; x < 562; ++x) {
            phase = (phase + 1) % 4;
            const unsigned w0 = w;
            w = ((w << 1) % 32) | n;
            n = x <= 557 ? dot(x + 3) : 0;
            unsigned c = gColorLookup[scheme][phase][w];
            if (c >= 128) {
                const bool L = (w0 >> 4) & 1, R = n;
                bool keep = false;
                unsigned otherwise = 0;
                switch (w) {
                case 0x02:
                case 0x03:
                    keep = L;
                    break;
                case 0x07:
                    keep = !R;
                    otherwise = 15;
                    break;
                case 0x08:
                case 0x18:
                    keep = R;
                    break;
                case 0x11:
                    keep = !(L && R);
                    break;
                case 0x1C:
                    keep = !L;
                    otherwise = 15;
                    break;
                }
                c = keep ? c - 128 : otherwise;
            }
            PlotPointDirect(rec, static_cast<unsigned long>(x), static_cast<unsigned long>(line),
                            static_cast<unsigned char>(c));
        }
    }
}

namespace {

void PrepareRGBA(ORVEL_GlobalsRec* rec, RGBAStore store) {
    rec->pixelDepth = 32;
    rec->baseAddr = store.pixels;
    rec->rowBytes = store.rowBytes;
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 562; ++x) {
            std::uint8_t* p = store.pixels + y * store.rowBytes + 4 * x;
            p[0] = p[1] = p[2] = 0;
            p[3] = 255;
        }
}

void PrepareMono(ORVEL_GlobalsRec* rec) {
    rec->pixelDepth = 1;
    std::memset(rec->monoBits, 0xFF, 71 * 192);
    rec->baseAddr = rec->monoBits;
    rec->rowBytes = 71;
}

void OneBitToRGBA(ORVEL_GlobalsRec* rec, RGBAStore store) {
    PrepareRGBA(rec, store);
    unsigned r, g, b;
    if (rec->oneBitPalette == 1) {
        r = 0x33, g = 0xFF, b = 0x33;
    } else if (rec->oneBitPalette == 2) {
        r = 0xFF, g = 0xBB, b = 0x00;
    } else {
        const ColorSpec& white = rec->palettes[rec->paletteType][15];
        r = white.red >> 8, g = white.green >> 8, b = white.blue >> 8;
    }
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 562; ++x)
            if (!((rec->monoBits[y * 71 + x / 8] >> (7 - x % 8)) & 1)) {
                std::uint8_t* p = store.pixels + y * store.rowBytes + 4 * x;
                p[0] = static_cast<std::uint8_t>(r);
                p[1] = static_cast<std::uint8_t>(g);
                p[2] = static_cast<std::uint8_t>(b);
            }
}

} // namespace

void RenderPicture(ORVEL_GlobalsRec* rec, RGBAStore store) {
    globalsP = rec;
    SetFullBand();
    UpdatePenWidth(rec);
    const int dots = rec->isDHGR ? 2 : 0;
    if (rec->quenEngine && rec->bmFinalDepth >= 2) {
        PrepareMono(rec);
        Walk(rec, dots);
        for (std::int64_t i = 0; i < rec->monoBitsSize; ++i)
            rec->monoBits[i] = ~rec->monoBits[i];
        rec->monoRowBytes = 71;
        PrepareRGBA(rec, store);
        QuenColor(rec);
    } else if (rec->quenEngine || rec->bmFinalDepth == 1) {
        PrepareMono(rec);
        Walk(rec, dots);
        OneBitToRGBA(rec, store);
    } else {
        PrepareRGBA(rec, store);
        Walk(rec, rec->bmFinalDepth >= 2 ? dots + 1 : dots);
    }
}

} // namespace reference
