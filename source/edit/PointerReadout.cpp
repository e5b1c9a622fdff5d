// The byte under the pointer, found by the same addressing the pencil writes with.
#include "edit/PointerReadout.h"

#include "edit/DotGrid.h"

#include <cstdio>

PointerReadout ReadoutAt(const ORVEL_GlobalsRec* rec, int line, int dot) {
    PointerReadout readout;
    if (line < 0 || line >= kLines || dot < 0 || dot >= kMemoryDots) return readout;
    const DotAddress where = AddressOfDot(rec->isDHGR, line, dot);
    const std::uint8_t byte = (where.aux ? rec->auxMem : rec->mainMem)[where.offset];
    readout.insideB = true;
    readout.line = line;
    readout.dot = dot;
    readout.aux = where.aux;
    readout.address = 0x2000 + where.offset;
    readout.value = byte;
    readout.highBit = (byte & 0x80) != 0;
    return readout;
}

std::string FormatReadout(const PointerReadout& readout, bool dhgr) {
    if (!readout.insideB) return std::string();
    char text[96];
    std::snprintf(text, sizeof text, "line %d  dot %d  %s$%04X = $%02X (high bit %d)", readout.line,
                  readout.dot, dhgr ? (readout.aux ? "aux " : "main ") : "", readout.address,
                  readout.value, readout.highBit ? 1 : 0);
    return text;
}
