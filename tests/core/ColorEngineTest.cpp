// The colour engines on their worked examples: Quen colours from dot windows, "By the Book"
// colours from pixels, neighbours and high bits, double hi-res cells and their offset.
#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Rendered {
    OwnedRec rec;
    Picture pic;
    void render() { RenderPicture(rec.get(), pic.store()); }
    // Line 0's dots from..from+count-1 as palette indices 0..15 ('?' for any other colour).
    std::string indices(int from, int count, int line = 0) {
        std::string out;
        for (int x = from; x < from + count; ++x) {
            char c = '?';
            for (unsigned j = 0; j < 16 && c == '?'; ++j)
                if (pic.at(x, line) == EntryRGB(rec.get(), j)) c = "0123456789ABCDEF"[j];
            if (pic.at(x, line) == 0 && EntryRGB(rec.get(), 0) != 0) c = '_'; // untouched black
            out += c;
        }
        return out;
    }
};

} // namespace

TEST(QuenEngines, DunmereColoursAFourDotRunAcrossItsPhases) {
    Rendered r;
    r.rec->schemeType = 0;
    r.rec->auxMem[0] = 0x0F;
    r.render();
    EXPECT_EQ(r.indices(0, 8), "CEFF7310");
    for (int y = 0; y < kLines; ++y)
        for (int x = (y == 0 ? 7 : 0); x < kOffscreenDots; ++x)
            ASSERT_EQ(r.pic.at(x, y), 0u) << x << "," << y;
}

TEST(QuenEngines, DoubleUsesDimCompanionsForThinFeatures) {
    Rendered r; // two lit dots (memory dots 0, 1 at offscreen 1, 2): window 00011 at x = -1..
    r.rec->schemeType = 1;
    r.rec->auxMem[0] = 0x03;
    r.render();
    // Offscreen dot 0 sees window 00011 at phase 3: scheme 0's colour there plus 16.
    EXPECT_EQ(r.pic.at(0, 0), EntryRGB(r.rec.get(), gColorLookup[0][3][3] + 16));
}

TEST(QuenEngines, SharpResolvesConditionalWindowsByTheOuterDots) {
    // Window 00111 at dot x: dots x..x+2 lit. x = 0 has phase 3; memory dots -1.. so use
    // memory dots 3..5 (offscreen 4..6) and look at x = 4 (phase 3): conditional entry 0x8D.
    for (bool rightLit : {false, true}) {
        Rendered r;
        r.rec->schemeType = 2;
        r.rec->auxMem[0] = rightLit ? 0x78 : 0x38; // memory dots 3,4,5 (+6 when right lit)
        r.render();
        const std::uint32_t expected = EntryRGB(r.rec.get(), rightLit ? 15 : 0x0D);
        EXPECT_EQ(r.pic.at(4, 0), expected) << "dot x+3 lit: " << rightLit;
    }
}

TEST(ByTheBook, HiresPixelColours) {
    struct Case {
        int column;
        std::uint8_t byte, next; // at `column` and the one after it
        bool shifting;
        int from;
        const char* dots;
    };
    const Case cases[] = {
        {0, 0x01, 0x00, true, 0, "99______"},  // pixel 0 alone, even, high bit clear: violet
        {0, 0x02, 0x00, true, 0, "__66____"},  // pixel 1 alone, odd: green
        {0, 0x81, 0x80, true, 0, "_CC_____"},  // high bit set: blue, delayed one dot
        {0, 0x81, 0x80, false, 0, "CC______"}, // without bit shifting the blue stays in place
        {0, 0x05, 0x00, true, 0, "999999__"},  // a clear pixel between set ones: coloured too
        {0, 0x03, 0x00, true, 0, "FFFF____"},  // neighbours lit: white
        {0, 0x40, 0x80, true, 11, "__CC_"},    // pixel 6 takes the next byte's high bit
        {39, 0x40, 0x80, true, 556, "___33_"}, // pixel 279 reads the byte after the line
    };
    for (const Case& c : cases) {
        Rendered r;
        r.rec->paletteType = 3; // its black 020000 tells a plotted 0 from an untouched dot
        r.rec->quenEngine = false;
        r.rec->isDHGR = false;
        r.rec->bitShifting = c.shifting;
        r.rec->mainMem[c.column] = c.byte;
        r.rec->mainMem[c.column + 1] = c.next;
        r.render();
        EXPECT_EQ(r.indices(c.from, static_cast<int>(std::strlen(c.dots))), c.dots)
            << std::hex << int(c.byte) << " " << c.shifting;
    }
}

TEST(ByTheBook, DoubleHiresCellsAndTheirOffset) {
    for (int offset : {0, 1, -1, 600}) {
        Rendered r;
        r.rec->quenEngine = false;
        r.rec->dhgrColorOffset = static_cast<std::int16_t>(offset);
        r.rec->auxMem[0] = 0x0F; // cell 0: colour 15
        r.render();
        for (int x = 0; x < 8; ++x) {
            // The plotter takes columns as unsigned: a cell left of the picture is dropped.
            const bool inCell = offset >= 0 && x >= offset && x < offset + 4;
            EXPECT_EQ(r.pic.at(x, 0), inCell ? EntryRGB(r.rec.get(), 15) : 0u)
                << "offset " << offset << " dot " << x;
        }
    }
}

TEST(OneBitPalettes, LitDotsInTheirColourEverythingElseBlack) {
    Rendered r;
    r.rec->bmFinalDepth = 1;
    r.rec->oneBitPalette = 2;
    r.rec->auxMem[0] = 0x01;
    for (bool quen : {true, false}) {
        r.rec->quenEngine = quen;
        r.render();
        EXPECT_EQ(r.pic.at(0, 0), 0u);
        EXPECT_EQ(r.pic.at(1, 0), 0xFFBB00u);
        EXPECT_EQ(r.pic.at(2, 0), 0u);
        EXPECT_EQ(r.pic.alpha(0, 0), 255u);
    }
}
