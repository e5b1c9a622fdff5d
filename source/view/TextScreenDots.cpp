// Text screen pixels to screen memory through the one-bit store and the core's write-back, so a
// text picture is an ordinary picture from then on. The two engine flags are off meanwhile.
#include "view/TextScreenDots.h"

#include "core/Core.h"

#include <cstring>

void WriteTextScreenDots(ORVEL_GlobalsRec* rec, const TextScreenMask& mask) {
    const bool eighty = mask.eighty;
    const Boolean shifting = rec->bitShifting, quen = rec->quenEngine;
    rec->bitShifting = false;
    rec->quenEngine = false;
    rec->isDHGR = eighty;
    std::memset(rec->auxMem, 0, kBankSize);
    std::memset(rec->mainMem, 0, kBankSize);

    globalsP = rec;
    SetFullBand();
    PrepareMonoStore(rec);
    rec->penWidth = eighty ? 1 : 2;
    const int width = mask.width();
    const bool complete = mask.lit.size() == static_cast<std::size_t>(width) * kLines;
    for (int y = 0; complete && y < kLines; ++y) {
        const std::uint8_t* line = &mask.lit[static_cast<std::size_t>(y) * width];
        for (int x = 0; x < width; ++x)
            if (line[x] != 0)
                PlotPointDirect(rec, static_cast<unsigned long>(eighty ? x + 1 : 2 * x),
                                static_cast<unsigned long>(y), 15);
    }
    CopyApple2Bits(rec, eighty ? 4 : 5);

    rec->bitShifting = shifting;
    rec->quenEngine = quen;
}
