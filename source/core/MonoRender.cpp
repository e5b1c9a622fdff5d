// Hi-res and double hi-res dots, written once for either store through a row sink.
// The half-dot delay rules are explained in NOTES.md beside this file.
#include "core/MonoRender.h"

#include "core/BookColor.h"
#include "core/CompositeColor.h"
#include "core/RowSinks.h"
#include "core/WriteBack.h"

const std::uint8_t* LineBytes(const std::uint8_t* bank, std::int64_t rowOffset, int count) {
    if (rowOffset < 0 || rowOffset > kBankSize - count) return nullptr;
    return bank + rowOffset;
}

namespace {

// The pen width the walk plots with lives in `pen`; the caller stores it back in the record,
// where the walk leaves it.
template <class Sink>
void WalkHiresLine(const std::uint8_t* line, bool shifting, std::int64_t& pen, Sink& sink) {
    bool carry = false; // bit 6 of the previous byte was lit
    int s = 0;          // the half-dot delay of the byte being walked
    for (int c = 0; c < kLineBytes; ++c) {
        const unsigned byte = line[c];
        const std::int64_t x = 14 * c;
        if (shifting) {
            // A byte without the delay cuts the previous byte's delayed last pixel back to one
            // dot; a delayed byte after a lit bit 6 closes the gap before its first pixel.
            const bool delayed = (byte & 0x80) != 0;
            sink.settle(x, !delayed, delayed && carry);
            s = static_cast<int>(byte >> 7);
            pen = 2;
            carry = false;
        }
        sink.lightBits(x + s, byte & 0x7F, 2, pen);
        carry = carry || (byte & 0x40) != 0;
    }
}

template <class Sink>
void WalkDoubleLine(const std::uint8_t* aux, const std::uint8_t* main, std::int64_t pen,
                    Sink& sink) {
    for (int c = 0; c < kLineBytes; ++c) {
        sink.lightBits(14 * c + 1, aux[c] & 0x7F, 1, pen);
        sink.lightBits(14 * c + 8, main[c] & 0x7F, 1, pen);
    }
}

} // namespace

void CopyMonoBits(ORVEL_GlobalsRec* rec) {
    const std::uint8_t* line = LineBytes(rec->mainMem, rec->rowOffset);
    if (line == nullptr) return;
    const bool shifting = rec->bitShifting || rec->quenEngine;
    std::int64_t pen = rec->penWidth;
    WithRowSink(rec, [&](auto& sink) { WalkHiresLine(line, shifting, pen, sink); });
    rec->penWidth = pen;
}

void CopyMonoDoubleBits(ORVEL_GlobalsRec* rec) {
    const std::uint8_t* aux = LineBytes(rec->auxMem, rec->rowOffset);
    const std::uint8_t* main = LineBytes(rec->mainMem, rec->rowOffset);
    if (aux == nullptr || main == nullptr) return;
    const std::int64_t pen = rec->penWidth;
    WithRowSink(rec, [&](auto& sink) { WalkDoubleLine(aux, main, pen, sink); });
}

void CopyApple2Bits(ORVEL_GlobalsRec* rec, short mode) {
    using LineFunction = void (*)(ORVEL_GlobalsRec*);
    static const LineFunction kModes[7] = {
        CopyMonoBits,           CopyColorBits,    CopyMonoDoubleBits, CopyColorDoubleBits,
        CopyMonoDoubleBitsBack, CopyMonoBitsBack, CopyCompositeBits};
    const LineFunction perLine = mode >= 0 && mode < 7 ? kModes[mode] : nullptr;
    for (rec->curLine = gSkipLineStart; rec->curLine < gSkipLineEnd; ++rec->curLine) {
        // A band reaching past the screen walks only the screen's own lines.
        if (rec->curLine < 0 || rec->curLine >= kLines) continue;
        rec->rowOffset = g_rowoffsets[rec->curLine];
        if (perLine != nullptr) perLine(rec);
    }
}
