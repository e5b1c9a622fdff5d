// What the reference engines take from the core as given: the plotter's clipping and colours,
// the pen width of each engine, and dots written back to memory.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

TEST(Plotter, ClipsToTheStoreWhateverItIsGiven) {
    OwnedRec rec;
    PrepareMonoStore(rec.get());
    rec->penWidth = 4;
    PlotPointDirect(rec.get(), 561, 0, 15); // the last dot: a wide pen stops at the edge
    for (unsigned long x : {562ul, 100000ul, ~0ul})
        EXPECT_EQ(PlotPointDirect(rec.get(), x, 3, 15), 15);
    for (unsigned long line : {192ul, 5000ul, ~0ul})
        PlotPointDirect(rec.get(), 3, line, 15);
    rec->penWidth = INT64_MAX;
    PlotPointDirect(rec.get(), 560, 191, 15);
    rec->penWidth = -5;
    PlotPointDirect(rec.get(), 10, 10, 15);
    for (std::int64_t i = 0; i < rec->monoBitsSize; ++i) // clear bits are lit dots
        EXPECT_EQ(rec->monoBits[i], i == 70 ? 0xBF : i == 191 * 71 + 70 ? 0x3F : 0xFF) << i;

    Picture pic; // colour 0 is the palette's black, not "nothing"; dim companions are reachable
    PrepareRGBAStore(rec.get(), pic.store());
    rec->paletteType = 3;
    rec->penWidth = 2;
    PlotPointDirect(rec.get(), 10, 7, 0);
    PlotPointDirect(rec.get(), 20, 7, 27);
    const std::uint32_t expected[] = {0x020000, 0x020000, 0, 0x77393A};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(pic.at(i < 3 ? 10 + i : 20, 7), expected[i]) << i;
    EXPECT_EQ(pic.alpha(20, 7), 255u);
}

TEST(Plotter, PenWidthChosenByEngineShapeAndDepth) {
    const int cases[][4] = {{1, 1, 8, 1}, {1, 0, 8, 1}, {0, 0, 8, 2}, {0, 0, 1, 2},  // quen, dhgr,
                            {0, 1, 8, 4}, {0, 1, 2, 4}, {0, 1, 1, 1}, {0, 1, 0, 1}}; // depth, pen
    OwnedRec rec;
    for (const auto& c : cases) {
        rec->quenEngine = c[0];
        rec->isDHGR = c[1];
        rec->bmFinalDepth = static_cast<std::uint16_t>(c[2]);
        UpdatePenWidth(rec.get());
        EXPECT_EQ(rec->penWidth, c[3]) << c[0] << c[1] << c[2];
    }
}

// Rendered dots read back into memory as they were, bit 7 cleared and holes left alone; hi-res
// pixels whether the half-dot delay moved them or not.
TEST(Plotter, WriteBackReadsTheDots) {
    for (unsigned seed : testSeeds(7))
        for (int shape = 0; shape < 3; ++shape) { // double hi-res, hi-res, hi-res delayed
            std::mt19937 rng(seed);
            OwnedRec rec;
            rec->isDHGR = shape == 0;
            rec->quenEngine = false;
            rec->bitShifting = shape == 2;
            FillRandom(rng, rec->auxMem, kBankSize);
            FillRandom(rng, rec->mainMem, kBankSize);
            const std::vector<std::uint8_t> aux(rec->auxMem, rec->auxMem + kBankSize);
            const std::vector<std::uint8_t> main(rec->mainMem, rec->mainMem + kBankSize);
            PrepareMonoStore(rec.get());
            rec->penWidth = shape ? 2 : 1;
            CopyApple2Bits(rec.get(), shape ? 0 : 2);
            CopyApple2Bits(rec.get(), shape ? 5 : 4);
            for (int o = 0; o < kBankSize; ++o) {
                const bool hole = o % 128 >= 120;
                ASSERT_EQ(rec->mainMem[o], hole ? main[o] : (main[o] & 0x7F))
                    << "seed " << seed << " shape " << shape << " @" << o;
                ASSERT_EQ(rec->auxMem[o], hole || shape ? aux[o] : (aux[o] & 0x7F))
                    << "seed " << seed << " @" << o;
            }
        }
}
