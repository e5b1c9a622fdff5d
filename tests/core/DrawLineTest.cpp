// The pencil's line: where its colour cells start, 560 mode, clipping at every edge, and that
// no segment in the whole 16-bit plane writes outside the two banks.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Pencil {
    OwnedRec rec;
    Pencil(int color, bool quen, bool mode560) {
        g_curColor = static_cast<ORVEL_ColorType>(color);
        rec->quenEngine = quen;
        rec->is560Mode = mode560;
    }
    ~Pencil() { g_curColor = 15; }
    bool dot(int line, int d) { // memory dot d of `line`
        const std::uint8_t* bank = d / 7 % 2 ? rec->mainMem : rec->auxMem;
        const int byte = g_rowoffsets[line] + d / 14, bit = d % 7;
        return (bank[byte] >> bit) & 1;
    }
    std::string dots(int line, int from, int count) {
        std::string out;
        for (int d = from; d < from + count; ++d)
            out += dot(line, d) ? '#' : '.';
        return out;
    }
    void line(int v1, int h1, int v2, int h2) {
        DrawLine(Point{std::int16_t(v1), std::int16_t(h1)},
                 Point{std::int16_t(v2), std::int16_t(h2)});
    }
};

} // namespace

// `lit`: line 0 starts fully lit. Each row draws one segment and reads memory dots back.
TEST(Pencil, CellsAndSingleDots) {
    struct Case {
        int color, quen, mode560, lit, h1, h2, from;
        const char* dots;
    } const cases[] = {
        {3, 0, 0, 1, 0, 0, 0, "####..#."},        // "By the Book" orange: cell from dot 2
        {13, 1, 0, 0, 0, 0, 0, "...###.."},       // Quen light blue: h with low bits set
        {9, 1, 0, 0, 5, 5, 4, "...##..."},        // Quen violet: rounded h + 2
        {11, 1, 0, 0, 0, 0, 0, "..###."},         // Quen pink: rounded h + 1
        {13, 1, 0, 0, 559, 559, 552, "....##.#"}, // 1101, held back to end at dot 559
        {15, 1, 1, 0, 0, 0, 0, "#..."},           // 560 mode: one dot
        {15, 1, 1, 0, 0, 11, 0, "############.."},
        {5, 1, 1, 1, 0, 7, 0, ".#.#.#.#."}}; // 0101: d mod 4 of 1, 3 set, others cleared
    for (const Case& c : cases) {
        Pencil p(c.color, c.quen, c.mode560);
        if (c.lit) std::memset(p.rec->auxMem, 0x7F, 40);
        p.line(0, c.h1, 0, c.h2);
        EXPECT_EQ(p.dots(0, c.from, static_cast<int>(std::strlen(c.dots))), c.dots) << c.color;
        EXPECT_EQ(p.rec->mainMem[39], c.h1 == 559 ? 0x58 : 0) << c.color;
    }
}

// Each screen edge in both dot modes: a segment crossing it lights the dot just inside, one just
// outside lights nothing; segments through the screen light both ends (`a`, `b`; v -1: none).
TEST(Pencil, ClippedAtEveryEdgeFromBothSides) {
    struct Case {
        int v1, h1, v2, h2, av, ah, bv, bh;
    } const cases[] = {{10, -20, 10, 3, 10, 0, 10, 3},
                       {10, -20, 10, -1, -1, 0, -1, 0},
                       {10, 550, 10, 700, 10, 559, 10, 550},
                       {10, 560, 10, 700, -1, 0, -1, 0},
                       {-20, 30, 2, 30, 0, 30, 2, 30},
                       {-20, 30, -1, 30, -1, 0, -1, 0},
                       {185, 30, 400, 30, 191, 30, 185, 30},
                       {192, 30, 400, 30, -1, 0, -1, 0},
                       {10, -30, 50, -1, -1, 0, -1, 0},
                       {-5, 10, -1, 300, -1, 0, -1, 0},
                       {0, 0, 3, 9, 0, 0, 3, 9},
                       {-100, 100, 300, 100, 0, 100, 191, 100}};
    for (bool mode560 : {true, false})
        for (const Case& c : cases) {
            Pencil p(15, true, mode560);
            p.line(c.v1, c.h1, c.v2, c.h2);
            int lit = 0;
            for (int i = 0; i < kBankSize; ++i)
                lit += p.rec->auxMem[i] | p.rec->mainMem[i];
            EXPECT_EQ(lit != 0, c.av >= 0) << c.v1 << "," << c.h1 << " 560 mode " << mode560;
            EXPECT_TRUE(c.av < 0 || (p.dot(c.av, c.ah) && p.dot(c.bv, c.bh)))
                << c.v1 << "," << c.h1;
        }
}

// Random segments, many with ends at the extremes of the plane: only screen memory may change.
TEST(Pencil, AnySegmentInTheWholePlaneStaysInsideTheBanks) {
    for (unsigned seed : testSeeds(20261206)) {
        std::mt19937 rng(seed);
        const std::int16_t extremes[] = {-32768, -32767, -1, 0, 1, 191, 192, 559, 560, 32767};
        auto pick = [&](bool extreme) {
            return extreme ? extremes[rng() % 10] : static_cast<std::int16_t>(rng());
        };
        Pencil p(15, true, false);
        ORVEL_GlobalsRec before;
        for (int i = 0; i < 20000; ++i) {
            g_curColor = static_cast<ORVEL_ColorType>(rng() % 16);
            p.rec->is560Mode = rng() % 2;
            p.rec->quenEngine = rng() % 2;
            Point a{pick(rng() % 3 == 0), pick(rng() % 3 == 0)}, b = a;
            const unsigned shape = rng() % 6; // 0 a point, 1 vertical, 2 horizontal, 3 extremes
            if (shape == 1) b.v = pick(rng() % 2);
            if (shape == 2) b.h = pick(rng() % 2);
            if (shape == 3) b = Point{pick(true), pick(true)};
            if (shape == 4) // one end inside
                a = Point{std::int16_t(rng() % 192), std::int16_t(rng() % 560)};
            if (shape >= 4) b = Point{pick(false), pick(false)};
            std::memcpy(static_cast<void*>(&before), p.rec.get(), sizeof before);
            DrawLine(a, b);
            ASSERT_EQ(std::memcmp(&before, p.rec.get(), offsetof(ORVEL_GlobalsRec, auxMem)), 0)
                << "seed " << seed << " segment " << a.v << "," << a.h << " - " << b.v << ","
                << b.h;
        }
    }
}
