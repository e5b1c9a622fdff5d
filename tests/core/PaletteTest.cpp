// The palettes as data and the Quen lookup table against the rules it was built by.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

TEST(Palettes, EntriesAreTheLiteralData) {
    OwnedRec rec;
    for (int p = 0; p < kPaletteCount; ++p)
        for (int j = 0; j < kPaletteEntries; ++j)
            EXPECT_EQ(rec->palettes[p][j].value, j);
    auto rgb = [&](int p, int j) {
        rec->paletteType = static_cast<std::uint16_t>(p);
        return EntryRGB(rec.get(), static_cast<unsigned>(j));
    };
    EXPECT_EQ(rgb(3, 0), 0x020000u);  // "Tobrel" black is not quite black
    EXPECT_EQ(rgb(0, 15), 0xFFFBFFu); // "Dunmere" white
    EXPECT_EQ(rgb(0, 27), 0xCC0041u); // a dim companion brighter than its colour
    EXPECT_EQ(rgb(0, 29), 0x2700D7u);
    EXPECT_EQ(rgb(2, 6), 0x3FFF00u);
    EXPECT_EQ(rgb(7, 12), 0x2222FFu);
    EXPECT_EQ(rgb(6, 31), 0x808080u);
    EXPECT_EQ(rgb(5, 10), 0x4A4D4Au);
}

TEST(Palettes, OneBitColoursAndClamping) {
    OwnedRec rec;
    rec->oneBitPalette = 1;
    EXPECT_EQ(OneBitLitRGBA(rec.get()), PackRGBA(0x33, 0xFF, 0x33));
    rec->oneBitPalette = 2;
    EXPECT_EQ(OneBitLitRGBA(rec.get()), PackRGBA(0xFF, 0xBB, 0x00));
    // "Black and White" lights dots in the white of the colour palette last chosen.
    rec->oneBitPalette = 0;
    rec->paletteType = 0;
    EXPECT_EQ(OneBitLitRGBA(rec.get()), PackRGBA(0xFF, 0xFB, 0xFF));
    rec->oneBitPalette = 7; // out of range: black and white
    EXPECT_EQ(OneBitLitRGBA(rec.get()), PackRGBA(0xFF, 0xFB, 0xFF));
    rec->paletteType = 500;
    EXPECT_EQ(ClampedPaletteType(rec.get()), 7u);
}

namespace {

// Scheme 0 from its rule: dots x-1, x, x+1 and the OR of x-2, x+2 each feed the colour bit
// 3 - ((p - 1) mod 4) of their own position p; window bit 4 is dot x-2, bit 0 dot x+2.
unsigned Scheme0(unsigned phase, unsigned window) {
    const int x = static_cast<int>((phase + 1) % 4); // any x with (x + 3) mod 4 == phase
    auto bitFor = [](int p) { return 3 - (((p - 1) % 4) + 4) % 4; };
    const bool outer = ((window >> 4) & 1) || (window & 1);
    unsigned color = 0;
    if ((window >> 3) & 1) color |= 1u << bitFor(x - 1);
    if ((window >> 2) & 1) color |= 1u << bitFor(x);
    if ((window >> 1) & 1) color |= 1u << bitFor(x + 1);
    if (outer) color |= 1u << bitFor(x + 2); // x-2 and x+2 share a phase
    return color;
}

} // namespace

TEST(ColorLookup, EveryEntryFollowsTheConstructionRules) {
    for (unsigned phase = 0; phase < 4; ++phase)
        for (unsigned w = 0; w < 32; ++w) {
            const unsigned base = Scheme0(phase, w);
            EXPECT_EQ(gColorLookup[0][phase][w], base) << "scheme 0 phase " << phase << " w " << w;

            unsigned dbl = base;
            if (w == 1 || w == 16) dbl = 0;
            for (unsigned dim : {2, 3, 8, 9, 11, 17, 18, 19, 24, 25, 26, 27})
                if (w == dim) dbl = base + 16;
            EXPECT_EQ(gColorLookup[1][phase][w], dbl) << "scheme 1 phase " << phase << " w " << w;

            unsigned sharp = base;
            if (w == 1 || w == 16) sharp = 0;
            for (unsigned cond : {2, 3, 7, 8, 17, 24, 28})
                if (w == cond) sharp = base + 128;
            EXPECT_EQ(gColorLookup[2][phase][w], sharp) << "scheme 2 phase " << phase << " w " << w;
        }
    // "Quen: Double": window 00011 at phase 0 is the dim green.
    EXPECT_EQ(gColorLookup[1][0][3], 22);
}
