// The pencil's line: where its colour cells start, 560 mode, clipping, and that no segment in
// the whole 16-bit plane writes outside the two banks or loops for ever.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Pencil {
    OwnedRec rec;
    explicit Pencil(unsigned color, bool quen = true, bool mode560 = false) {
        g_curColor = static_cast<ORVEL_ColorType>(color);
        rec->quenEngine = quen;
        rec->is560Mode = mode560;
    }
    ~Pencil() { g_curColor = 15; }
    // Memory dots from..from+count-1 of `line` ('#' set).
    std::string dots(int line, int from, int count) {
        std::string out;
        for (int d = from; d < from + count; ++d) {
            const int q = d / 7;
            const std::uint8_t* bank = q % 2 == 0 ? rec->auxMem : rec->mainMem;
            out += ((bank[g_rowoffsets[line] + q / 2] >> (d % 7)) & 1) ? '#' : '.';
        }
        return out;
    }
    void line(int v1, int h1, int v2, int h2) {
        DrawLine(Point{static_cast<std::int16_t>(v1), static_cast<std::int16_t>(h1)},
                 Point{static_cast<std::int16_t>(v2), static_cast<std::int16_t>(h2)});
    }
};

} // namespace

TEST(PencilCells, StartWhereTheColoursPatternShows) {
    struct Case {
        unsigned color;
        bool quen, lineLit; // lineLit: line 0's aux bytes start fully lit
        int h, from;
        const char* dots;
    } const cases[] = {
        {3, false, true, 0, 0, "####..#."},      // "By the Book" orange: cell from dot 2
        {13, true, false, 0, 0, "...###.."},     // Quen light blue: h with its two low bits set
        {9, true, false, 5, 4, "...##..."},      // Quen violet: rounded h + 2
        {11, true, false, 0, 0, "..###."},       // Quen pink: rounded h + 1
        {15, true, false, 559, 552, "....####"}, // the cell never passes memory dot 559
    };
    for (const Case& c : cases) {
        Pencil p(c.color, c.quen);
        if (c.lineLit) std::memset(p.rec->auxMem, 0x7F, 40);
        p.line(0, c.h, 0, c.h);
        EXPECT_EQ(p.dots(0, c.from, static_cast<int>(std::strlen(c.dots))), c.dots) << c.color;
        EXPECT_EQ(p.rec->mainMem[39], c.h == 559 ? 0x78 : 0) << c.color;
    }
}

TEST(Pencil560Mode, SingleDotsSetOrClearedByThePattern) {
    {
        Pencil p(15, true, true);
        p.line(3, 0, 3, 0);
        EXPECT_EQ(p.dots(3, 0, 4), "#...");
        p.line(3, 0, 3, 11);
        EXPECT_EQ(p.dots(3, 0, 14), "############..");
    }
    {
        Pencil p(5, true, true); // 0101: dots with d mod 4 of 1 or 3 set, the others cleared
        std::memset(p.rec->auxMem, 0x7F, kBankSize);
        p.line(0, 0, 0, 7);
        EXPECT_EQ(p.dots(0, 0, 9), ".#.#.#.#.");
    }
}

TEST(PencilClipping, SegmentsAreClippedToTheScreen) {
    {
        Pencil p(15, true, true);
        p.line(10, -20, 10, 20); // starts at h 0
        EXPECT_EQ(p.dots(10, 0, 22), std::string(21, '#') + ".");
    }
    {
        Pencil p(15, true, true);
        p.line(10, -30, 50, -1); // both ends left of the screen: nothing
        p.line(-5, 10, -1, 300); // both above
        for (int i = 0; i < kBankSize; ++i)
            ASSERT_EQ(p.rec->auxMem[i] | p.rec->mainMem[i], 0);
    }
    {
        Pencil p(15, true, true);
        p.line(0, 0, 3, 9); // both ends are drawn
        EXPECT_EQ(p.dots(0, 0, 1), "#");
        EXPECT_EQ(p.dots(3, 9, 1), "#");
        p.line(-100, 100, 300, 100); // a vertical segment through the screen
        for (int v = 0; v < kLines; ++v)
            EXPECT_EQ(p.dots(v, 100, 1), "#") << v;
    }
}

// Each screen edge in both dot modes: a segment crossing it lights the dot just inside, and a
// segment just outside it lights nothing.
TEST(PencilClipping, EveryEdgeFromBothSides) {
    struct Case {
        int v1, h1, v2, h2, litV, litH; // litV -1: nothing is lit
    } const cases[] = {
        {10, -20, 10, 3, 10, 0},     {10, -20, 10, -1, -1, 0},  {10, 550, 10, 700, 10, 559},
        {10, 560, 10, 700, -1, 0},   {-20, 30, 2, 30, 0, 30},   {-20, 30, -1, 30, -1, 0},
        {185, 30, 400, 30, 191, 30}, {192, 30, 400, 30, -1, 0},
    };
    for (bool mode560 : {true, false})
        for (const Case& c : cases) {
            Pencil p(15, true, mode560);
            p.line(c.v1, c.h1, c.v2, c.h2);
            int lit = 0;
            for (int i = 0; i < kBankSize; ++i)
                lit += p.rec->auxMem[i] | p.rec->mainMem[i];
            EXPECT_EQ(lit != 0, c.litV >= 0) << c.v1 << "," << c.h1 << " 560 mode " << mode560;
            if (c.litV >= 0) {
                EXPECT_EQ(p.dots(c.litV, c.litH, 1), "#") << c.v1 << "," << c.h1;
            }
        }
}

TEST(PencilClipping, AnySegmentInTheWholePlaneStaysInsideTheBanks) {
    for (unsigned seed : TestSeeds(20261206)) {
        std::mt19937 rng(seed);
        const std::int16_t extremes[] = {-32768, -32767, -1, 0, 1, 191, 192, 559, 560, 32767};
        auto pick = [&](bool extreme) -> std::int16_t {
            if (extreme) return extremes[rng() % 10];
            return static_cast<std::int16_t>(rng());
        };
        Pencil p(15);
        ORVEL_GlobalsRec before;
        for (int i = 0; i < 20000; ++i) {
            g_curColor = static_cast<ORVEL_ColorType>(rng() % 16);
            p.rec->is560Mode = rng() % 2;
            p.rec->quenEngine = rng() % 2;
            Point a{pick(rng() % 3 == 0), pick(rng() % 3 == 0)};
            Point b = a;
            switch (rng() % 6) {
            case 0:
                break; // a point
            case 1:
                b.v = pick(rng() % 2);
                break; // vertical
            case 2:
                b.h = pick(rng() % 2);
                break; // horizontal
            case 3:
                b = Point{pick(true), pick(true)};
                break; // extremes
            case 4:
                a = Point{static_cast<std::int16_t>(rng() % 192), // one end inside
                          static_cast<std::int16_t>(rng() % 560)};
                b = Point{pick(false), pick(false)};
                break;
            default:
                b = Point{pick(false), pick(false)};
                break;
            }
            std::memcpy(static_cast<void*>(&before), p.rec.get(), sizeof before);
            DrawLine(a, b);
            // Only screen memory may change.
            ASSERT_EQ(std::memcmp(&before, p.rec.get(), offsetof(ORVEL_GlobalsRec, auxMem)), 0)
                << "seed " << seed << " segment " << a.v << "," << a.h << " - " << b.v << ","
                << b.h;
        }
    }
}
