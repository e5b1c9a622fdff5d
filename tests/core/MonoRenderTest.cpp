// Hi-res and double hi-res dots on hand-worked lines (the half-dot delay and its carry rules),
// the plotter's edges, the pen width each engine draws with, and bands off the screen.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(Dots, HandWorkedLines) {
    struct Case {
        bool dhgr, shifting, quen;
        std::int64_t pen;
        int column;
        std::vector<std::uint8_t> bytes; // from `column` of line 0 (double hi-res: aux, main)
        int from;
        const char* dots;
    };
    const Case cases[] = {
        {false, true, false, 2, 0, {0x81, 0x00}, 0, ".##............."}, // delayed pixel: 1, 2
        {false, true, false, 2, 0, {0xC0, 0x81}, 10, "...####."},        // dot 14 kept by the carry
        {false, true, false, 2, 0, {0x40, 0x81}, 10, "..#####."},        // one run 12..16
        {false, true, false, 2, 0, {0xC0, 0x00}, 10, "...#...."},        // delayed last pixel cut
        {false, true, false, 2, 39, {0xFF}, 545, "..##############."},   // dot 561 stays dark
        {false, false, false, 2, 0, {0xFF}, 0, "##############.."},      // bit 7 ignored
        {false, false, false, 1, 0, {0x85}, 0, "#...#..........."},      // pen 1: first dots
        {false, false, true, 1, 0, {0x81}, 0, ".##."},                   // Quen always delays
        {true, false, false, 1, 0, {0x01, 0x00}, 0, ".#."},              // memory dot d at d + 1
        {true, false, false, 1, 39, {0x00, 0xC0}, 558, "..#."},          // bit 7 ignored
    };
    for (const Case& c : cases) {
        OwnedRec rec;
        rec->isDHGR = c.dhgr;
        rec->bitShifting = c.shifting;
        rec->quenEngine = c.quen;
        for (std::size_t i = 0; i < c.bytes.size(); ++i)
            (c.dhgr && i % 2 == 0 ? rec->auxMem : rec->mainMem)[c.column + (c.dhgr ? i / 2 : i)] =
                c.bytes[i];
        RenderDots(rec.get(), c.pen);
        EXPECT_EQ(MonoDots(rec.get(), 0, c.from, static_cast<int>(std::strlen(c.dots))), c.dots)
            << "first byte " << int(c.bytes[0]) << " at column " << c.column;
    }
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
    for (std::int64_t i = 0; i < rec->monoBitsSize; ++i)
        EXPECT_EQ(rec->monoBits[i], i == 191 * 71 + 70 ? 0x3F : 0xFF) << i;
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

TEST(LineWalker, EmptyOrOutOfScreenBandsAreSafe) {
    OwnedRec rec;
    rec->mainMem[0] = 0x7F;
    PrepareMonoStore(rec.get());
    gSkipLineStart = gSkipLineEnd = 100;
    CopyApple2Bits(rec.get(), 0);
    EXPECT_EQ(rec->curLine, 100);
    gSkipLineStart = -32768;
    gSkipLineEnd = 32767;
    for (short mode : {0, 1, 2, 3, 4, 5, 6, -1})
        CopyApple2Bits(rec.get(), mode);
    SetFullBand();
}
