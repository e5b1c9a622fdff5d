// The core's tables by their rules: the Quen lookup against the rules it was built by, line
// addresses, and the settings past their ranges.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

// Scheme 0 from its rule: dots x-1, x, x+1 and the OR of x-2, x+2 each feed the colour bit
// 3 - ((p - 1) mod 4) of their own position p (window bit 4 is dot x-2, bit 0 dot x+2). The
// other schemes drop lone outer dots and mark dim (+16) or conditional (+128) windows.
TEST(Tables, ColorLookupFollowsItsConstructionRules) {
    auto bitFor = [](int p) { return 1u << (3 - (((p - 1) % 4) + 4) % 4); };
    const std::set<unsigned> dim{2, 3, 8, 9, 11, 17, 18, 19, 24, 25, 26, 27},
        conditional{2, 3, 7, 8, 17, 24, 28};
    for (unsigned phase = 0; phase < 4; ++phase)
        for (unsigned w = 0; w < 32; ++w) {
            const int x = static_cast<int>((phase + 1) % 4); // any x with (x + 3) mod 4 == phase
            unsigned base = (((w >> 4) | w) & 1) ? bitFor(x + 2) : 0; // x-2 and x+2 share a phase
            for (int k = 1; k <= 3; ++k)
                if ((w >> k) & 1) base |= bitFor(x + 2 - k);
            const unsigned lone = w == 1 || w == 16 ? 0 : base;
            EXPECT_EQ(gColorLookup[0][phase][w], base) << "phase " << phase << " w " << w;
            EXPECT_EQ(gColorLookup[1][phase][w], dim.count(w) ? base + 16 : lone) << phase << w;
            EXPECT_EQ(gColorLookup[2][phase][w], conditional.count(w) ? base + 128 : lone)
                << "phase " << phase << " w " << w;
        }
    EXPECT_EQ(gColorLookup[1][0][3], 22); // "Quen: Double": 00011 at phase 0 is the dim green
}

// Worked line addresses; every line's 40 bytes in the bank, no byte shared, and exactly the
// last 8 bytes of each 128-byte block (the screen holes) in no line.
TEST(Tables, RowOffsets) {
    InitRowOffsets();
    const int worked[][2] = {{0, 0}, {1, 1024}, {8, 128}, {63, 8064}, {64, 40}, {191, 8144}};
    for (const auto& w : worked)
        EXPECT_EQ(g_rowoffsets[w[0]], w[1]) << "line " << w[0];
    std::set<int> used;
    for (int y = 0; y < kLines; ++y)
        for (int c = 0; c < kLineBytes; ++c)
            EXPECT_TRUE(used.insert(g_rowoffsets[y] + c).second) << y;
    for (int o = 0; o < kBankSize; ++o)
        EXPECT_EQ(used.count(o) == 0, o % 128 >= 120) << o;
}

// A size or aspect past either end of its range shows the picture at normal size uncorrected;
// a palette past the last one is the last one.
TEST(Tables, SettingsPastTheirRanges) {
    OwnedRec rec;
    auto shown = [&](int size, int aspect) {
        rec->screenSize = static_cast<std::uint16_t>(size);
        rec->aspectCorrect = static_cast<std::uint16_t>(aspect);
        const Rect r = GetScreenSize();
        return std::array<int, 4>{r.top, r.left, r.bottom, r.right};
    };
    for (int bad : {3, 0xFFFF})
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(shown(bad, i), shown(1, i)) << bad << "/" << i;
            EXPECT_EQ(shown(i, bad), shown(i, 0)) << i << "/" << bad;
        }
    for (std::uint16_t type : {7, 8, 500}) {
        rec->paletteType = type;
        EXPECT_EQ(ClampedPaletteType(rec.get()), 7u) << type;
    }
}
