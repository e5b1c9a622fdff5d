// Write-back of dots into hi-res and double hi-res memory, one line at a time.
// A line whose store row or bank offset lies outside its buffers is left as it was.
#include "core/WriteBack.h"

#include "core/Plotter.h"

namespace {

bool DotLit(const std::uint8_t* row, int x) {
    return ((row[x >> 3] >> (7 - (x & 7))) & 1) == 0;
}

// Byte whose bit k is set when dot first + spacing * k is lit; bit 7 clear.
std::uint8_t GatherByte(const std::uint8_t* row, int first, int spacing) {
    unsigned byte = 0;
    for (int k = 0; k < 7; ++k)
        if (DotLit(row, first + spacing * k)) byte |= 1u << k;
    return static_cast<std::uint8_t>(byte);
}

std::uint8_t* WritableLine(std::uint8_t* bank, std::int64_t rowOffset) {
    if (rowOffset < 0 || rowOffset > kBankSize - kLineBytes) return nullptr;
    return bank + rowOffset;
}

} // namespace

void CopyMonoBitsBack(ORVEL_GlobalsRec* rec) {
    const std::uint8_t* row = StoreRow(rec, rec->curLine, kMonoRowBytes);
    std::uint8_t* main = WritableLine(rec->mainMem, rec->rowOffset);
    if (row == nullptr || main == nullptr) return;
    for (int c = 0; c < kLineBytes; ++c)
        main[c] = GatherByte(row, 14 * c + 1, 2);
}

void CopyMonoDoubleBitsBack(ORVEL_GlobalsRec* rec) {
    const std::uint8_t* row = StoreRow(rec, rec->curLine, kMonoRowBytes);
    std::uint8_t* aux = WritableLine(rec->auxMem, rec->rowOffset);
    std::uint8_t* main = WritableLine(rec->mainMem, rec->rowOffset);
    if (row == nullptr || aux == nullptr || main == nullptr) return;
    for (int c = 0; c < kLineBytes; ++c) {
        aux[c] = GatherByte(row, 14 * c + 1, 1);
        main[c] = GatherByte(row, 14 * c + 8, 1);
    }
}
