// Dots back into screen memory: the exact inverse for double hi-res, and the delay-blind
// read-back of hi-res.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace {

void WriteBack(ORVEL_GlobalsRec* rec) {
    globalsP = rec;
    SetFullBand();
    CopyApple2Bits(rec, rec->isDHGR ? 4 : 5);
}

} // namespace

TEST(WriteBack, HiresPixelReadsBackWhetherDelayedOrNot) {
    OwnedRec rec;
    rec->isDHGR = false;
    rec->quenEngine = false;
    rec->mainMem[0] = 0x81;
    rec->mainMem[1] = 0x7F;
    rec->mainMem[2] = 0xC5;
    RenderDots(rec.get(), 2); // with the half-dot delay
    WriteBack(rec.get());
    EXPECT_EQ(rec->mainMem[0], 0x01);
    EXPECT_EQ(rec->mainMem[1], 0x7F);
    EXPECT_EQ(rec->mainMem[2], 0x45);
}

// Without the delay both shapes read back exactly, high bits cleared; holes are left alone.
TEST(WriteBack, UndelayedDotsComeBackAsTheMemoryWithBit7Cleared) {
    for (unsigned seed : TestSeeds(7))
        for (bool dhgr : {true, false}) {
            std::mt19937 rng(seed);
            OwnedRec rec;
            rec->isDHGR = dhgr;
            rec->quenEngine = false;
            rec->bitShifting = false;
            FillRandom(rng, rec->auxMem, kBankSize);
            FillRandom(rng, rec->mainMem, kBankSize);
            const std::vector<std::uint8_t> aux(rec->auxMem, rec->auxMem + kBankSize);
            const std::vector<std::uint8_t> main(rec->mainMem, rec->mainMem + kBankSize);
            RenderDots(rec.get(), dhgr ? 1 : 2);
            WriteBack(rec.get());
            for (int o = 0; o < kBankSize; ++o) {
                const bool hole = o % 128 >= 120;
                ASSERT_EQ(rec->mainMem[o], hole ? main[o] : (main[o] & 0x7F))
                    << "seed " << seed << " dhgr " << dhgr << " @" << o;
                ASSERT_EQ(rec->auxMem[o], hole || !dhgr ? aux[o] : (aux[o] & 0x7F)) << o;
            }
        }
}
