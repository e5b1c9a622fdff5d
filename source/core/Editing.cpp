// Conversion and shifting: render the picture as one-bit dots, change the dots, write them back.
// The settings they borrow for the dot walk are restored before they return.
#include "core/Editing.h"

#include "core/MonoRender.h"
#include "core/Plotter.h"
#include "core/RenderPipeline.h"

void ConvertRecordToDHGR(ORVEL_GlobalsRec* rec) {
    if (rec->isDHGR) return;
    const std::uint16_t depth = rec->bmFinalDepth;
    const Boolean shifting = rec->bitShifting, quen = rec->quenEngine;
    rec->bmFinalDepth = 1;
    rec->bitShifting = true;
    rec->quenEngine = false;

    globalsP = rec;
    SetFullBand();
    PrepareMonoStore(rec);
    UpdatePenWidth(rec);
    CopyApple2Bits(rec, 0); // the hi-res dots, with the half-dot delay
    CopyApple2Bits(rec, 4); // written back as double hi-res: memory dot d = offscreen dot d + 1

    rec->bmFinalDepth = depth;
    rec->bitShifting = shifting;
    rec->quenEngine = quen;
    rec->isDHGR = true;
}

void ShiftDotRow(std::uint8_t* row, bool left) {
    if (left) {
        for (int i = 0; i < kMonoRowBytes; ++i) {
            const unsigned next = i + 1 < kMonoRowBytes ? row[i + 1] >> 7 : 0;
            row[i] = static_cast<std::uint8_t>((row[i] << 1) | next);
        }
    } else {
        for (int i = kMonoRowBytes - 1; i >= 0; --i) {
            const unsigned previous = i > 0 ? (row[i - 1] & 1) << 7 : 0;
            row[i] = static_cast<std::uint8_t>((row[i] >> 1) | previous);
        }
    }
}

void ShiftRecord(ORVEL_GlobalsRec* rec, bool left) {
    globalsP = rec;
    SetFullBand();
    PrepareMonoStore(rec);
    rec->penWidth = 1; // an undelayed hi-res pixel lights only its first dot
    CopyApple2Bits(rec, DotMode(rec));
    // The dots shifted in (dot 0 going right, dot 567 going left) are never read back.
    for (int y = 0; y < kLines; ++y)
        ShiftDotRow(rec->monoBits + y * kMonoRowBytes, left);
    CopyApple2Bits(rec, WriteBackMode(rec));
}
