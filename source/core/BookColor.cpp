// "By the Book" colour: every hi-res pixel is coloured from itself, its two neighbours, the
// high bit in force and its column's parity; double hi-res is four dots to a colour cell.
// Into the RGBA store a hi-res line is drawn a byte at a time from a table of the fourteen
// dots each byte ends up with, built once by walking the rules below over every context.
#include "core/BookColor.h"

#include "core/MonoRender.h"
#include "core/RowSinks.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <type_traits>

namespace {

// Pixel i of a hi-res line (280 pixels) and the high bit H(i) that colours and delays it.
struct HiresPixels {
    explicit HiresPixels(const std::uint8_t* line) : bytes(line) {
        for (int i = 0; i < 280; ++i)
            lit[i + 1] = (line[i / 7] >> (i % 7)) & 1;
    }
    bool on(int i) const { return lit[i + 1] != 0; } // on(-1) and on(280) are dark
    // The last pixel of a byte takes the next byte's high bit: H(279) reads the byte after
    // the line's 40 bytes, which is still inside the bank.
    int H(int i) const { return bytes[(i + 1) / 7] >> 7; }
    int ownHighBit(int i) const { return bytes[i / 7] >> 7; }

    const std::uint8_t* bytes;
    std::uint8_t lit[282] = {};
};

unsigned PixelColor(const HiresPixels& px, int i) {
    const bool left = px.on(i - 1), right = px.on(i + 1);
    const bool even = (i & 1) == 0;
    const bool high = px.H(i) != 0;
    if (px.on(i)) {
        if (left || right) return 15;
        return even ? (high ? 12 : 9) : (high ? 3 : 6);
    }
    if (left && right) return even ? (high ? 3 : 6) : (high ? 12 : 9);
    return 0;
}

// The rules, pixel by pixel, for pixels 0 .. count - 1. With bit shifting the last pixel of
// each byte first settles the dot where a delayed and an undelayed byte meet.
template <class Sink>
void WalkHiresColor(const HiresPixels& px, bool bitShifting, std::int64_t& pen, int count,
                    Sink& sink) {
    for (int i = 0; i < count; ++i) {
        if (bitShifting && i % 7 == 6) {
            if (px.H(i) == 0)
                sink.plot(2 * i, 1, 0);
            else if (px.on(i - 1) && px.ownHighBit(i) == 0)
                sink.plot(2 * i, 1, 15);
            pen = 2;
        }
        const unsigned color = PixelColor(px, i);
        const int shift = bitShifting ? px.H(i) : 0;
        if (color != 0) sink.plot(2 * i + shift, pen, color);
    }
}

// Records which colour each dot of a short line ends with (kUntouched: none).
constexpr std::uint8_t kUntouched = 16;
struct RecordingSink {
    std::uint8_t dots[kOffscreenDots];
    RecordingSink() { std::fill(std::begin(dots), std::end(dots), kUntouched); }
    void plot(std::int64_t x, std::int64_t width, unsigned color) {
        for (std::int64_t d = x; d < RunEnd(x, width); ++d)
            dots[d] = static_cast<std::uint8_t>(color);
    }
};

// The fourteen dots of byte c depend on bits 5 and 6 of byte c - 1, all of byte c, bits 0 and 7
// of byte c + 1 and the parity of c: thirteen bits of context.
unsigned ByteContext(unsigned prev, unsigned cur, unsigned next, unsigned c) {
    return ((prev >> 5) & 3) | (cur << 2) | ((next & 1) << 10) | ((next >> 7) << 11) |
           ((c & 1) << 12);
}

// For every context, the fourteen dots of the byte as seven pairs, each pair one index
// 17 x first + second into the colours 0..15 and kUntouched.
constexpr int kPairColors = 17;
struct HiresDotTable {
    std::uint16_t pairs[8192][7];
    explicit HiresDotTable(bool bitShifting) {
        for (unsigned key = 0; key < 8192; ++key) {
            // A short line whose byte f has the context's parity and neighbours.
            const int f = (key >> 12) ? 1 : 2;
            std::uint8_t line[41] = {};
            line[f - 1] = static_cast<std::uint8_t>((key & 3) << 5);
            line[f] = static_cast<std::uint8_t>(key >> 2);
            line[f + 1] = static_cast<std::uint8_t>(((key >> 10) & 1) | (((key >> 11) & 1) << 7));
            RecordingSink sink;
            std::int64_t pen = 2;
            WalkHiresColor(HiresPixels(line), bitShifting, pen, 7 * (f + 1), sink);
            const std::uint8_t* dots = sink.dots + 14 * f;
            for (int t = 0; t < 7; ++t)
                pairs[key][t] =
                    static_cast<std::uint16_t>(kPairColors * dots[2 * t] + dots[2 * t + 1]);
        }
    }
};

const HiresDotTable& DotTable(bool bitShifting) {
    static const std::unique_ptr<HiresDotTable> shifted(new HiresDotTable(true));
    static const std::unique_ptr<HiresDotTable> unshifted(new HiresDotTable(false));
    return bitShifting ? *shifted : *unshifted;
}

// Two dots of RGBA for every pair of colours (undrawn dots are black). Rebuilt only when the
// colours change, so the lines of one render share it. Each thread keeps its own, and every
// line function uses it before it returns and keeps no reference: no render sees another's.
struct DotPairs {
    std::uint32_t colors[16] = {};
    std::uint64_t rgba[kPairColors * kPairColors] = {};
    std::uint64_t cells[16] = {}; // a double hi-res cell's two pairs: colour 0 plots nothing
    bool built = false;
};

const DotPairs& PairsFor(const ORVEL_GlobalsRec* rec) {
    thread_local DotPairs cache;
    std::uint32_t colors[16];
    for (unsigned j = 0; j < 16; ++j)
        colors[j] = PaletteRGBA(rec, j);
    if (cache.built && std::memcmp(colors, cache.colors, sizeof colors) == 0) return cache;
    std::memcpy(cache.colors, colors, sizeof colors);
    auto color = [&](int index) { return index == kUntouched ? kOpaqueBlack : colors[index]; };
    for (int a = 0; a < kPairColors; ++a)
        for (int b = 0; b < kPairColors; ++b) {
            const std::uint32_t two[2] = {color(a), color(b)};
            std::memcpy(&cache.rgba[kPairColors * a + b], two, 8);
        }
    for (int c = 0; c < 16; ++c) {
        const int shown = c == 0 ? kUntouched : c;
        cache.cells[c] = cache.rgba[kPairColors * shown + shown];
    }
    cache.built = true;
    return cache;
}

void TableHiresColor(const std::uint8_t* line, bool bitShifting, std::uint8_t* row,
                     const DotPairs& colors) {
    const HiresDotTable& table = DotTable(bitShifting);
    for (unsigned c = 0; c < kLineBytes; ++c) {
        const unsigned prev = c > 0 ? line[c - 1] : 0;
        // on(280) is dark: of the byte after the line only the high bit counts.
        const unsigned next = c + 1 < kLineBytes ? line[c + 1] : (line[40] & 0x80);
        const std::uint16_t* pairs = table.pairs[ByteContext(prev, line[c], next, c)];
        for (int t = 0; t < 7; ++t)
            std::memcpy(row + 56 * c + 8 * t, &colors.rgba[pairs[t]], 8);
    }
    // Dots 560 and 561: the delayed last pixel of the line, if any, then nothing.
    const unsigned spill = table.pairs[ByteContext(line[39], line[40] & 0x80, 0, 40)][0];
    std::memcpy(row + 4 * 560, &colors.rgba[spill / kPairColors * kPairColors + kUntouched], 8);
}

// Cells of four memory dots, read in display order (aux bits 0..6, then main bits 0..6, column
// by column); the first dot of a cell is the colour's bit 3. Cells of colour 0 plot nothing.
template <class Sink>
void WalkDoubleColor(const std::uint8_t* aux, const std::uint8_t* main, int offset,
                     std::int64_t pen, Sink& sink) {
    static constexpr std::uint8_t kReversed[16] = {0, 8, 4, 12, 2, 10, 6, 14,
                                                   1, 9, 5, 13, 3, 11, 7, 15};
    std::uint64_t pending = 0; // dots not yet in a cell, the leftmost in bit 0
    int count = 0, cell = 0;
    for (int c = 0; c < kLineBytes; ++c) {
        pending |= std::uint64_t((aux[c] & 0x7F) | ((main[c] & 0x7F) << 7)) << count;
        for (count += 14; count >= 4; count -= 4, pending >>= 4, ++cell)
            sink.cell(offset + 4 * cell, pen, kReversed[pending & 15]);
    }
}

// Cells into the RGBA row, four dots each, when every cell lies inside the row and the pen is
// four dots wide; a colour-0 cell is black (plots nothing), as is every dot outside the cells.
struct CellSink {
    CellSink(std::uint8_t* line, int offset, const DotPairs& colors) : row(line + 4 * offset) {
        // A copy of its own: the row's stores cannot then be taken for changes to it.
        std::memcpy(pairs, colors.cells, sizeof pairs);
        for (int x = 0; x < offset; ++x)
            std::memcpy(line + 4 * x, &kOpaqueBlack, 4);
        for (int x = offset + kMemoryDots; x < kOffscreenDots; ++x)
            std::memcpy(line + 4 * x, &kOpaqueBlack, 4);
    }
    void cell(std::int64_t x, std::int64_t, unsigned color) {
        std::memcpy(row + 4 * x, &pairs[color], 8);
        std::memcpy(row + 4 * x + 8, &pairs[color], 8);
    }
    std::uint8_t* row;
    std::uint64_t pairs[16];
};

// Any other store: the cell is one plot with the pen.
template <class Sink>
struct PlottedCells {
    Sink& sink;
    void cell(std::int64_t x, std::int64_t pen, unsigned color) {
        if (color != 0) sink.plot(x, pen, color);
    }
};

// Rows drawn from the dot table (hi-res) or as whole cells (double hi-res, cells inside the row)
// are drawn whole; any other pen width or offset plots dot runs and leaves the rest alone.
// The table holds the dots of a pen two dots wide: bit shifting sets that width only from the
// first byte's last pixel on, so the pixels before it still plot with the record's own pen.
bool HiresDrawsWholeRows(const ORVEL_GlobalsRec* rec) {
    return rec->penWidth == 2;
}

bool DoubleDrawsWholeRows(const ORVEL_GlobalsRec* rec, int offset) {
    return rec->penWidth == 4 && offset >= 0 && offset <= 2;
}

int DoubleOffset(const ORVEL_GlobalsRec* rec) {
    // The offset is a setting of the record in use, which is the one being rendered.
    return (globalsP != nullptr ? globalsP : rec)->dhgrColorOffset;
}

} // namespace

