// Hi-res and double hi-res dots: the half-dot delay, its carry rules, and the plotter's edges.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A hi-res picture whose line 0 starts with `bytes`, rendered as dots.
std::string HiresDots(OwnedRec& rec, std::initializer_list<std::uint8_t> bytes, int column,
                      bool shifting, std::int64_t pen, int from, int count) {
    rec->isDHGR = false;
    rec->quenEngine = false;
    rec->bitShifting = shifting;
    int c = column;
    for (std::uint8_t b : bytes)
        rec->mainMem[c++] = b;
    RenderDots(rec.get(), pen);
    return MonoDots(rec.get(), 0, from, count);
}

} // namespace

TEST(HiresDots, HalfDotDelayAndItsCarryRules) {
    {
        OwnedRec rec; // 0x81 then 0x00: the delayed pixel lights dots 1 and 2 only
        EXPECT_EQ(HiresDots(rec, {0x81, 0x00}, 0, true, 2, 0, 16), ".##.............");
    }
    {
        OwnedRec rec; // 0xC0 then 0x81: dot 14 stays lit by the carry, then dots 15 and 16
        EXPECT_EQ(HiresDots(rec, {0xC0, 0x81}, 0, true, 2, 10, 8), "...####.");
    }
    {
        OwnedRec rec; // 0x40 then 0x81: one continuous run 12..16
        EXPECT_EQ(HiresDots(rec, {0x40, 0x81}, 0, true, 2, 10, 8), "..#####.");
    }
    {
        OwnedRec rec; // 0xC0 then 0x00: the delayed last pixel is cut back to one dot
        EXPECT_EQ(HiresDots(rec, {0xC0, 0x00}, 0, true, 2, 10, 8), "...#....");
    }
    {
        OwnedRec rec; // 0xFF at column 39 lights 547..560; dot 561 stays dark
        EXPECT_EQ(HiresDots(rec, {0xFF}, 39, true, 2, 545, 17), "..##############.");
    }
}

TEST(HiresDots, WithoutShiftingThePenDecidesThePixelWidth) {
    {
        OwnedRec rec; // two-dot pixels, bit 7 ignored
        EXPECT_EQ(HiresDots(rec, {0xFF}, 0, false, 2, 0, 16), "##############..");
    }
    {
        OwnedRec rec; // the picture shifter's pen: each pixel lights only its first dot
        EXPECT_EQ(HiresDots(rec, {0x85}, 0, false, 1, 0, 16), "#...#...........");
    }
    {
        OwnedRec rec; // a Quen engine always applies the delay, whatever bitShifting says
        rec->isDHGR = false;
        rec->quenEngine = true;
        rec->bitShifting = false;
        rec->mainMem[0] = 0x81;
        RenderDots(rec.get(), 1);
        EXPECT_EQ(MonoDots(rec.get(), 0, 0, 4), ".##.");
    }
}

TEST(DoubleHiresDots, MemoryDotDShowsAtOffscreenDotDPlusOne) {
    OwnedRec rec;
    rec->auxMem[0] = 0x01;
    rec->mainMem[39] = 0x40;
    rec->auxMem[g_rowoffsets[5] + 3] = 0xFF; // bit 7 ignored
    RenderDots(rec.get(), 1);
    EXPECT_EQ(MonoDots(rec.get(), 0, 0, 3), ".#.");
    EXPECT_EQ(MonoDots(rec.get(), 0, 558, 4), "..#.");
    EXPECT_EQ(MonoDots(rec.get(), 5, 42, 9), ".#######.");
}

TEST(PlotPointDirect, ClipsToTheStoreWhateverItIsGiven) {
    OwnedRec rec;
    PrepareMonoStore(rec.get());
    rec->penWidth = 4;
    PlotPointDirect(rec.get(), 561, 0, 15);
    EXPECT_EQ(MonoDots(rec.get(), 0, 556, 6), ".....#");
    EXPECT_EQ(rec->monoBits[70] & 0x3F, 0x3F); // dots 562..567 untouched

    // Far outside: other lines, other dots and huge pens write nothing out of place.
    PrepareMonoStore(rec.get());
    for (unsigned long x : {562ul, 100000ul, ~0ul})
        EXPECT_EQ(PlotPointDirect(rec.get(), x, 3, 15), 15);
    for (unsigned long line : {192ul, 5000ul, ~0ul})
        PlotPointDirect(rec.get(), 3, line, 15);
    rec->penWidth = INT64_MAX;
    PlotPointDirect(rec.get(), 560, 191, 15);
    rec->penWidth = -5;
    PlotPointDirect(rec.get(), 10, 10, 15);
    for (std::int64_t i = 0; i < rec->monoBitsSize; ++i) {
        const bool lastTwo = i == 191 * 71 + 70;
        EXPECT_EQ(rec->monoBits[i], lastTwo ? 0x3F : 0xFF) << i;
    }
}

TEST(PlotPointDirect, RGBAStoreTakesThePaletteEntry) {
    OwnedRec rec;
    Picture pic;
    PrepareRGBAStore(rec.get(), pic.store());
    rec->paletteType = 3;
    rec->penWidth = 2;
    PlotPointDirect(rec.get(), 10, 7, 0);  // colour 0 is the palette's black, not "nothing"
    PlotPointDirect(rec.get(), 20, 7, 27); // dim companions are reachable too
    EXPECT_EQ(pic.at(10, 7), 0x020000u);
    EXPECT_EQ(pic.at(11, 7), 0x020000u);
    EXPECT_EQ(pic.at(12, 7), 0x000000u);
    EXPECT_EQ(pic.at(20, 7), 0x77393Au);
    EXPECT_EQ(pic.alpha(20, 7), 255u);
}

TEST(PenWidth, ChosenByEngineShapeAndDepth) {
    OwnedRec rec;
    UpdatePenWidth(rec.get());
    EXPECT_EQ(rec->penWidth, 1);
    rec->quenEngine = false;
    rec->isDHGR = false;
    UpdatePenWidth(rec.get());
    EXPECT_EQ(rec->penWidth, 2);
    rec->isDHGR = true;
    UpdatePenWidth(rec.get());
    EXPECT_EQ(rec->penWidth, 4);
    rec->bmFinalDepth = 1;
    UpdatePenWidth(rec.get());
    EXPECT_EQ(rec->penWidth, 1);
    SetPenWidth(rec.get(), 7);
    EXPECT_EQ(rec->penWidth, 7);
}

TEST(LineWalker, EmptyOrOutOfScreenBandsAreSafe) {
    OwnedRec rec;
    rec->mainMem[0] = 0x7F;
    PrepareMonoStore(rec.get());
    gSkipLineStart = 100;
    gSkipLineEnd = 100;
    CopyApple2Bits(rec.get(), 0);
    EXPECT_EQ(rec->curLine, 100);
    gSkipLineStart = -32768;
    gSkipLineEnd = 32767;
    for (short mode : {0, 1, 2, 3, 4, 5, 6, -1})
        CopyApple2Bits(rec.get(), mode);
    SetFullBand();
}
