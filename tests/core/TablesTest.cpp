// The core's tables as data: palettes, the Quen lookup against the rules it was built by, line
// addresses, shown sizes and the defaults of a new record.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <set>

// Every entry of every palette, in order (RRGGBB of the high bytes; one row per index, one
// column per palette), and the one-bit colours with their out-of-range fallbacks.
TEST(Tables, Palettes) {
    static const std::uint32_t kTable[kPaletteEntries][kPaletteCount] = {
        {0x000000, 0x000000, 0x000000, 0x020000, 0x000000, 0x000000, 0x000000, 0x000000}, // 0
        {0x7B2042, 0xFF0000, 0xBF003F, 0xCE0031, 0xEE0C0D, 0x840A05, 0xA72329, 0xDD0033}, // 1
        {0x394D00, 0x7C4902, 0x7F7F00, 0x9C6300, 0x626310, 0x124E0A, 0x2F6F10, 0x885500}, // 2
        {0xBD6D42, 0xFF5700, 0xFF7F00, 0xFF6300, 0xFB620C, 0xA7470B, 0xDC870B, 0xFF6600}, // 3
        {0x005D39, 0x006500, 0x3F7F7F, 0x006331, 0x11AC13, 0x0D4E45, 0x13726F, 0x007722}, // 4
        {0x7B7D7B, 0x4D4D4D, 0x7F7F7F, 0x525252, 0x525252, 0x4B4C4A, 0x858585, 0x555555}, // 5
        {0x39AA39, 0x00FF00, 0x3FFF00, 0x00DE00, 0x14FB15, 0x11AC13, 0x1FE214, 0x11DD00}, // 6
        {0xBDCB7B, 0xFFFF00, 0xBFFF3F, 0xFFFF00, 0xF8FB1A, 0x6CB80B, 0xB0F60E, 0xFFFF00}, // 7
        {0x42307B, 0x000076, 0x3F00FF, 0x00009C, 0x110A8C, 0x2F0DD3, 0x5D1EF1, 0x000099}, // 8
        {0xBD51BD, 0xFF03D7, 0xFF3FFF, 0xCE31CE, 0xF911F8, 0xC70DED, 0xF924FB, 0xDD22DD}, // 9
        {0x7B7D7B, 0xA4A4A4, 0x7F7F7F, 0xADADAD, 0xCFCFCF, 0x4A4D4A, 0x888888, 0xAAAAAA}, // 10
        {0xFF9EBD, 0xFF7F66, 0xFF7F7F, 0xFF9C9C, 0xFBCDFE, 0xF24D5D, 0xF894A7, 0xFF9988}, // 11
        {0x428EBD, 0x0000E7, 0x3F7FFF, 0x3131FF, 0x100CFB, 0x1353F9, 0x2987F9, 0x2222FF}, // 12
        {0xBDAEFF, 0x3D9EFF, 0xBF7FFF, 0x639CFF, 0x60CDFB, 0x9452FB, 0xE397F8, 0x66AAFF}, // 13
        {0x7BDBBD, 0x35FFA1, 0x7FBFBF, 0x31FF9C, 0x31CF9D, 0x17B9A5, 0x51FBEF, 0x44FF99}, // 14
        {0xFFFBFF, 0xFFFFFF, 0xFFFFFF, 0xFDFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, // 15
        {0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000}, // 16
        {0x3C0F20, 0x7F0000, 0x5F0B20, 0x5F000E, 0x790709, 0x410707, 0x541115, 0x6F0B19}, // 17
        {0x1C2600, 0x3C2300, 0x3F400B, 0x402600, 0x32320B, 0x0C2807, 0x17360A, 0x442A0B}, // 18
        {0x5E3621, 0x7F2B00, 0x803F0E, 0x782000, 0x7F310A, 0x54240B, 0x6D440C, 0x80320B}, // 19
        {0x002E1C, 0x003300, 0x1F4040, 0x002811, 0x135704, 0x0B2723, 0x113A38, 0x073D11}, // 20
        {0x3C3D3C, 0x262626, 0x404040, 0x1F1F1F, 0x292929, 0x262625, 0x434343, 0x2B2B2B}, // 21
        {0x1C541C, 0x007F00, 0x1C800D, 0x006500, 0x12800E, 0x135704, 0x097010, 0x0C6E10}, // 22
        {0x69752E, 0x7F7F00, 0x5F801D, 0x667400, 0x7E7F10, 0x355B0C, 0x567B09, 0x7E7F10}, // 23
        {0x1F163A, 0x00003A, 0x1D087F, 0x120042, 0x090446, 0x18086A, 0x2E1079, 0x05024D}, // 24
        {0x602460, 0x7F006B, 0x801E80, 0x62005A, 0x800B7E, 0x630C76, 0x80147F, 0x6F136E}, // 25
        {0x3C3D3C, 0x515151, 0x404040, 0x464646, 0x666766, 0x242625, 0x444444, 0x555555}, // 26
        {0xCC0041, 0xB31D00, 0x804040, 0x77393A, 0x7F677F, 0x7A262F, 0x7F4B54, 0x7F4D45}, // 27
        {0x21475E, 0x000075, 0x1F4080, 0x250077, 0x0E0980, 0x0C2A7F, 0x184480, 0x101180}, // 28
        {0x2700D7, 0x004F9E, 0x5F407F, 0x283574, 0x2F6780, 0x4A2980, 0x714C80, 0x2F5680}, // 29
        {0x248466, 0x009952, 0x3F5F5F, 0x007735, 0x1A664E, 0x0C5D53, 0x287E78, 0x1D804E}, // 30
        {0x7F7F7F, 0x7F7F7F, 0x808080, 0x6C6D6C, 0x808080, 0x808080, 0x808080, 0x808080}, // 31
    };
    OwnedRec rec;
    for (int p = 0; p < kPaletteCount; ++p)
        for (int j = 0; j < kPaletteEntries; ++j) {
            rec->paletteType = static_cast<std::uint16_t>(p);
            EXPECT_EQ(rec->palettes[p][j].value, j);
            EXPECT_EQ(EntryRGB(rec.get(), static_cast<unsigned>(j)), kTable[j][p])
                << "palette " << p << " entry " << j;
        }
    // "Black and White" lights dots in the white of the colour palette in force.
    const struct {
        std::uint16_t oneBit, palette;
        std::uint32_t rgba;
    } oneBit[] = {{1, 0, PackRGBA(0x33, 0xFF, 0x33)},
                  {2, 0, PackRGBA(0xFF, 0xBB, 0x00)},
                  {0, 0, PackRGBA(0xFF, 0xFB, 0xFF)},
                  {3, 0, PackRGBA(0xFF, 0xFB, 0xFF)},
                  {0, 3, PackRGBA(0xFD, 0xFF, 0xFF)}};
    for (const auto& c : oneBit) {
        rec->oneBitPalette = c.oneBit;
        rec->paletteType = c.palette;
        EXPECT_EQ(OneBitLitRGBA(rec.get()), c.rgba) << c.oneBit << "/" << c.palette;
    }
    for (std::uint16_t type : {7, 8, 500}) {
        rec->paletteType = type;
        EXPECT_EQ(ClampedPaletteType(rec.get()), 7u) << type;
    }
}

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

// Sizes and aspects 0..2, then values past either end of each range (3 and 0xFFFF), which fall
// back to the normal size without correction.
TEST(Tables, ScreenSizesAndDefaults) {
    OwnedRec rec;
    const int widths[3][3] = {{281, 253, 237}, {562, 506, 474}, {1124, 1012, 948}};
    const int heights[3] = {192, 384, 768};
    for (int size = 0; size < 5; ++size)
        for (int aspect = 0; aspect < 5; ++aspect) {
            rec->screenSize = static_cast<std::uint16_t>(size == 4 ? 0xFFFF : size);
            rec->aspectCorrect = static_cast<std::uint16_t>(aspect == 4 ? 0xFFFF : aspect);
            const Rect r = GetScreenSize();
            const int s = size < 3 ? size : 1, a = aspect < 3 ? aspect : 0;
            EXPECT_TRUE(r.top == 0 && r.left == 0 && r.right == widths[s][a] &&
                        r.bottom == heights[s])
                << size << "/" << aspect;
        }
    OwnedRec fresh; // the screen state copied at start-up is the flag and both banks, contiguous
    const std::int64_t got[] = {fresh->bmFinalDepth, fresh->paletteType,  fresh->bitShifting,
                                fresh->quenEngine,   fresh->schemeType,   fresh->screenSize,
                                fresh->isDHGR,       fresh->monoRowBytes, fresh->monoBitsSize,
                                g_curColor,          kScreenStateSize};
    const std::int64_t want[] = {8, 2, 1, 1, 1, 1, 1, 71, 13632, 15, 1 + 2 * kBankSize};
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(got[i], want[i]) << "default " << i;
}
