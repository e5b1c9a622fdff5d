// The fast core held to the reference engines: whole renders of every engine, shape, depth and
// shift setting, and random settings blocks.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

// Every engine, depth and shape, on dense and sparse random pictures (sparse ones have isolated
// pixels and thin features); Quen with and without bit shifting, "By the Book" with offsets 0
// and 1. The store starts as garbage, so a dot left unwritten, or carried over from the previous
// render, shows as a difference.
TEST(Reference, WholeRendersOfEveryEngine) {
    for (unsigned seed : testSeeds(1984)) {
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
                r->bitShifting = k < 3 ? round : (k - 3) % 2 == 0; // Quen shifts either way
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
    for (unsigned seed : testSeeds(424242)) {
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
