// The five engine pipelines in one place. Steps that write every dot of the store skip the
// black fill before them: the fill would be overwritten entirely.
#include "core/RenderPipeline.h"

#include "core/BookColor.h"
#include "core/CompositeColor.h"
#include "core/Geometry.h"
#include "core/MonoRender.h"
#include "core/Palettes.h"
#include "core/Plotter.h"
#include "core/QuenColor.h"

#include <algorithm>
#include <cstring>

namespace {

void InvertMonoBits(ORVEL_GlobalsRec* rec) {
    for (std::int64_t i = 0; i < rec->monoBitsSize; ++i)
        rec->monoBits[i] ^= 0xFF;
}

// 8 RGBA dots for every byte of the one-bit store.
struct ByteExpansion {
    std::uint32_t dots[256][8];
    ByteExpansion(std::uint32_t lit) {
        for (unsigned byte = 0; byte < 256; ++byte)
            for (unsigned k = 0; k < 8; ++k)
                dots[byte][k] = ((byte >> (7 - k)) & 1) ? kOpaqueBlack : lit;
    }
};

} // namespace

void PrepareMonoStore(ORVEL_GlobalsRec* rec) {
    const std::int64_t needed = OffscreenRows() * kMonoRowBytes;
    if (rec->monoBits == nullptr || rec->monoBitsSize < needed) {
        delete[] rec->monoBits;
        rec->monoBits = new std::uint8_t[needed]();
        rec->monoBitsSize = needed;
    }
    std::memset(rec->monoBits, 0xFF, static_cast<std::size_t>(needed));
    rec->baseAddr = rec->monoBits;
    rec->rowBytes = kMonoRowBytes;
    rec->pixelDepth = 1;
}

void PrepareRGBAStore(ORVEL_GlobalsRec* rec, RGBAStore store, bool clear) {
    rec->baseAddr = store.pixels;
    rec->rowBytes = store.rowBytes;
    rec->pixelDepth = 32;
    if (!clear) return;
    std::uint8_t black[16];
    for (int i = 0; i < 4; ++i)
        std::memcpy(black + 4 * i, &kOpaqueBlack, 4);
    for (int y = 0; y < kLines; ++y) {
        std::uint8_t* row = store.pixels + y * store.rowBytes;
        for (int x = 0; x + 4 <= kOffscreenDots; x += 4)
            std::memcpy(row + 4 * x, black, 16);
        std::memcpy(row + 4 * (kOffscreenDots - 2), black, 8);
    }
}

void MonoToRGBA(const ORVEL_GlobalsRec* rec, RGBAStore store, int width, int height) {
    const ByteExpansion expand(OneBitLitRGBA(rec));
    const std::int64_t rowBytes = (width + 7) / 8;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = store.pixels + y * store.rowBytes;
        const std::int64_t first = y * rowBytes;
        const bool readable = rec->monoBits != nullptr && first + rowBytes <= rec->monoBitsSize;
        int x = 0;
        for (; x + 8 <= width; x += 8) {
            const unsigned byte = readable ? rec->monoBits[first + x / 8] : 0xFF;
            std::memcpy(out + 4 * x, expand.dots[byte], 32);
        }
        if (x < width) {
            const unsigned byte = readable ? rec->monoBits[first + x / 8] : 0xFF;
            std::memcpy(out + 4 * x, expand.dots[byte], 4 * static_cast<std::size_t>(width - x));
        }
    }
}

void RenderPicture(ORVEL_GlobalsRec* rec, RGBAStore store) {
    globalsP = rec;
    SetFullBand();
    UpdatePenWidth(rec);
    if (CompositeEngineB(rec) && rec->bmFinalDepth >= 2) {
        PrepareMonoStore(rec);
        CopyApple2Bits(rec, DotMode(rec));
        rec->monoRowBytes = kMonoRowBytes;
        PrepareRGBAStore(rec, store, /*clear=*/false); // the composite lines write every dot
        CopyApple2Bits(rec, kCompositeMode);
    } else if (rec->quenEngine && rec->bmFinalDepth >= 2) {
        PrepareMonoStore(rec);
        CopyApple2Bits(rec, DotMode(rec));
        InvertMonoBits(rec);
        rec->monoRowBytes = kMonoRowBytes;
        PrepareRGBAStore(rec, store, /*clear=*/false); // NewCopyColor writes every dot
        NewCopyColor(rec);
    } else if (rec->quenEngine || rec->bmFinalDepth == 1) {
        PrepareMonoStore(rec);
        CopyApple2Bits(rec, DotMode(rec));
        MonoToRGBA(rec, store, kOffscreenDots, kLines);
    } else {
        const bool colour = rec->bmFinalDepth >= 2;
        PrepareRGBAStore(rec, store, !(colour && BookColorDrawsWholeRows(rec)));
        CopyApple2Bits(rec, static_cast<short>(DotMode(rec) + (colour ? 1 : 0)));
    }
}
