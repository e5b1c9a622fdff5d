// Shapes, fills and hi-res drawing as small dot pictures ('#' lit, lines split by '|'): each
// row draws on a dark (or given) picture and reads the dots back from the banks.
#include "EditTestSupport.h"
#include "edit/FloodFill.h"
#include "edit/HiresColors.h"
#include "edit/ToolStroke.h"

#include <gtest/gtest.h>

// 560 mode, white, unless `cells`: then four-dot colour cells ("Quen" cell starts).
TEST(Tools, ShapesAsDots) {
    struct Case {
        Tool tool;
        int v1, h1, v2, h2;
        bool shift, cells;
        const char* dots;
    } const cases[] = {
        {Tool::Line, 0, 0, 3, 8, false, false, "##.......|..##.....|....###..|.......##"},
        {Tool::Line, 0, 0, 1, 7, true, false, "########.|........."}, // snapped flat
        {Tool::Line, 0, 0, 2, 3, true, false, "#....|.##..|...##"},   // 45 degrees as shown
        {Tool::Line, 0, 1, 0, 5, false, true, "########.."},
        {Tool::Line, 1, -9, 1, 2, false, false, "....|###.|...."}, // clipped left
        {Tool::Rectangle, 0, 0, 3, 5, false, false, "######|#....#|#....#|######"},
        {Tool::Rectangle, 0, 0, 2, 1, true, false, "#####|#...#|#####|....."}, // a square
        {Tool::FilledRectangle, 1, 1, 2, 3, false, false, ".....|.###.|.###.|....."},
        {Tool::FilledRectangle, -2, -3, 1, 2, false, false, "###..|###..|....."},
        {Tool::Ellipse, 0, 0, 4, 8, false, false,
         "..#####..|##.....##|#.......#|##.....##|..#####..|........."},
        {Tool::FilledEllipse, 4, 8, 0, 0, false, false,
         "..#####..|#########|#########|#########|..#####.."},
    };
    for (const Case& c : cases) {
        Picture p(true, !c.cells);
        ToolStroke stroke(p.rec.get());
        stroke.press(c.tool, At(c.v1, c.h1), ToolOptions{15, false});
        stroke.release(At(c.v2, c.h2), c.shift);
        EXPECT_EQ(p.get(c.dots), c.dots) << ToolName(c.tool) << " to " << c.v2 << "," << c.h2;
    }
}

TEST(Tools, FillsTheConnectedRegionOfOneColour) {
    const char* frame = "##########|#....#...#|#....#...#|##########|.#........";
    struct Case {
        const char* picture;
        int v, h, color;
        bool cells;
        const char* dots;
    } const cases[] = {
        // colour 5 (0101) lights dots 1 and 3 of every four
        {frame, 1, 1, 5, false, "##########|##.#.#...#|##.#.#...#|##########|.#........"},
        {frame, 0, 0, 0, false, "..........|..........|..........|..........|.........."},
        {"#.|.#", 0, 0, 0, false, "..|.#"}, // diagonal dots are not connected
        {"####....####", 0, 5, 15, true, "############|############"},
        {"####....####", 0, 1, 0, true, "........####|............"},
    };
    for (const Case& c : cases) {
        Picture p(true, !c.cells);
        p.set(c.picture);
        FloodFill(p.rec.get(), At(c.v, c.h), static_cast<ORVEL_ColorType>(c.color), false);
        EXPECT_EQ(p.get(c.dots), c.dots) << c.v << "," << c.h;
    }
    Picture p;
    EXPECT_EQ(FloodFill(p.rec.get(), At(-1, 5), 15, false) +
                  FloodFill(p.rec.get(), At(0, 560), 15, false),
              0); // off the picture: nothing
}

// A stroke over pixels 0..6 of a hi-res line (its two-pixel cells reach pixel 7, in the next
// byte): the picture stays hi-res and the touched bytes take the colour's high bit.
TEST(Tools, HiresDrawingStaysHiresWithTheGroupsHighBit) {
    struct Case {
        int color;
        std::uint8_t start0, start1, byte0, byte1;
    } const cases[] = {{9, 0x80, 0x00, 0x55, 0x00},  {12, 0x00, 0x00, 0xD5, 0x80},
                       {6, 0x80, 0x80, 0x2A, 0x01},  {3, 0x00, 0x00, 0xAA, 0x81},
                       {15, 0x80, 0x00, 0xFF, 0x01}, {0, 0xFF, 0xFF, 0x80, 0xFE}};
    for (const Case& c : cases) {
        Picture p(false, false);
        p->mainMem[0] = c.start0, p->mainMem[1] = c.start1;
        ToolStroke stroke(p.rec.get());
        stroke.press(Tool::Line, At(0, 0), ToolOptions{ORVEL_ColorType(c.color), true});
        stroke.release(At(0, 13), false);
        EXPECT_FALSE(p->isDHGR);
        EXPECT_EQ(p->mainMem[0] << 8 | p->mainMem[1], c.byte0 << 8 | c.byte1) << c.color;
    }
}

// Each of the six hi-res colours, filled into a box and rendered "By the Book", shows as the
// palette entry the "Colors" panel offers for it; the eyedropper picks that entry back.
TEST(Tools, HiresColoursShowAsTheirPaletteEntries) {
    for (ORVEL_ColorType color : kHiresColors) {
        Picture p(false, false);
        p->quenEngine = false;
        ToolStroke stroke(p.rec.get());
        stroke.press(Tool::FilledRectangle, At(10, 100), ToolOptions{color, true});
        stroke.release(At(20, 200), false);
        std::vector<std::uint8_t> rgba(4 * kOffscreenDots * kLines);
        RenderPicture(p.rec.get(), RGBAStore{rgba.data(), 4 * kOffscreenDots});
        const std::uint8_t* shown = &rgba[4 * (15 * kOffscreenDots + 151)];
        const ColorSpec& entry = p->palettes[p->paletteType][color];
        EXPECT_EQ(shown[0] << 16 | shown[1] << 8 | shown[2],
                  (entry.red >> 8) << 16 | (entry.green >> 8) << 8 | entry.blue >> 8)
            << int(color);
        stroke.press(Tool::Eyedropper, At(15, 150), ToolOptions{});
        EXPECT_EQ(stroke.pickedColor(), color);
    }
}
