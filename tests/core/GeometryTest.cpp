// Line addresses, the offscreen store's size and the picture's shown size.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <set>

TEST(RowOffsets, WorkedExamplesAndLayout) {
    InitRowOffsets();
    EXPECT_EQ(g_rowoffsets[0], 0);
    EXPECT_EQ(g_rowoffsets[1], 1024);
    EXPECT_EQ(g_rowoffsets[8], 128);
    EXPECT_EQ(g_rowoffsets[63], 8064);
    EXPECT_EQ(g_rowoffsets[64], 40);
    EXPECT_EQ(g_rowoffsets[191], 8144);

    // Every line's 40 bytes lie inside the bank, no two lines share a byte, and exactly the
    // last 8 bytes of each 128-byte block belong to no line (the screen holes).
    std::set<int> used;
    for (int y = 0; y < kLines; ++y)
        for (int c = 0; c < kLineBytes; ++c)
            EXPECT_TRUE(used.insert(g_rowoffsets[y] + c).second);
    EXPECT_EQ(used.size(), 192u * 40u);
    for (int o = 0; o < kBankSize; ++o)
        EXPECT_EQ(used.count(o) == 0, o % 128 >= 120) << o;
}

// Sizes 0..2 and aspects 0..2, then the out-of-range values on either side of each range,
// which fall back to the normal size without correction.
TEST(ScreenSize, EverySizeAndAspectAndTheirBoundaries) {
    OwnedRec rec;
    const int widths[3][3] = {{281, 253, 237}, {562, 506, 474}, {1124, 1012, 948}};
    const int heights[3] = {192, 384, 768};
    for (int size = 0; size < 5; ++size)
        for (int aspect = 0; aspect < 5; ++aspect) {
            rec->screenSize = static_cast<std::uint16_t>(size == 4 ? 0xFFFF : size);
            rec->aspectCorrect = static_cast<std::uint16_t>(aspect == 4 ? 0xFFFF : aspect);
            const Rect r = GetScreenSize();
            const int s = size < 3 ? size : 1, a = aspect < 3 ? aspect : 0;
            EXPECT_EQ(r.top | r.left, 0);
            EXPECT_EQ(r.right, widths[s][a]) << size << "/" << aspect;
            EXPECT_EQ(r.bottom, heights[s]) << size << "/" << aspect;
        }
}

TEST(OffscreenSize, FullPictureOrBand) {
    SetFullBand();
    Rect r = GetOffscreenSize();
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, 192);
    EXPECT_EQ(r.right, 562);
    gSkipToLineB = true;
    gSkipLineStart = 10;
    gSkipLineEnd = 20;
    r = GetOffscreenSize();
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.bottom, 20);
    EXPECT_EQ(OffscreenRows(), 10);
    SetFullBand();
}

TEST(NewRecord, Defaults) {
    OwnedRec rec;
    EXPECT_EQ(rec->bmFinalDepth, 8);
    EXPECT_EQ(rec->paletteType, 2);
    EXPECT_TRUE(rec->bitShifting);
    EXPECT_TRUE(rec->quenEngine);
    EXPECT_EQ(rec->schemeType, 1);
    EXPECT_EQ(rec->screenSize, 1);
    EXPECT_TRUE(rec->isDHGR);
    EXPECT_EQ(rec->monoRowBytes, 71);
    EXPECT_EQ(rec->monoBitsSize, 13632);
    EXPECT_EQ(g_curColor, 15);
    // The screen state the start-up sequence copies is the flag and both banks, contiguous.
    EXPECT_EQ(kScreenStateSize, 1u + 2u * kBankSize);
}
