// What the reference engines take from the core as given: the plotter's clipping and colours,
// the pen width of each engine, the band of lines walked, and dots written back to memory.
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
    struct Case {
        bool quen, dhgr;
        std::uint16_t depth;
        std::int64_t pen;
    } const cases[] = {{true, true, 8, 1},   {true, false, 8, 1}, {false, false, 8, 2},
                       {false, false, 1, 2}, {false, true, 8, 4}, {false, true, 2, 4},
                       {false, true, 1, 1},  {false, true, 0, 1}};
    OwnedRec rec;
    for (const Case& c : cases) {
        rec->quenEngine = c.quen;
        rec->isDHGR = c.dhgr;
        rec->bmFinalDepth = c.depth;
        UpdatePenWidth(rec.get());
        EXPECT_EQ(rec->penWidth, c.pen) << c.quen << c.dhgr << c.depth;
    }
}

// The band: the offscreen store's size follows it, and empty or off-screen bands are safe.
TEST(Plotter, BandsOfLines) {
    OwnedRec rec; // sets the full band again when it goes
    Rect r = GetOffscreenSize();
    EXPECT_TRUE(r.top == 0 && r.left == 0 && r.bottom == 192 && r.right == 562);
    gSkipToLineB = true;
    gSkipLineStart = 10;
    gSkipLineEnd = 20;
    r = GetOffscreenSize();
    EXPECT_TRUE(r.top == 10 && r.bottom == 20 && OffscreenRows() == 10);
    SetFullBand();
    rec->mainMem[0] = 0x7F;
    PrepareMonoStore(rec.get());
    gSkipLineStart = gSkipLineEnd = 100;
    CopyApple2Bits(rec.get(), 0);
    EXPECT_EQ(rec->curLine, 100);
    gSkipLineStart = -32768;
    gSkipLineEnd = 32767;
    for (short mode : {0, 1, 2, 3, 4, 5, 6, -1})
        CopyApple2Bits(rec.get(), mode);
}

// Rendered dots read back into memory: undelayed dots exactly (bit 7 cleared, holes left
// alone); hi-res pixels whether the half-dot delay moved them or not.
TEST(Plotter, WriteBackReadsTheDots) {
    auto roundTrip = [](ORVEL_GlobalsRec* rec, bool dhgr) {
        rec->isDHGR = dhgr;
        rec->quenEngine = false;
        PrepareMonoStore(rec);
        rec->penWidth = dhgr ? 1 : 2;
        CopyApple2Bits(rec, dhgr ? 2 : 0);
        CopyApple2Bits(rec, dhgr ? 4 : 5);
    };
    {
        OwnedRec rec;
        const std::uint8_t bytes[] = {0x81, 0x7F, 0xC5};
        std::copy(bytes, bytes + 3, rec->mainMem);
        roundTrip(rec.get(), false);
        EXPECT_EQ(rec->mainMem[0] | rec->mainMem[1] << 8 | rec->mainMem[2] << 16, 0x457F01);
    }
    for (unsigned seed : TestSeeds(7))
        for (bool dhgr : {true, false}) {
            std::mt19937 rng(seed);
            OwnedRec rec;
            rec->bitShifting = false;
            FillRandom(rng, rec->auxMem, kBankSize);
            FillRandom(rng, rec->mainMem, kBankSize);
            const std::vector<std::uint8_t> aux(rec->auxMem, rec->auxMem + kBankSize);
            const std::vector<std::uint8_t> main(rec->mainMem, rec->mainMem + kBankSize);
            roundTrip(rec.get(), dhgr);
            for (int o = 0; o < kBankSize; ++o) {
                const bool hole = o % 128 >= 120;
                ASSERT_EQ(rec->mainMem[o], hole ? main[o] : (main[o] & 0x7F))
                    << "seed " << seed << " dhgr " << dhgr << " @" << o;
                ASSERT_EQ(rec->auxMem[o], hole || !dhgr ? aux[o] : (aux[o] & 0x7F))
                    << "seed " << seed << " @" << o;
            }
        }
}