bool BookColorDrawsWholeRows(const ORVEL_GlobalsRec* rec) {
    return rec->isDHGR ? DoubleDrawsWholeRows(rec, DoubleOffset(rec)) : HiresDrawsWholeRows(rec);
}

void CopyColorBits(ORVEL_GlobalsRec* rec) {
    const std::uint8_t* line = LineBytes(rec->mainMem, rec->rowOffset, 41);
    if (line == nullptr) return;
    const bool bitShifting = rec->bitShifting != 0;
    std::uint8_t* row = RGBARow(rec, rec->curLine);
    if (row != nullptr && HiresDrawsWholeRows(rec)) {
        TableHiresColor(line, bitShifting, row, PairsFor(rec));
        return;
    }
    std::int64_t pen = rec->penWidth;
    const HiresPixels px(line);
    WithRowSink(rec, [&](auto& sink) { WalkHiresColor(px, bitShifting, pen, 280, sink); });
    rec->penWidth = pen;
}

void CopyColorDoubleBits(ORVEL_GlobalsRec* rec) {
    const std::uint8_t* aux = LineBytes(rec->auxMem, rec->rowOffset);
    const std::uint8_t* main = LineBytes(rec->mainMem, rec->rowOffset);
    if (aux == nullptr || main == nullptr) return;
    const int offset = DoubleOffset(rec);
    const std::int64_t pen = rec->penWidth;
    std::uint8_t* row = RGBARow(rec, rec->curLine);
    if (row != nullptr && DoubleDrawsWholeRows(rec, offset)) {
        CellSink cells(row, offset, PairsFor(rec));
        WalkDoubleColor(aux, main, 0, pen, cells);
        return;
    }
    WithRowSink(rec, [&](auto& sink) {
        PlottedCells<std::remove_reference_t<decltype(sink)>> cells{sink};
        WalkDoubleColor(aux, main, offset, pen, cells);
    });
}
