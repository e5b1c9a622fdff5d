// The core's globals and the life of a record: built with its defaults, released with its
// dot buffer. The picture view, the converter and the tests all build records this way.
#include "core/GlobalsRec.h"

#include "core/Geometry.h"
#include "core/Palettes.h"

#include <cstring>

ORVEL_GlobalsRec* globalsP = nullptr;
std::int16_t gSkipLineStart = 0;
std::int16_t gSkipLineEnd = kLines;
Boolean gSkipToLineB = false;
ORVEL_ColorType g_curColor = 15;

void SetFullBand() {
    gSkipToLineB = false;
    gSkipLineStart = 0;
    gSkipLineEnd = kLines;
}

void InitGlobalsRec(ORVEL_GlobalsRec* rec) {
    std::memset(static_cast<void*>(rec), 0, sizeof *rec);
    InitRowOffsets();
    InitPalettes(rec);
    rec->bmFinalDepth = 8;
    rec->paletteType = 2;
    rec->oneBitPalette = 0;
    rec->bitShifting = true;
    rec->quenEngine = true;
    rec->schemeType = 1;
    rec->screenSize = 1;
    rec->aspectCorrect = 0;
    rec->is560Mode = false;
    rec->startScreen = false;
    rec->isDHGR = true;

    const Rect store = GetOffscreenSize();
    rec->monoRowBytes = (store.right - store.left + 7) / 8;
    rec->monoBitsSize = rec->monoRowBytes * (store.bottom - store.top);
    rec->monoBits = new std::uint8_t[rec->monoBitsSize]();
}

void ReleaseGlobalsRec(ORVEL_GlobalsRec* rec) {
    delete[] rec->monoBits;
    rec->monoBits = nullptr;
    rec->monoBitsSize = 0;
}
