// The fast core held to the reference engines: each per-line function for every pen width,
// shift setting, offset and store, the Quen colouring, whole renders, random settings blocks.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// A store of one kind, filled with `fill` (one-bit) or opaque black (RGBA), put in use.
struct Store {
    Store(ORVEL_GlobalsRec* rec, bool oneBit, std::uint8_t fill)
        : bytes(std::size_t(oneBit ? kMonoRowBytes * kLines : kRowBytes * kLines), fill) {
        for (std::size_t i = 0; !oneBit && i < bytes.size(); ++i)
            bytes[i] = i % 4 == 3 ? 255 : 0;
        rec->baseAddr = bytes.data();
        rec->rowBytes = oneBit ? kMonoRowBytes : kRowBytes;
        rec->pixelDepth = oneBit ? 1 : 32;
    }
    static constexpr int kRowBytes = 4 * kOffscreenDots;
    std::vector<std::uint8_t> bytes;
};

} // namespace

// Each line starts from the same store contents in both; the pen width left behind must agree.
TEST(Reference, PerLineFunctionsAndQuenColorForEveryPenShiftOffsetAndStore) {
    using LineFunction = void (*)(ORVEL_GlobalsRec*);
    const LineFunction core[4] = {CopyMonoBits, CopyColorBits, CopyMonoDoubleBits,
                                  CopyColorDoubleBits};
    for (unsigned seed : TestSeeds(20261207)) {
        std::mt19937 rng(seed);
        OwnedRec rec;
        FillRandom(rng, rec->mainMem, kBankSize);
        FillRandom(rng, rec->auxMem, kBankSize);
        for (int mode = 0; mode < 4; ++mode)
            for (std::int64_t pen : {0, 1, 2, 3, 4, 5, -1})
                for (int shift = 0; shift < 4; ++shift) // bit 0 bitShifting, bit 1 quenEngine
                    for (int offset : {0, 1, 2, 3, -1})
                        for (bool oneBit : {false, true}) {
                            if (mode != 3 && offset != 0) continue;
                            rec->bitShifting = shift & 1;
                            rec->quenEngine = (shift >> 1) & 1;
                            rec->dhgrColorOffset = static_cast<std::int16_t>(offset);
                            rec->curLine = static_cast<int>(rng() % kLines);
                            rec->rowOffset = g_rowoffsets[rec->curLine];
                            const auto fill = static_cast<std::uint8_t>(rng());
                            rec->penWidth = pen;
                            Store fast(rec.get(), oneBit, fill);
                            core[mode](rec.get());
                            const std::int64_t fastPen = rec->penWidth;
                            rec->penWidth = pen;
                            Store slow(rec.get(), oneBit, fill);
                            reference::CopyLine(rec.get(), mode);
                            ASSERT_TRUE(fast.bytes == slow.bytes && fastPen == rec->penWidth)
                                << "seed " << seed << " mode " << mode << " pen " << pen
                                << " shift " << shift << " offset " << offset << " one-bit "
                                << oneBit << " line " << rec->curLine;
                        }
        // The Quen colouring of random dots; schemes past the last one colour like "Sharp".
        FillRandom(rng, rec->monoBits, static_cast<std::size_t>(rec->monoBitsSize));
        for (std::int64_t pen : {0, 1, 2, 3, 4, -1})
            for (unsigned scheme = 0; scheme < 4; ++scheme)
                for (bool oneBit : {false, true}) {
                    rec->schemeType = static_cast<std::uint16_t>(scheme);
                    rec->penWidth = pen;
                    Store fast(rec.get(), oneBit, 0x5A);
                    NewCopyColor(rec.get());
                    rec->schemeType = static_cast<std::uint16_t>(std::min(scheme, 2u));
                    Store slow(rec.get(), oneBit, 0x5A);
                    reference::QuenColor(rec.get());
                    ASSERT_TRUE(fast.bytes == slow.bytes)
                        << "seed " << seed << " pen " << pen << " scheme " << scheme << " one-bit "
                        << oneBit;
                }
    }
}

// Every engine, depth and shape, on dense and sparse random pictures (sparse ones have isolated
// pixels and thin features). The store starts as garbage, so a dot left unwritten, or carried
// over from the previous render, shows as a difference.
TEST(Reference, WholeRendersOfEveryEngine) {
    for (unsigned seed : TestSeeds(1984)) {
        std::mt19937 rng(seed);
        OwnedRec fast, slow;
        for (int v = 0; v < 84; ++v) { // shape, depth, variant (k < 3: Quen scheme k), round
            const bool dhgr = v / 42, round = v % 2;
            const unsigned depth = v / 14 % 3 == 0 ? 8 : 2 - v / 14 % 3; // 8, 1, 0
            const int k = v / 2 % 7;

            for (ORVEL_GlobalsRec* r : {fast.get(), slow.get()}) {
                r->quenEngine = k < 3;
                r->schemeType = static_cast<std::uint16_t>(k < 3 ? k : 1);
                r->bmFinalDepth = static_cast<std::uint16_t>(depth);
                r->bitShifting = k < 3 || (k - 3) % 2 == 0;
                r->isDHGR = dhgr;
                r->dhgrColorOffset = static_cast<std::int16_t>(k < 3 ? 0 : (k - 3) / 2);
            }
            for (int i = 0; i < kBankSize; ++i) {
                const auto mask = round ? rng() | 0x80 : 0xFF;
                fast->auxMem[i] = slow->auxMem[i] = std::uint8_t(rng() & mask);
                fast->mainMem[i] = slow->mainMem[i] = std::uint8_t(rng() & mask);
            }
            fast->paletteType = slow->paletteType = std::uint16_t(rng() % 8);
            fast->oneBitPalette = slow->oneBitPalette = std::uint16_t(rng() % 3);
            Picture a, b;
            std::memset(a.bytes.data(), round ? 0xA5 : 0x5A, a.bytes.size());
            RenderPicture(fast.get(), a.store());
            reference::RenderPicture(slow.get(), b.store());
            ASSERT_TRUE(a.bytes == b.bytes && fast->penWidth == slow->penWidth)
                << "seed " << seed << " dhgr " << dhgr << " depth " << depth << " variant " << k
                << " round " << round;
        }
    }
}

// Random settings blocks (odd depths often): renders stay inside the tables and fill the store.
TEST(Reference, RandomSettingsBlocksNeverLeaveTheTables) {
    for (unsigned seed : TestSeeds(424242)) {
        std::mt19937 rng(seed);
        OwnedRec rec;
        Picture pic;
        FillRandom(rng, rec->auxMem, kBankSize);
        FillRandom(rng, rec->mainMem, kBankSize);
        for (int i = 0; i < 300; ++i) {
            FillRandom(rng, reinterpret_cast<std::uint8_t*>(rec.get()), kSettingsBlockSize);
            if (i % 3 == 0) rec->bmFinalDepth %= 3;
            rec->isDHGR = static_cast<Boolean>(rng());
            RenderPicture(rec.get(), pic.store());
            const Rect shown = GetScreenSize();
            ASSERT_TRUE(pic.alpha(int(rng() % kOffscreenDots), int(rng() % kLines)) == 255 &&
                        shown.right > 0 && shown.bottom > 0)
                << "seed " << seed;
        }
    }
}
